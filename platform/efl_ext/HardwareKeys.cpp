#include "HardwareKeys.h"

#include "InputRouter.h"
#include "log/PlatformLog.h"

namespace eext {

HardwareKeys& HardwareKeys::instance() {
    static auto* keys = new HardwareKeys;
    return *keys;
}

bool HardwareKeys::isShown(Evas_Object* obj) {
    for (Evas_Object* o = obj; o; o = evas_object_smart_parent_get(o)) {
        if (!evas_object_visible_get(o))
            return false;
    }
    return obj != nullptr;
}

bool HardwareKeys::_watched(Evas_Object* obj) const {
    for (const Entry& entry : _entries) {
        if (entry.obj == obj)
            return true;
    }
    return false;
}

void HardwareKeys::add(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func, void* data) {
    PLAT_RET_IF(!obj, "obj is NULL");
    PLAT_RET_IF(!func, "func is NULL");
    PLAT_RET_IF(type < EEXT_CALLBACK_BACK || type >= EEXT_CALLBACK_LAST, "invalid type %d", type);
    if (!_watched(obj))
        evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objDelCb, this);
    _entries.push_back({obj, type, func, data});
    InputRouter::attach(obj);
}

void* HardwareKeys::remove(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func) {
    for (auto it = _entries.begin(); it != _entries.end(); ++it) {
        if (it->obj == obj && it->type == type && it->func == func) {
            void* data = it->data;
            _entries.erase(it);
            if (!_watched(obj))
                evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objDelCb, this);
            return data;
        }
    }
    return nullptr;
}

bool HardwareKeys::dispatch(Evas* e, Eext_Callback_Type type) {
    for (auto it = _entries.rbegin(); it != _entries.rend(); ++it) {
        if (it->type != type || evas_object_evas_get(it->obj) != e || !isShown(it->obj))
            continue;
        // The callback may add or remove registrations: call a copy.
        Entry entry = *it;
        entry.func(entry.data, entry.obj, nullptr);
        return true;
    }
    return false;
}

void HardwareKeys::_forget(Evas_Object* obj) {
    for (auto it = _entries.begin(); it != _entries.end();) {
        if (it->obj == obj)
            it = _entries.erase(it);
        else
            ++it;
    }
}

void HardwareKeys::_objDelCb(void* data, Evas*, Evas_Object* obj, void*) {
    static_cast<HardwareKeys*>(data)->_forget(obj);
}

} // namespace eext

using eext::HardwareKeys;

extern "C" {

void eext_object_event_callback_add(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func,
                                    void* data) {
    HardwareKeys::instance().add(obj, type, func, data);
}

void* eext_object_event_callback_del(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func) {
    return HardwareKeys::instance().remove(obj, type, func);
}

void eext_naviframe_back_cb(void*, Evas_Object* obj, void*) {
    if (elm_naviframe_top_item_get(obj) != elm_naviframe_bottom_item_get(obj))
        elm_naviframe_item_pop(obj);
}

void eext_popup_back_cb(void*, Evas_Object* obj, void*) {
    elm_popup_dismiss(obj);
}

void eext_ctxpopup_back_cb(void*, Evas_Object* obj, void*) {
    elm_ctxpopup_dismiss(obj);
}
}
