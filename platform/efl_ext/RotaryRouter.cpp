#include "RotaryRouter.h"

#include "InputRouter.h"
#include "log/PlatformLog.h"

#include <algorithm>

namespace eext {

RotaryRouter& RotaryRouter::instance() {
    static auto* router = new RotaryRouter;
    return *router;
}

void RotaryRouter::_watch(Evas_Object* obj) {
    if (_callbacks.count(obj) == 0 && obj != _active)
        evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objDelCb, this);
}

void RotaryRouter::_unwatch(Evas_Object* obj) {
    if (_callbacks.count(obj) == 0 && obj != _active)
        evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objDelCb, this);
}

bool RotaryRouter::addCallback(Evas_Object* obj, int priority, Eext_Rotary_Event_Cb func, void* data) {
    PLAT_RETV_IF(!obj, false, "obj is NULL");
    PLAT_RETV_IF(!func, false, "func is NULL");
    _watch(obj);
    auto& list = _callbacks[obj];
    list.push_back({priority, _nextOrder++, func, data});
    std::stable_sort(list.begin(), list.end(),
                     [](const Callback& a, const Callback& b) { return a.priority < b.priority; });
    InputRouter::attach(obj);
    return true;
}

void* RotaryRouter::removeCallback(Evas_Object* obj, Eext_Rotary_Event_Cb func) {
    auto found = _callbacks.find(obj);
    if (found == _callbacks.end())
        return nullptr;
    auto& list = found->second;
    auto it = std::find_if(list.begin(), list.end(), [func](const Callback& cb) { return cb.func == func; });
    if (it == list.end())
        return nullptr;
    void* data = it->data;
    list.erase(it);
    if (list.empty()) {
        _callbacks.erase(found);
        _unwatch(obj);
    }
    return data;
}

void RotaryRouter::setActivated(Evas_Object* obj, bool activated) {
    PLAT_RET_IF(!obj, "obj is NULL");
    if (activated) {
        if (_active == obj)
            return;
        Evas_Object* previous = _active;
        _active = nullptr;
        if (previous)
            _unwatch(previous);
        _watch(obj);
        _active = obj;
        InputRouter::attach(obj);
    } else if (_active == obj) {
        _active = nullptr;
        _unwatch(obj);
    }
}

bool RotaryRouter::addHandler(Eext_Rotary_Handler_Cb func, void* data) {
    PLAT_RETV_IF(!func, false, "func is NULL");
    _handlers.push_back({func, data});
    return true;
}

void* RotaryRouter::removeHandler(Eext_Rotary_Handler_Cb func) {
    auto it =
        std::find_if(_handlers.begin(), _handlers.end(), [func](const Handler& h) { return h.func == func; });
    if (it == _handlers.end())
        return nullptr;
    void* data = it->data;
    _handlers.erase(it);
    return data;
}

bool RotaryRouter::_stillRegistered(Evas_Object* obj, const Callback& cb) const {
    auto found = _callbacks.find(obj);
    if (found == _callbacks.end())
        return false;
    return std::any_of(found->second.begin(), found->second.end(),
                       [&cb](const Callback& c) { return c.order == cb.order; });
}

bool RotaryRouter::_deliverToObject(Evas_Object* obj, Eext_Rotary_Event_Info* info) {
    auto found = _callbacks.find(obj);
    if (found == _callbacks.end())
        return false;
    // Callbacks may add or remove callbacks, or delete the object: walk a copy
    // and skip what has gone meanwhile.
    std::vector<Callback> snapshot = found->second;
    for (const Callback& cb : snapshot) {
        if (!_stillRegistered(obj, cb))
            continue;
        if (!cb.func(cb.data, obj, info))
            return true;
    }
    return false;
}

void RotaryRouter::dispatch(Evas* e, Eext_Rotary_Event_Direction direction, unsigned int timestamp) {
    Eext_Rotary_Event_Info info{direction, timestamp};
    if (_active && evas_object_evas_get(_active) == e && _deliverToObject(_active, &info))
        return;
    std::vector<Handler> handlers = _handlers;
    for (const Handler& handler : handlers) {
        if (!handler.func(handler.data, &info))
            return;
    }
}

void RotaryRouter::_objDelCb(void* data, Evas*, Evas_Object* obj, void*) {
    auto* self = static_cast<RotaryRouter*>(data);
    self->_callbacks.erase(obj);
    if (self->_active == obj)
        self->_active = nullptr;
}

} // namespace eext

using eext::RotaryRouter;

extern "C" {

Eina_Bool eext_rotary_object_event_callback_add(Evas_Object* obj, Eext_Rotary_Event_Cb func, void* data) {
    return RotaryRouter::instance().addCallback(obj, EEXT_CALLBACK_PRIORITY_DEFAULT, func, data);
}

Eina_Bool eext_rotary_object_event_callback_priority_add(Evas_Object* obj, int priority,
                                                         Eext_Rotary_Event_Cb func, void* data) {
    return RotaryRouter::instance().addCallback(obj, priority, func, data);
}

void* eext_rotary_object_event_callback_del(Evas_Object* obj, Eext_Rotary_Event_Cb func) {
    return RotaryRouter::instance().removeCallback(obj, func);
}

void eext_rotary_object_event_activated_set(Evas_Object* obj, Eina_Bool activated) {
    RotaryRouter::instance().setActivated(obj, activated);
}

Eina_Bool eext_rotary_object_event_activated_get(const Evas_Object* obj) {
    return obj && RotaryRouter::instance().activated() == obj;
}

Eina_Bool eext_rotary_event_handler_add(Eext_Rotary_Handler_Cb func, void* data) {
    return RotaryRouter::instance().addHandler(func, data);
}

void* eext_rotary_event_handler_del(Eext_Rotary_Handler_Cb func) {
    return RotaryRouter::instance().removeHandler(func);
}
}
