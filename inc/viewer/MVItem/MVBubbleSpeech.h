/*
 * What the screen reader says for a bubble: its text with every drawn item
 * (picture, clip, sound, file, status line) put into words, without markup.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLESPEECH_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLESPEECH_H

#include "msg_store/Conversation.h"

#include <Elementary.h>

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;

class MVBubbleSpeech {
public:
    struct Input {
        const msg_store::Conversation* conv = nullptr;
        std::string timeText;
        // The status line names the message an MMS.
        bool mmsLabel = false;
        bool standalone = false;
    };

    MVBubbleSpeech() = delete;

    // The spoken text of a bubble's markup; items the markup draws are read from the record.
    static std::string make(const std::string& markup, const Input& input);
    // Gives the bubble's row its spoken text, when the screen reader is on.
    static void describe(const MVItemBubble& bubble, const std::string& markup);

private:
    static std::string _spokenItem(const std::string& element, const Input& input);
    static std::string _spokenInfo(const Input& input);
};

} // namespace msg_viewer
} // namespace msg_app

#endif
