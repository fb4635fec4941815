#include "viewer/media/MVContentTap.h"

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

void MVContentTap::attach(Evas_Object* obj, Callback callback) {
    if (!obj || !callback)
        return;
    auto* tap = new MVContentTap(std::move(callback));
    evas_object_event_callback_add(obj, EVAS_CALLBACK_MOUSE_DOWN, _downCb, tap);
    evas_object_event_callback_add(obj, EVAS_CALLBACK_MOUSE_UP, _upCb, tap);
    evas_object_event_callback_add(obj, EVAS_CALLBACK_MOUSE_MOVE, _moveCb, tap);
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _delCb, tap);
    evas_object_event_callback_add(obj, EVAS_CALLBACK_SHOW, _showCb, tap);
}

// A text widget lets the events of its items pass through to itself once it places them: the
// content takes its own taps back when it shows.
void MVContentTap::_showCb(void*, Evas*, Evas_Object* obj, void*) {
    evas_object_pass_events_set(obj, EINA_FALSE);
    evas_object_raise(obj);
}

void MVContentTap::_downCb(void* data, Evas*, Evas_Object*, void* info) {
    auto* tap = static_cast<MVContentTap*>(data);
    auto* down = static_cast<Evas_Event_Mouse_Down*>(info);
    if (down->button != 1)
        return;
    tap->_pressed = true;
    tap->_dragged = false;
    tap->_downX = down->canvas.x;
    tap->_downY = down->canvas.y;
    tap->_callback(PRESS);
}

void MVContentTap::_upCb(void* data, Evas*, Evas_Object* obj, void* info) {
    auto* tap = static_cast<MVContentTap*>(data);
    auto* up = static_cast<Evas_Event_Mouse_Up*>(info);
    if (!tap->_pressed || up->button != 1)
        return;
    tap->_pressed = false;
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(obj, &x, &y, &w, &h);
    bool inside = up->canvas.x >= x && up->canvas.x < x + w && up->canvas.y >= y && up->canvas.y < y + h;
    bool held = (up->event_flags & EVAS_EVENT_FLAG_ON_HOLD) || tap->_dragged;
    // The callback may delete the object (and this): nothing is touched after it.
    Callback callback = tap->_callback;
    callback(RELEASE);
    if (inside && !held)
        callback(TAP);
}

void MVContentTap::_moveCb(void* data, Evas*, Evas_Object*, void* info) {
    auto* tap = static_cast<MVContentTap*>(data);
    auto* move = static_cast<Evas_Event_Mouse_Move*>(info);
    if (tap->_pressed && (std::abs(move->cur.canvas.x - tap->_downX) >= DRAG_DISTANCE ||
                          std::abs(move->cur.canvas.y - tap->_downY) >= DRAG_DISTANCE))
        tap->_dragged = true;
}

void MVContentTap::_delCb(void* data, Evas*, Evas_Object*, void*) {
    delete static_cast<MVContentTap*>(data);
}

} // namespace msg_viewer
} // namespace msg_app
