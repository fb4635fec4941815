/*
 * The conversation as the shell shows it: a conversation of the device chosen
 * by what it shows (a failed message, a picture, a group...), with the bubble
 * that shows it in the middle of the screen. States the demo device does not
 * hold (links, a video, a right-to-left conversation, a year change) are
 * received first, as the phone would deliver them; msg-shot renders a copy of
 * the device, so the device itself keeps what it had.
 */
#ifndef MSG_APP_SHELL_VIEWERSCREEN_H
#define MSG_APP_SHELL_VIEWERSCREEN_H

#include "PendingAct.h"
#include "view_kit/WTimer.h"
#include "viewer/MVContentViewController.h"

#include <memory>

namespace msg_app {
namespace shell {

class ViewerScreen : public msg_viewer::MVContentViewController {
public:
    enum class Pick {
        NEWEST,        // the newest conversation
        LINKS,         // a message with a web link and a phone number
        GROUP,         // a conversation with several people
        FAILED,        // our last message failed
        SENDING,       // our last message is being sent
        PICTURE,       // an MMS with a picture
        VIDEO,         // an MMS with a video's still
        ATTACHMENT,    // an MMS with an attached file
        NOT_RETRIEVED, // an MMS still on the phone
        RTL,           // a conversation written right to left
        YEAR_CHANGE,   // date lines on both sides of a new year
        WATCH,         // a message the watch received through its own SIM
    };
    enum class Show {
        TARGET,     // the picked message in the middle
        TOP,        // every page loaded, the title in view
        SMALL_FONT, // the picked message with the user's small text size
    };

    ViewerScreen(Pick pick, Show show);
    ~ViewerScreen() override;

    // The conversation and the message that show the pick; false when the device has none.
    static bool find(Pick pick, int& threadId, int& msgId);

protected:
    // A conversation and message chosen by the caller.
    ViewerScreen(int threadId, int msgId, Show show);
    void onPushed(Elm_Object_Item* naviItem) override;
    // The picked message, shown in the middle.
    int getTargetMsgId() const { return _msgId; }

private:
    void _showTarget();

    Show _show;
    int _msgId;
    std::weak_ptr<view_kit::WTimer> _showTimer;
    PendingAct _pendingAct;
};

} // namespace shell
} // namespace msg_app

#endif
