#include "compose/recipient/MCRowWidgets.h"

#include <algorithm>

namespace msg_app {
namespace compose {

MCRowWidgets::~MCRowWidgets() {
    for (const Wire& wire : _wires)
        evas_object_smart_callback_del_full(wire.obj, wire.event, wire.cb, wire.data);
    for (Evas_Object* obj : _objects)
        evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _delCb, this);
}

void MCRowWidgets::add(Evas_Object* obj, const char* event, Evas_Smart_Cb cb, void* data) {
    if (!obj)
        return;
    if (std::find(_objects.begin(), _objects.end(), obj) == _objects.end()) {
        _objects.push_back(obj);
        evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _delCb, this);
    }
    if (event && cb) {
        evas_object_smart_callback_add(obj, event, cb, data);
        _wires.push_back({obj, event, cb, data});
    }
}

Evas_Object* MCRowWidgets::latest() const {
    return _objects.empty() ? nullptr : _objects.back();
}

void MCRowWidgets::_forget(Evas_Object* obj) {
    _objects.erase(std::remove(_objects.begin(), _objects.end(), obj), _objects.end());
    _wires.erase(std::remove_if(_wires.begin(), _wires.end(), [obj](const Wire& w) { return w.obj == obj; }),
                 _wires.end());
}

void MCRowWidgets::_delCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    static_cast<MCRowWidgets*>(data)->_forget(obj);
}

} // namespace compose
} // namespace msg_app
