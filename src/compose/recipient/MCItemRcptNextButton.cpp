#include "compose/recipient/MCItemRcptNextButton.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"

#include <cstring>

namespace msg_app {
namespace compose {

Elm_Genlist_Item_Class* MCItemRcptNextButton::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = "composer.rcpt.next";
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MCItemRcptNextButton::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
}

void MCItemRcptNextButton::setButtonEnable(bool enable) {
    _enabled = enable;
    for (Evas_Object* button : _buttons.all())
        elm_object_disabled_set(button, !enable);
}

Evas_Object* MCItemRcptNextButton::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || std::strcmp(part, "elm.icon") != 0)
        return nullptr;
    return static_cast<MCItemRcptNextButton*>(data)->_createButton(obj);
}

Evas_Object* MCItemRcptNextButton::_createButton(Evas_Object* parent) {
    Evas_Object* button = elm_button_add(parent);
    MSG_RETV_IF(!button, nullptr, "elm_button_add failed");
    elm_object_style_set(button, "bottom");
    elm_object_text_set(button, common_ui_helper::get_text(TEXT_ID));
    elm_object_disabled_set(button, !_enabled);
    evas_object_propagate_events_set(button, EINA_FALSE);
    _buttons.add(button, "clicked", _clickedCb, this);
    return button;
}

void MCItemRcptNextButton::_clickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemRcptNextButton*>(data);
    if (self->_onClicked)
        self->_onClicked();
}

} // namespace compose
} // namespace msg_app
