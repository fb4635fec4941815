#include "viewer/MVMouseEventMgr.h"

#include "common/MsgLog.h"

#include <Ecore.h>

#include <algorithm>
#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

MVMouseEventMgr::MVMouseEventMgr(Evas_Object* obj) : _obj(obj) {}

MVMouseEventMgr::~MVMouseEventMgr() {
    _deinit();
}

bool MVMouseEventMgr::init() {
    MSG_RETV_IF(!_obj, false, "object is nullptr");
    evas_object_event_callback_add(_obj, EVAS_CALLBACK_MOUSE_DOWN, _downCb, this);
    evas_object_event_callback_add(_obj, EVAS_CALLBACK_MOUSE_UP, _upCb, this);
    evas_object_event_callback_add(_obj, EVAS_CALLBACK_MOUSE_MOVE, _moveCb, this);
    evas_object_event_callback_add(_obj, EVAS_CALLBACK_DEL, _delCb, this);
    return true;
}

void MVMouseEventMgr::_deinit() {
    clearAllEvents();
    view_kit::WTimer::destroy(_releaseTimer);
    if (!_obj)
        return;
    evas_object_event_callback_del_full(_obj, EVAS_CALLBACK_MOUSE_DOWN, _downCb, this);
    evas_object_event_callback_del_full(_obj, EVAS_CALLBACK_MOUSE_UP, _upCb, this);
    evas_object_event_callback_del_full(_obj, EVAS_CALLBACK_MOUSE_MOVE, _moveCb, this);
    evas_object_event_callback_del_full(_obj, EVAS_CALLBACK_DEL, _delCb, this);
    _obj = nullptr;
}

unsigned int MVMouseEventMgr::addEventListener(std::function<void(Event)> listener, Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVMouseEventMgr::removeEventListener(unsigned int& id) {
    _signal.removeListener(id);
    id = 0;
}

void MVMouseEventMgr::clearAllEvents() {
    view_kit::WTimer::destroy(_pressTimer);
    view_kit::WTimer::destroy(_longPressTimer);
    view_kit::WTimer::destroy(_followTimer);
    _pressed = false;
}

void MVMouseEventMgr::_emit(Event event) {
    _signal.emit(event);
}

void MVMouseEventMgr::_onDown(int x, int y) {
    // The object hears this finger itself.
    view_kit::WTimer::destroy(_followTimer);
    _startPress(x, y, ecore_loop_time_get());
}

void MVMouseEventMgr::_startPress(int x, int y, double downTime) {
    _downX = x;
    _downY = y;
    double held = ecore_loop_time_get() - downTime;
    view_kit::WTimer::destroy(_pressTimer);
    view_kit::WTimer::destroy(_longPressTimer);
    _pressTimer = view_kit::WTimer::addTimer(
        std::max(0.0, PRESS_DELAY - held),
        [this](void*) {
            if (_pressed)
                _emit(PRESSED);
            return false;
        },
        nullptr);
    _longPressTimer = view_kit::WTimer::addTimer(
        std::max(0.0, LONG_PRESS_DELAY - held),
        [this](void*) {
            if (_pressed) {
                _pressed = false;
                _emit(LONGPRESSED);
            }
            return false;
        },
        nullptr);
    _downTime = downTime;
    _pressed = true;
}

std::optional<MVMouseEventMgr::HeldPress> MVMouseEventMgr::heldPress() const {
    if (_pressed)
        return HeldPress{_downX, _downY, _downTime};
    return _held;
}

bool MVMouseEventMgr::followPress(const HeldPress& press) {
    MSG_RETV_IF(!_obj, false, "object is nullptr");
    if (!(evas_pointer_button_down_mask_get(evas_object_evas_get(_obj)) & 1))
        return false;
    _startPress(press.x, press.y, press.downTime);
    view_kit::WTimer::destroy(_followTimer);
    _followTimer = view_kit::WTimer::addTimer(
        FOLLOW_INTERVAL, [this](void*) { return _followTick(); }, nullptr);
    return true;
}

bool MVMouseEventMgr::_followTick() {
    Evas* evas = evas_object_evas_get(_obj);
    if (!(evas_pointer_button_down_mask_get(evas) & 1)) {
        _followTimer.reset();
        _onUp();
        return false;
    }
    int x = 0, y = 0;
    evas_pointer_canvas_xy_get(evas, &x, &y);
    _onMove(x, y);
    return true;
}

void MVMouseEventMgr::_onMove(int x, int y) {
    if (!_pressed)
        return;
    if (std::abs(x - _downX) >= MOVE_THRESHOLD || std::abs(y - _downY) >= MOVE_THRESHOLD) {
        _pressed = false;
        view_kit::WTimer::destroy(_pressTimer);
        _emit(MOVED);
    }
}

void MVMouseEventMgr::_onUp() {
    view_kit::WTimer::destroy(_longPressTimer);
    // A release before the press showed still shows it first.
    if (!_pressTimer.expired()) {
        view_kit::WTimer::destroy(_pressTimer);
        _emit(PRESSED);
    }
    view_kit::WTimer::destroy(_releaseTimer);
    _releaseTimer = view_kit::WTimer::addTimer(
        RELEASE_DELAY,
        [this](void*) {
            _emit(RELEASED);
            return false;
        },
        nullptr);
    if (_pressed) {
        _pressed = false;
        _emit(CLICKED);
    }
}

void MVMouseEventMgr::_downCb(void* data, Evas*, Evas_Object*, void* eventInfo) {
    auto* ev = static_cast<Evas_Event_Mouse_Down*>(eventInfo);
    static_cast<MVMouseEventMgr*>(data)->_onDown(ev->canvas.x, ev->canvas.y);
}

void MVMouseEventMgr::_moveCb(void* data, Evas*, Evas_Object*, void* eventInfo) {
    auto* ev = static_cast<Evas_Event_Mouse_Move*>(eventInfo);
    static_cast<MVMouseEventMgr*>(data)->_onMove(ev->cur.canvas.x, ev->cur.canvas.y);
}

void MVMouseEventMgr::_upCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<MVMouseEventMgr*>(data)->_onUp();
}

void MVMouseEventMgr::_delCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<MVMouseEventMgr*>(data);
    // Whoever builds the object again can carry on a finger still resting on it.
    self->_held = self->heldPress();
    self->_deinit();
}

} // namespace msg_viewer
} // namespace msg_app
