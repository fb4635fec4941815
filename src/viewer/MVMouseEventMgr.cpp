#include "viewer/MVMouseEventMgr.h"

#include "common/MsgLog.h"

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
    _pressed = false;
}

void MVMouseEventMgr::_emit(Event event) {
    _signal.emit(event);
}

void MVMouseEventMgr::_onDown(int x, int y) {
    _downX = x;
    _downY = y;
    view_kit::WTimer::destroy(_pressTimer);
    view_kit::WTimer::destroy(_longPressTimer);
    _pressTimer = view_kit::WTimer::addTimer(
        PRESS_DELAY,
        [this](void*) {
            if (_pressed)
                _emit(PRESSED);
            return false;
        },
        nullptr);
    _longPressTimer = view_kit::WTimer::addTimer(
        LONG_PRESS_DELAY,
        [this](void*) {
            if (_pressed) {
                _pressed = false;
                _emit(LONGPRESSED);
            }
            return false;
        },
        nullptr);
    _pressed = true;
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
    static_cast<MVMouseEventMgr*>(data)->_deinit();
}

} // namespace msg_viewer
} // namespace msg_app
