/*
 * A conversation at a message with media, in a state the shell shows: a
 * voice clip idle, playing half way, or asking for a headset; pictures and
 * files; a file still on the phone.
 */
#ifndef MSG_APP_SHELL_MEDIASCREEN_H
#define MSG_APP_SHELL_MEDIASCREEN_H

#include "PendingAct.h"
#include "ViewerScreen.h"

namespace msg_app {
namespace shell {

class MediaScreen : public ViewerScreen {
public:
    enum class Kind {
        VOICE_CLIP,    // a voice clip, idle
        VOICE_PLAYING, // the clip playing, pictured half way
        HEADSET_POPUP, // no route can play: the clip asks for a headset
        MEDIA_ROWS,    // pictures and an attached file
        PART_ON_PHONE, // a picture still on the phone
    };

    static MediaScreen* create(Kind kind);

protected:
    void onPushed(Elm_Object_Item* naviItem) override;

private:
    MediaScreen(Kind kind, int threadId, int msgId);
    void _act();
    void _capture();

    Kind _kind;
    std::weak_ptr<view_kit::WTimer> _timer;
    PendingAct _pendingAct;
};

} // namespace shell
} // namespace msg_app

#endif
