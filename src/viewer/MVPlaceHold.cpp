#include "viewer/MVPlaceHold.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace msg_viewer {

MVPlaceHold::MVPlaceHold(Evas_Object* genlist) : _genlist(genlist) {}

MVPlaceHold::~MVPlaceHold() {
    stop();
}

void MVPlaceHold::start(std::function<void()> show) {
    MSG_RET_IF(!_genlist, "the genlist has gone");
    stop();
    _show = std::move(show);
    _lastY = _lastHeight = -1;
    _frames = 0;
    _awaitFrame();
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_MOUSE_DOWN, _mouseDownCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    eext_rotary_object_event_callback_priority_add(_genlist, ROTARY_PRIORITY, _rotaryCb, this);
}

void MVPlaceHold::stop() {
    if (!isHeld())
        return;
    _frame.stop();
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOUSE_DOWN, _mouseDownCb, this);
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    eext_rotary_object_event_callback_del(_genlist, _rotaryCb);
}

void MVPlaceHold::_awaitFrame() {
    _frame.start(evas_object_evas_get(_genlist), [this] { _onFrame(); });
}

void MVPlaceHold::_onFrame() {
    _awaitFrame();
    int y = 0, height = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, nullptr);
    elm_scroller_child_size_get(_genlist, nullptr, &height);
    // Two frames alike: every row in view has its height and the place held is where it was shown.
    if ((y == _lastY && height == _lastHeight) || ++_frames > MAX_FRAMES) {
        stop();
        return;
    }
    _lastY = y;
    _lastHeight = height;
    _show();
    // A frame follows even when the place is already right, so that the hold lets go.
    if (isHeld())
        evas_damage_rectangle_add(evas_object_evas_get(_genlist), 0, 0, 1, 1);
}

void MVPlaceHold::_mouseDownCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<MVPlaceHold*>(data)->stop();
}

void MVPlaceHold::_genlistDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<MVPlaceHold*>(data);
    self->stop();
    self->_genlist = nullptr;
}

Eina_Bool MVPlaceHold::_rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info*) {
    static_cast<MVPlaceHold*>(data)->stop();
    // The detent goes on to whatever else takes it.
    return EINA_TRUE;
}

} // namespace msg_viewer
} // namespace msg_app
