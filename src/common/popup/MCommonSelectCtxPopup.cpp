#include "common/popup/MCommonSelectCtxPopup.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/popup/DestroyLater.h"
#include "efl_extension.h"

namespace msg_app {

namespace {

// Where the popup points, in the application's base-scale pixels: under the count button.
constexpr double POSITION_X = 180.0;
constexpr double POSITION_Y = 70.0;

int scaled(double value) {
    double base = elm_app_base_scale_get();
    if (base <= 0.0)
        base = 1.0;
    return static_cast<int>(elm_config_scale_get() * value / base + 0.5);
}

} // namespace

MCommonSelectCtxPopup::MCommonSelectCtxPopup() {
    setName("MCommonSelectCtxPopup");
}

MCommonSelectCtxPopup::~MCommonSelectCtxPopup() = default;

void MCommonSelectCtxPopup::setSelectAllItemCb(const std::function<void()>& cb) {
    _selectAllCb = cb;
}

void MCommonSelectCtxPopup::setDeselectAllItemCb(const std::function<void()>& cb) {
    _deselectAllCb = cb;
}

Evas_Object* MCommonSelectCtxPopup::onCreateView(Evas_Object* parent, void*) {
    MSG_RETV_IF(!parent, nullptr, "parent is null");
    Evas_Object* ctxpopup = elm_ctxpopup_add(parent);
    MSG_RETV_IF(!ctxpopup, nullptr, "ctxpopup is null");
    elm_object_style_set(ctxpopup, "select_mode");
    elm_ctxpopup_direction_priority_set(ctxpopup, ELM_CTXPOPUP_DIRECTION_UP, ELM_CTXPOPUP_DIRECTION_UP,
                                        ELM_CTXPOPUP_DIRECTION_UP, ELM_CTXPOPUP_DIRECTION_UP);
    eext_object_event_callback_add(ctxpopup, EEXT_CALLBACK_BACK, eext_ctxpopup_back_cb, nullptr);
    evas_object_event_callback_add(ctxpopup, EVAS_CALLBACK_HIDE, _hideCb, this);
    evas_object_smart_callback_add(ctxpopup, "dismissed", _dismissedCb, this);

    Elm_Object_Item* selectItem = nullptr;
    Elm_Object_Item* deselectItem = nullptr;
    if (_selectAllCb)
        selectItem = _appendItem(ctxpopup, "WDS_MSG_OPT_SELECT_ALL_ABB", _selectAllClickedCb);
    if (_deselectAllCb)
        deselectItem = _appendItem(ctxpopup, "WDS_MSG_OPT_DESELECT_ALL_ABB", _deselectAllClickedCb);
    if (selectItem && deselectItem) {
        elm_object_item_style_set(selectItem, "select_mode/top");
        elm_object_item_style_set(deselectItem, "select_mode/bottom");
    }
    return ctxpopup;
}

Elm_Object_Item* MCommonSelectCtxPopup::_appendItem(Evas_Object* ctxpopup, const char* textId,
                                                    Evas_Smart_Cb cb) {
    Elm_Object_Item* item = elm_ctxpopup_item_append(ctxpopup, nullptr, nullptr, cb, this);
    MSG_RETV_IF(!item, nullptr, "item is null");
    elm_object_item_domain_translatable_text_set(item, common_ui_helper::TEXT_DOMAIN, textId);
    return item;
}

void MCommonSelectCtxPopup::onCreated() {
    WViewController::onCreated();
    Evas_Object* ctxpopup = getEvasObject();
    evas_object_move(ctxpopup, scaled(POSITION_X), scaled(POSITION_Y));
    evas_object_show(ctxpopup);
}

void MCommonSelectCtxPopup::onDestroy() {
    Evas_Object* ctxpopup = getEvasObject();
    eext_object_event_callback_del(ctxpopup, EEXT_CALLBACK_BACK, eext_ctxpopup_back_cb);
    evas_object_event_callback_del_full(ctxpopup, EVAS_CALLBACK_HIDE, _hideCb, this);
    evas_object_smart_callback_del_full(ctxpopup, "dismissed", _dismissedCb, this);
    WViewController::onDestroy();
}

void MCommonSelectCtxPopup::_runItem(void* data, Evas_Object* obj,
                                     std::function<void()> MCommonSelectCtxPopup::*cb) {
    auto* self = static_cast<MCommonSelectCtxPopup*>(data);
    // The callback may destroy the popup: it runs from a copy, and the popup is dismissed only
    // when it is still there.
    std::function<void()> running = self->*cb;
    std::weak_ptr<view_kit::WViewController> alive = self->getWeakPtr();
    if (running)
        running();
    if (!alive.expired())
        elm_ctxpopup_dismiss(obj);
}

void MCommonSelectCtxPopup::_selectAllClickedCb(void* data, Evas_Object* obj, void*) {
    _runItem(data, obj, &MCommonSelectCtxPopup::_selectAllCb);
}

void MCommonSelectCtxPopup::_deselectAllClickedCb(void* data, Evas_Object* obj, void*) {
    _runItem(data, obj, &MCommonSelectCtxPopup::_deselectAllCb);
}

void MCommonSelectCtxPopup::_dismissedCb(void* data, Evas_Object*, void*) {
    common_popup::destroy_later(static_cast<MCommonSelectCtxPopup*>(data));
}

void MCommonSelectCtxPopup::_hideCb(void*, Evas*, Evas_Object* obj, void*) {
    elm_ctxpopup_dismiss(obj);
}

} // namespace msg_app
