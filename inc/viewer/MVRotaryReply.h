/*
 * Replying by going past the end of a conversation: a clockwise detent of the bezel at the end, or
 * a finger dragged up past it, raises the rows and opens the reply. Its callbacks on the genlist and
 * on the rising animation live as long as this part. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVROTARYREPLY_H
#define MSG_APP_VIEWER_MVROTARYREPLY_H

#include "view_kit/WTimer.h"
#include "viewer/MVRotaryToAction.h"
#include "viewer/media/MVContentTap.h"

#include <Elementary.h>
#include <efl_extension.h>

#include <functional>
#include <memory>

namespace msg_app {
namespace msg_viewer {

class MVRotaryReply {
public:
    // What the conversation around the genlist tells and does.
    struct Host {
        int threadId = 0;
        // Select mode leaves the bezel and the finger to checking bubbles.
        std::function<bool()> isSelectMode;
        // The reply row's button, or null.
        std::function<Evas_Object*()> replyButton;
        // The user moves the list away from its end.
        std::function<void()> onUserScroll;
        // Opens the reply; false when it is refused.
        std::function<bool(bool slide)> reply;
    };
    // How far a finger moves up past the end of the list to launch the reply: a drag, which no
    // picture or clip it started on takes for a tap.
    static constexpr int DRAG_DISTANCE = MVContentTap::DRAG_DISTANCE;

    MVRotaryReply(Evas_Object* genlist, Host host);
    ~MVRotaryReply();
    MVRotaryReply(const MVRotaryReply&) = delete;
    MVRotaryReply& operator=(const MVRotaryReply&) = delete;

private:
    static constexpr int NO_DRAG = -1;

    void _raise(bool byButton);
    bool _isScrolledToBottom() const;
    void _onDragMove(int y);
    static Eina_Bool _rotaryCb(void* data, Evas_Object* obj, Eext_Rotary_Event_Info* info);
    static void _stateCb(rotate_to_action_launching_animation_state_e state, void* data);
    static void _mouseMoveCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);
    static void _mouseUpCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);

    Evas_Object* _genlist;
    Host _host;
    // A finger dragging past the end of the list: where it was first seen there, and whether it
    // has launched the reply already.
    int _dragStartY = NO_DRAG;
    bool _dragTriggered = false;
    std::weak_ptr<view_kit::WTimer> _endIdler;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
