// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "list/MLItem/MLItemButtonMenu.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"

#include <cstring>

namespace msg_app {
namespace msg_list {

// The genlist deletes the swallowed buttons with the row's view; the row only stops watching them.
MLItemButtonMenu::~MLItemButtonMenu() {
    for (Evas_Object* button : {_composeButton, _contactsButton, _baseButton}) {
        if (button)
            evas_object_event_callback_del_full(button, EVAS_CALLBACK_DEL, _objectDelCb, this);
    }
}

Elm_Genlist_Item_Class* MLItemButtonMenu::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = "list/title_menu";
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MLItemButtonMenu::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY);
}

// The row owns its buttons; the genlist only borrows them, so a deleted button must be forgotten.
void MLItemButtonMenu::_objectDelCb(void* data, Evas* /*evas*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MLItemButtonMenu*>(data);
    for (Evas_Object** slot : {&self->_composeButton, &self->_contactsButton, &self->_baseButton}) {
        if (*slot == obj)
            *slot = nullptr;
    }
}

void MLItemButtonMenu::_track(Evas_Object*& slot, Evas_Object* obj) {
    slot = obj;
    if (obj)
        evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
}

Evas_Object* MLItemButtonMenu::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    auto* self = static_cast<MLItemButtonMenu*>(data);
    if (!strcmp(part, "elm.icon.1")) {
        if (!self->_composeButton)
            self->_track(self->_composeButton,
                         self->_createButton(obj, "img/list/title/composer", "WDS_MSG_OPT_NEW_MESSAGE_ABB",
                                             _composeClickedCb));
        return self->_composeButton;
    }
    if (!strcmp(part, "elm.icon.2")) {
        if (!self->_contactsButton)
            self->_track(self->_contactsButton,
                         self->_createButton(obj, "img/list/title/recipients", "WDS_WMGR_TBOPT_CONTACTS",
                                             _contactsClickedCb));
        return self->_contactsButton;
    }
    if (!strcmp(part, "base")) {
        if (!self->_baseButton)
            self->_track(self->_baseButton, self->_createBase(obj));
        return self->_baseButton;
    }
    return nullptr;
}

Evas_Object* MLItemButtonMenu::_createButton(Evas_Object* parent, const char* group, const char* nameId,
                                             Edje_Signal_Cb clickedCb) {
    Evas_Object* button = elm_layout_add(parent);
    MSG_RETV_IF(!button, nullptr, "elm_layout_add() failed");
    if (!elm_layout_file_set(button, common_util::get_image_edj().c_str(), group))
        MSG_LOGE("no group %s in the image theme", group);
    int size = scaled(BUTTON_SIZE);
    evas_object_size_hint_min_set(button, size, size);
    evas_object_propagate_events_set(button, EINA_FALSE);
    // The image's "event" part covers the whole touch area, larger than the drawn disc.
    elm_layout_signal_callback_add(button, "mouse,clicked,*", "event", clickedCb, this);
    efl_access_object_role_set(button, EFL_ACCESS_ROLE_PUSH_BUTTON);
    efl_access_object_i18n_name_set(button, common_ui_helper::get_text(nameId));
    efl_access_object_reading_info_type_set(
        button, static_cast<Efl_Access_Reading_Info_Type>(EFL_ACCESS_READING_INFO_TYPE_NAME |
                                                          EFL_ACCESS_READING_INFO_TYPE_ROLE));
    efl_access_object_access_type_set(button, EFL_ACCESS_TYPE_REGULAR);
    elm_access_action_cb_set(button, ELM_ACCESS_ACTION_ACTIVATE, _accessActivateCb, this);
    evas_object_show(button);
    if (_style != LIST_STYLE_NORMAL) {
        elm_object_disabled_set(button, EINA_TRUE);
        evas_object_freeze_events_set(button, EINA_TRUE);
    }
    return button;
}

// Only the press shows, drawn by the theme's own programs: a layout of the button's look, not a
// button, which would be themed twice (its default look, then this one) for no behaviour of its own.
Evas_Object* MLItemButtonMenu::_createBase(Evas_Object* parent) {
    Evas_Object* base = elm_layout_add(parent);
    MSG_RETV_IF(!base, nullptr, "elm_layout_add() failed");
    if (!elm_layout_theme_set(base, "button", "base", "list/transparent"))
        MSG_LOGE("no transparent button look");
    efl_access_object_access_type_set(base, EFL_ACCESS_TYPE_SKIPPED);
    evas_object_show(base);
    return base;
}

void MLItemButtonMenu::_composeClickedCb(void* data, Evas_Object*, const char*, const char*) {
    static_cast<MLItemButtonMenu*>(data)->_onComposeClicked();
}

void MLItemButtonMenu::_contactsClickedCb(void* data, Evas_Object*, const char*, const char*) {
    static_cast<MLItemButtonMenu*>(data)->_onContactsClicked();
}

Eina_Bool MLItemButtonMenu::_accessActivateCb(void* data, Evas_Object* obj,
                                              Elm_Access_Action_Info* /*info*/) {
    auto* self = static_cast<MLItemButtonMenu*>(data);
    if (obj == self->_composeButton)
        self->_onComposeClicked();
    else if (obj == self->_contactsButton)
        self->_onContactsClicked();
    return EINA_TRUE;
}

void MLItemButtonMenu::_onComposeClicked() {
    MSG_RET_IF(_style != LIST_STYLE_NORMAL, "not in normal style");
    dazo_log::insert("NMBN", nullptr);
    if (_onCompose)
        _onCompose();
    common_ui_helper::playFeedback(FEEDBACK_PATTERN_TAP, FEEDBACK_TYPE_NONE);
}

void MLItemButtonMenu::_onContactsClicked() {
    MSG_RET_IF(_style != LIST_STYLE_NORMAL, "not in normal style");
    dazo_log::insert("CTBN", nullptr);
    MCommonAppLaunchMgr::getInstance()->launchContactMain();
    common_ui_helper::playFeedback(FEEDBACK_PATTERN_TAP, FEEDBACK_TYPE_NONE);
}

void MLItemButtonMenu::_setButtonsEnabled(bool enabled) {
    for (Evas_Object* button : {_composeButton, _contactsButton}) {
        if (!button)
            continue;
        elm_object_disabled_set(button, enabled ? EINA_FALSE : EINA_TRUE);
        evas_object_freeze_events_set(button, enabled ? EINA_FALSE : EINA_TRUE);
    }
}

void MLItemButtonMenu::setStyle(ListStyle style) {
    _style = style;
    _setButtonsEnabled(style == LIST_STYLE_NORMAL);
}

void MLItemButtonMenu::setAccessInnerOrder(bool* forcedHighlightOnTop) {
    Elm_Object_Item* item = getElmObjectItem();
    if (item)
        efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_ROLE);
    bool normal = _style == LIST_STYLE_NORMAL;
    for (Evas_Object* button : {_composeButton, _contactsButton}) {
        if (button)
            efl_access_object_access_type_set(button,
                                              normal ? EFL_ACCESS_TYPE_REGULAR : EFL_ACCESS_TYPE_SKIPPED);
    }
    if (!normal)
        return;
    if (item && _composeButton)
        efl_access_object_relationship_append(item, EFL_ACCESS_RELATION_TYPE_FLOWS_TO, _composeButton);
    if (_composeButton && _contactsButton)
        common_ui_helper::set_access_previous_next(_composeButton, _contactsButton);
    if (!forcedHighlightOnTop)
        MSG_LOGW("bForcedHightlightOnTop is null");
    else if (*forcedHighlightOnTop)
        *forcedHighlightOnTop = false;
}

void MLItemButtonMenu::setAccessPreviousObj(Evas_Object* obj) {
    if (obj && _composeButton)
        common_ui_helper::set_access_previous_next(obj, _composeButton);
}

void MLItemButtonMenu::setAccessNextObj(Evas_Object* obj) {
    if (obj && _contactsButton)
        common_ui_helper::set_access_previous_next(_contactsButton, obj);
}

} // namespace msg_list
} // namespace msg_app
