#include "viewer/MVItem/MVBubbleGesture.h"

#include "common/MsgLog.h"
#include "view_kit/WTimer.h"
#include "viewer/MVItem/MVBubbleLook.h"
#include "viewer/MVMouseEventMgr.h"

#include <Elementary.h>

namespace msg_app {
namespace msg_viewer {

MVBubbleGesture::MVBubbleGesture(std::function<bool()> isChecked, std::function<void()> onLongPress)
    : _isChecked(std::move(isChecked)), _onLongPress(std::move(onLongPress)) {}

MVBubbleGesture::~MVBubbleGesture() = default;

void MVBubbleGesture::attach(Evas_Object* label) {
    // One manager per realized text. The row is rebuilt whenever the store updates the message
    // (marked read as the conversation opens, say): a finger that was pressing the old text, gone
    // or about to go, goes on pressing this one.
    std::optional<MVMouseEventMgr::HeldPress> held = _mgr ? _mgr->heldPress() : _held;
    _held.reset();
    _label = label;
    _mgr = std::make_unique<MVMouseEventMgr>(label);
    if (!_mgr->init()) {
        _mgr.reset();
        return;
    }
    _mgr->addEventListener([this](MVMouseEventMgr::Event event) { _onEvent(event); }, label);
    if (held)
        _mgr->followPress(*held);
}

void MVBubbleGesture::detach() {
    if (_mgr)
        _held = _mgr->heldPress();
    _mgr.reset();
    _label = nullptr;
}

bool MVBubbleGesture::takeHeldFinger(int x, int y) {
    if (!_label || !_mgr)
        return false;
    int lx = 0, ly = 0, lw = 0, lh = 0;
    evas_object_geometry_get(_label, &lx, &ly, &lw, &lh);
    if (x < lx || y < ly || x >= lx + lw || y >= ly + lh)
        return false;
    return _mgr->followPress({x, y, ecore_loop_time_get()});
}

bool MVBubbleGesture::isPressed() const {
    return _label && _mgr && _mgr->isPressed();
}

bool MVBubbleGesture::takeLongPressed() {
    bool was = _longPressed;
    _longPressed = false;
    return was;
}

void MVBubbleGesture::release() {
    if (_label)
        elm_object_signal_emit(_label, "elm,state,content,released", "");
    if (_mgr)
        _mgr->clearAllEvents();
}

void MVBubbleGesture::_onEvent(int event) {
    switch (event) {
    case MVMouseEventMgr::PRESSED:
        _longPressed = false;
        MVBubbleLook::setPressed(_label, true);
        break;
    case MVMouseEventMgr::RELEASED:
    case MVMouseEventMgr::MOVED:
        // The pressed look goes with the finger; the check stays as it is.
        MVBubbleLook::setPressed(_label, false);
        MVBubbleLook::setChecked(_label, _isChecked());
        break;
    case MVMouseEventMgr::LONGPRESSED: {
        _longPressed = true;
        // What the long press does rebuilds the rows, this text and its manager with them: not
        // from inside the manager's own timer.
        std::weak_ptr<bool> alive = _alive;
        view_kit::WTimer::addIdler(
            [this, alive](void*) {
                if (!alive.expired())
                    _onLongPress();
                return false;
            },
            nullptr);
        break;
    }
    default:
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
