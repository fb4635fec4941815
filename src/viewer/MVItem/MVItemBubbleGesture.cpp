// The finger on a bubble: the pressed look while it rests, and the long press that starts select
// mode (a tap in select mode).
#include "viewer/MVItem/MVItemBubble.h"

#include "common/MsgLog.h"
#include "view_kit/WTimer.h"
#include "viewer/MVMouseEventMgr.h"

#include <Elementary.h>

namespace msg_app {
namespace msg_viewer {

void MVItemBubble::_attachGestures(Evas_Object* label) {
    // One manager per realized text. The row is rebuilt whenever the store updates the message
    // (marked read as the conversation opens, say): a finger that was pressing the old text, gone
    // or about to go, goes on pressing this one.
    std::optional<MVMouseEventMgr::HeldPress> held = _gestureMgr ? _gestureMgr->heldPress() : std::nullopt;
    _gestureMgr = std::make_unique<MVMouseEventMgr>(label);
    if (!_gestureMgr->init()) {
        _gestureMgr.reset();
        return;
    }
    _gestureMgr->addEventListener([this](MVMouseEventMgr::Event event) { _onGesture(event); }, label);
    if (held)
        _gestureMgr->followPress(*held);
}

bool MVItemBubble::takeHeldFinger(int x, int y) {
    if (!_label || !_gestureMgr)
        return false;
    int lx = 0, ly = 0, lw = 0, lh = 0;
    evas_object_geometry_get(_label, &lx, &ly, &lw, &lh);
    if (x < lx || y < ly || x >= lx + lw || y >= ly + lh)
        return false;
    return _gestureMgr->followPress({x, y, ecore_loop_time_get()});
}

void MVItemBubble::_onGesture(int event) {
    switch (event) {
    case MVMouseEventMgr::PRESSED:
        _longPressed = false;
        if (_label)
            elm_object_signal_emit(_label, "elm,state,bg,pressed", "*");
        break;
    case MVMouseEventMgr::RELEASED:
    case MVMouseEventMgr::MOVED:
        if (_label) {
            // The pressed look goes with the finger; the check stays as it is.
            elm_object_signal_emit(_label, "elm,state,bg,released", "*");
            elm_object_signal_emit(_label, _isChecked ? "elm,state,bg,selected" : "elm,state,bg,unselected",
                                   "*");
        }
        break;
    case MVMouseEventMgr::LONGPRESSED:
        _bubbleLongpressed();
        break;
    default:
        break;
    }
}

void MVItemBubble::_bubbleLongpressed() {
    // The genlist still selects the row when the finger lifts; that release is this long press.
    _longPressed = true;
    // Select mode rebuilds the rows, this text and its gesture manager with them: not from
    // inside the manager's own timer.
    std::weak_ptr<void> alive = _resendState;
    view_kit::WTimer::addIdler(
        [this, alive](void*) {
            if (alive.expired())
                return false;
            if (_viewType == VIEW_TYPE_SELECT)
                _bubbleClicked();
            else
                _signal.emit(LONGPRESSED, this);
            return false;
        },
        nullptr);
}

} // namespace msg_viewer
} // namespace msg_app
