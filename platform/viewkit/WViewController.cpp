#include "view_kit/WViewController.h"

#include "log/PlatformLog.h"
#include "view_kit/WWindowController.h"

namespace view_kit {

namespace {

const char* const INSTANCE_KEY = "view_kit.controller";

} // namespace

WViewController::WViewController() : _self(this, [](WViewController*) {}) {}

WViewController::~WViewController() {
    if (_evasObj) {
        // Only a misuse gets here: the view still refers to us.
        PLAT_LOGE("%s deleted while its view exists; use destroy()", getName());
        Evas_Object* obj = _evasObj;
        _release();
        evas_object_del(obj);
    }
}

const char* WViewController::getClassName() const {
    return "WViewController";
}

void WViewController::setName(const char* name) {
    _name = name ? name : "";
}

bool WViewController::create(Evas_Object* parent, void* param) {
    PLAT_RETV_IF(_evasObj, false, "%s is created already", getName());
    if (!onCreate(param)) {
        PLAT_LOGE("onCreate() of %s failed", getName());
        return false;
    }
    Evas_Object* view = onCreateView(parent, param);
    PLAT_RETV_IF(!view, false, "onCreateView() of %s returned no view", getName());
    PLAT_RETV_IF(wviewcontroller_get_instance_from_evasobj(view), false,
                 "the view of %s has a controller already", getName());
    _evasObj = view;
    evas_object_data_set(view, INSTANCE_KEY, this);
    evas_object_event_callback_add(view, EVAS_CALLBACK_DEL, _viewDelCb, this);
    onCreated();
    return true;
}

void WViewController::_release() {
    evas_object_event_callback_del_full(_evasObj, EVAS_CALLBACK_DEL, _viewDelCb, this);
    evas_object_data_del(_evasObj, INSTANCE_KEY);
    _evasObj = nullptr;
}

void WViewController::destroy() {
    if (_destroying)
        return;
    _destroying = true;
    if (!_evasObj) {
        delete this;
        return;
    }
    onDestroy();
    Evas_Object* obj = _evasObj;
    _release();
    evas_object_del(obj);
    delete this;
}

void WViewController::_viewDelCb(void* data, Evas*, Evas_Object* obj, void*) {
    auto* self = static_cast<WViewController*>(data);
    if (self->_destroying)
        return;
    // The parent deleted the view: it still exists while this runs.
    self->_destroying = true;
    self->onDestroy();
    evas_object_data_del(obj, INSTANCE_KEY);
    self->_evasObj = nullptr;
    delete self;
}

WWindowController* WViewController::getWindowController() const {
    return WWindowController::getFromObject(_evasObj);
}

bool WViewController::attachPopup(WViewController* popup) {
    PLAT_RETV_IF(!popup, false, "popup is NULL");
    if (!_evasObj) {
        PLAT_LOGE("%s has no view for a popup", getName());
        popup->destroy();
        return false;
    }
    destroyPopup();
    if (!popup->create(_evasObj, nullptr)) {
        popup->destroy();
        return false;
    }
    evas_object_show(popup->getEvasObject());
    _popup = popup->getWeakPtr();
    return true;
}

void WViewController::destroyPopup() {
    if (auto popup = _popup.lock())
        popup->destroy();
    _popup.reset();
}

bool WViewController::setPartContent(const char* part, WViewController* vc) {
    PLAT_RETV_IF(!vc, false, "vc is NULL");
    if (!_evasObj || !part) {
        PLAT_LOGE("%s: no view or no part", getName());
        vc->destroy();
        return false;
    }
    if (!vc->create(_evasObj, nullptr)) {
        vc->destroy();
        return false;
    }
    // The part's previous content is deleted, and its controller with it.
    elm_object_part_content_set(_evasObj, part, vc->getEvasObject());
    return true;
}

WViewController* WViewController::getPartContent(const char* part) const {
    PLAT_RETV_IF(!_evasObj || !part, nullptr, "no view or no part");
    return wviewcontroller_get_instance_from_evasobj(elm_object_part_content_get(_evasObj, part));
}

WViewController* WViewController::unsetPartContent(const char* part) {
    PLAT_RETV_IF(!_evasObj || !part, nullptr, "no view or no part");
    return wviewcontroller_get_instance_from_evasobj(elm_object_part_content_unset(_evasObj, part));
}

bool WViewController::onCreate(void*) {
    return true;
}

void WViewController::onCreated() {}

void WViewController::onDestroy() {}

} // namespace view_kit

view_kit::WViewController* wviewcontroller_get_instance_from_evasobj(Evas_Object* obj) {
    return obj ? static_cast<view_kit::WViewController*>(evas_object_data_get(obj, view_kit::INSTANCE_KEY))
               : nullptr;
}
