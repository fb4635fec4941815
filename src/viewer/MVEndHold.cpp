#include "viewer/MVEndHold.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace msg_viewer {

MVEndHold::MVEndHold(Evas_Object* genlist, std::function<void()> showEnd)
    : _genlist(genlist), _showEnd(std::move(showEnd)) {}

MVEndHold::~MVEndHold() {
    stop();
}

void MVEndHold::start() {
    MSG_RET_IF(!_genlist, "the genlist has gone");
    if (isHeld())
        return;
    _canvas = evas_object_evas_get(_genlist);
    _lastY = _lastHeight = -1;
    _frames = 0;
    evas_event_callback_add(_canvas, EVAS_CALLBACK_RENDER_POST, _frameCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_MOUSE_DOWN, _mouseDownCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    eext_rotary_object_event_callback_priority_add(_genlist, ROTARY_PRIORITY, _rotaryCb, this);
}

void MVEndHold::stop() {
    if (!isHeld())
        return;
    evas_event_callback_del_full(_canvas, EVAS_CALLBACK_RENDER_POST, _frameCb, this);
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOUSE_DOWN, _mouseDownCb, this);
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    eext_rotary_object_event_callback_del(_genlist, _rotaryCb);
    _canvas = nullptr;
}

void MVEndHold::_onFrame() {
    int y = 0, height = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, nullptr);
    elm_scroller_child_size_get(_genlist, nullptr, &height);
    // Two frames alike: every row in view has its height and the end its place.
    if ((y == _lastY && height == _lastHeight) || ++_frames > MAX_FRAMES) {
        stop();
        return;
    }
    _lastY = y;
    _lastHeight = height;
    _showEnd();
    // A frame follows even when the end is already in place, so that the hold lets go.
    evas_damage_rectangle_add(_canvas, 0, 0, 1, 1);
}

void MVEndHold::_frameCb(void* data, Evas*, void*) {
    static_cast<MVEndHold*>(data)->_onFrame();
}

void MVEndHold::_mouseDownCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<MVEndHold*>(data)->stop();
}

void MVEndHold::_genlistDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<MVEndHold*>(data);
    self->stop();
    self->_genlist = nullptr;
}

Eina_Bool MVEndHold::_rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info*) {
    static_cast<MVEndHold*>(data)->stop();
    // The detent goes on to whatever else takes it.
    return EINA_TRUE;
}

} // namespace msg_viewer
} // namespace msg_app
