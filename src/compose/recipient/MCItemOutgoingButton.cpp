#include "compose/recipient/MCItemOutgoingButton.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/popup/MCommonPopup.h"
#include "compose/send/MCOutgoingChoice.h"
#include "preference.h"
#include "view_kit/WViewController.h"

#include <cstring>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* PHONE_PART = "elm.icon.1";
constexpr const char* WATCH_PART = "elm.icon.2";
} // namespace

MCItemOutgoingButton::MCItemOutgoingButton() {
    int err = preference_set_changed_cb(preference::KEY_PEER_CONNECTION_STATUS, _peerChangedCb, this);
    if (err != PREFERENCE_ERROR_NONE)
        MSG_LOGE("preference_set_changed_cb(MSG_STORE_PREFERENCE_INT_PEER_CONNECTION_STATUS) fail");
    _watching = err == PREFERENCE_ERROR_NONE;
}

MCItemOutgoingButton::~MCItemOutgoingButton() {
    if (_watching)
        preference_unset_changed_cb(preference::KEY_PEER_CONNECTION_STATUS);
}

Elm_Genlist_Item_Class* MCItemOutgoingButton::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = "composer.outgoing";
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MCItemOutgoingButton::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
}

void MCItemOutgoingButton::updateButtonState() {
    MCOutgoingChoice::chooseDefault();
    _showSelected();
}

void MCItemOutgoingButton::_showSelected() {
    SendBy road = MCOutgoingMgr::getInstance()->getSendBy();
    for (Evas_Object* layout : _layouts.all()) {
        elm_object_signal_emit(layout, road == SendBy::PHONE ? "state,selected" : "state,default",
                               PHONE_PART);
        elm_object_signal_emit(layout, road == SendBy::HULM ? "state,selected" : "state,default", WATCH_PART);
    }
}

Evas_Object* MCItemOutgoingButton::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || std::strcmp(part, "elm.icon") != 0)
        return nullptr;
    return static_cast<MCItemOutgoingButton*>(data)->_createContent(obj);
}

Evas_Object* MCItemOutgoingButton::_addButton(Evas_Object* layout, const char* part, const char* image) {
    Evas_Object* button = elm_button_add(layout);
    elm_object_style_set(button, "composer/icon");
    Evas_Object* icon = elm_image_add(button);
    elm_image_file_set(icon, common_util::get_image_edj().c_str(), image);
    elm_object_part_content_set(button, "elm.swallow.content", icon);
    evas_object_propagate_events_set(button, EINA_FALSE);
    elm_object_part_content_set(layout, part, button);
    return button;
}

Evas_Object* MCItemOutgoingButton::_createContent(Evas_Object* parent) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "composer/2button");
    Evas_Object* phone = _addButton(layout, PHONE_PART, "img/composer/title/phone");
    Evas_Object* watch = _addButton(layout, WATCH_PART, "img/composer/title/watch");
    elm_access_info_set(
        phone, ELM_ACCESS_INFO,
        common_ui_helper::get_text("WDS_TTS_TBOPT_SET_OUTGOING_NUMBER_TO_MOBILE_PHONE_NUMBER"));
    elm_access_info_set(watch, ELM_ACCESS_INFO,
                        common_ui_helper::get_text("WDS_TTS_TBOPT_SET_OUTGOING_NUMBER_TO_HULM_PHONE_NUMBER"));
    _layouts.add(layout, nullptr, nullptr, nullptr);
    _phones.add(phone, "clicked", _phoneClickedCb, this);
    _watches.add(watch, "clicked", _watchClickedCb, this);
    _showSelected();
    return layout;
}

void MCItemOutgoingButton::_choose(SendBy road) {
    if (MCOutgoingChoice::choose(road))
        _showSelected();
    else
        _showToast(CANT_CHANGE_ID);
}

void MCItemOutgoingButton::_showToast(const char* textId) {
    auto parent = getParentViewController();
    MSG_RET_IF(!parent, "no screen for the toast");
    parent->attachPopup(MCommonPopup::createToastPopup(textId, nullptr, nullptr));
}

void MCItemOutgoingButton::_phoneClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCItemOutgoingButton*>(data)->_choose(SendBy::PHONE);
}

void MCItemOutgoingButton::_watchClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCItemOutgoingButton*>(data)->_choose(SendBy::HULM);
}

void MCItemOutgoingButton::_peerChangedCb(const char* /*key*/, void* data) {
    static_cast<MCItemOutgoingButton*>(data)->updateButtonState();
}

} // namespace compose
} // namespace msg_app
