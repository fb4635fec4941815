/*
 * The finger on a bubble's text: the pressed look while it rests, and the long
 * press that starts select mode (a tap in select mode). The text widget is
 * rebuilt whenever the row is; a finger pressing the old one goes on pressing
 * the new one.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLEGESTURE_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLEGESTURE_H

#include "viewer/MVMouseEventMgr.h"

#include <Evas.h>

#include <functional>
#include <memory>
#include <optional>

namespace msg_app {
namespace msg_viewer {

class MVBubbleGesture {
public:
    // isChecked: the look a released finger leaves; onLongPress runs from an idler, never from
    // inside the finger's own timer.
    MVBubbleGesture(std::function<bool()> isChecked, std::function<void()> onLongPress);
    ~MVBubbleGesture();
    MVBubbleGesture(const MVBubbleGesture&) = delete;
    MVBubbleGesture& operator=(const MVBubbleGesture&) = delete;

    // Follows the finger on this text widget from now on.
    void attach(Evas_Object* label);
    // The text widget is gone or another bubble's now: its events are no longer followed, but a
    // finger that pressed it is carried over to the next one.
    void detach();
    // A finger resting on the text at the canvas point since before the page took input.
    bool takeHeldFinger(int x, int y);
    // A finger is down on the text and followed.
    bool isPressed() const;
    // The genlist still selects the row when a long press lifts: true once for that release.
    bool takeLongPressed();
    // The finger is done with the bubble: another page takes it.
    void release();

private:
    void _onEvent(int event);

    std::function<bool()> _isChecked;
    std::function<void()> _onLongPress;
    Evas_Object* _label = nullptr;
    std::unique_ptr<MVMouseEventMgr> _mgr;
    // The press on the text last detached, for the next text to take over (the row rebuilt under
    // the finger); taken over only while a finger is still down.
    std::optional<MVMouseEventMgr::HeldPress> _held;
    bool _longPressed = false;
    // The idler of a long press finds out from it whether the bubble is gone.
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
};

} // namespace msg_viewer
} // namespace msg_app

#endif
