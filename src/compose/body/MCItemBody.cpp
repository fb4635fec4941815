// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "compose/body/MCItemBody.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/ui/MCommonI18n.h"
#include "compose/MCUiHelper.h"
#include "compose/MCUtil.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {
constexpr const char* ENTRY_PART = "elm.swallow.entry";
constexpr const char* COUNTER_PART = "elm.swallow.counter";
constexpr const char* SEND_PART = "elm.swallow.send";
constexpr const char* SEND_ICON = "img/option/send_msg";
constexpr int SEND_BUTTON_SIZE = 64;
} // namespace

MCItemBody::MCItemBody(const char* text, bool reducedLimit)
    : _text(text ? text : ""), _reducedLimit(reducedLimit) {
    // The type is known before the row is drawn, so that the screen starts with the right one.
    int size = 0;
    int limit = 0;
    _msgType = MCUtil::isTextOverSmsLimit(_text.data(), nullptr, &size, &limit, _reducedLimit) ? MSG_TYPE_MMS
                                                                                               : MSG_TYPE_SMS;
}

MCItemBody::~MCItemBody() {
    for (Evas_Object* obj : {_entry, _counter, _sendBtn}) {
        if (obj)
            evas_object_event_callback_del_full(obj, EVAS_CALLBACK_DEL, _objDelCb, this);
    }
}

Elm_Genlist_Item_Class* MCItemBody::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = ITEM_STYLE;
    itc->func.content_get = _contentGetCb;
    itc->func.reusable_content_get = _reusableContentGetCb;
    return itc;
}

void MCItemBody::onSetElmObjectItem(Elm_Object_Item* item) {
    // The row itself does nothing on a tap; its preview and button do.
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
}

Evas_Object* MCItemBody::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    auto* self = static_cast<MCItemBody*>(data);
    if (!part)
        return nullptr;
    if (!std::strcmp(part, ENTRY_PART))
        return self->_createEntry(obj);
    if (!std::strcmp(part, COUNTER_PART))
        return self->_createCounter(obj);
    if (!std::strcmp(part, SEND_PART))
        return self->_createSendButton(obj);
    return nullptr;
}

Evas_Object* MCItemBody::_reusableContentGetCb(void* data, Evas_Object* /*obj*/, const char* part,
                                               Evas_Object* old) {
    auto* self = static_cast<MCItemBody*>(data);
    if (!self || !part || !old)
        return nullptr;
    // The genlist lays the row out several times before its first frame: the widgets it had stay,
    // and only what a new language changes is set again.
    if (old == self->_entry && !std::strcmp(part, ENTRY_PART)) {
        self->_fillEntry();
        return old;
    }
    if (old == self->_counter && !std::strcmp(part, COUNTER_PART)) {
        self->_updateRemainInfo();
        return old;
    }
    if (old == self->_sendBtn && !std::strcmp(part, SEND_PART)) {
        self->_nameSendButton();
        return old;
    }
    return nullptr;
}

void MCItemBody::_objDelCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemBody*>(data);
    if (obj == self->_entry)
        self->_entry = nullptr;
    else if (obj == self->_counter)
        self->_counter = nullptr;
    else if (obj == self->_sendBtn)
        self->_sendBtn = nullptr;
}

Evas_Object* MCItemBody::_createEntry(Evas_Object* parent) {
    Evas_Object* entry = MCUiHelper::createEntry(parent);
    MSG_RETV_IF(!entry, nullptr, "entry is nullptr");
    elm_entry_editable_set(entry, EINA_FALSE);
    elm_entry_single_line_set(entry, EINA_FALSE);
    elm_entry_line_wrap_set(entry, ELM_WRAP_MIXED);
    // A long text keeps the row's height: the preview shows its first lines, the editor the rest.
    elm_object_style_set(entry, "composer/preview");
    elm_entry_scrollable_set(entry, EINA_TRUE);
    elm_scroller_policy_set(entry, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_OFF);
    elm_entry_text_style_user_push(
        entry, common_ui_helper::theme_text_style(BODY_FONT_CODE, BODY_COLOR_CODE, "align=center").c_str());
    evas_object_smart_callback_add(entry, "clicked", _entryClickedCb, this);
    evas_object_event_callback_add(entry, EVAS_CALLBACK_DEL, _objDelCb, this);
    _entry = entry;
    _fillEntry();
    return entry;
}

void MCItemBody::_fillEntry() {
    MCUiHelper::setGuideTextStyle(_entry, "AT022", "AT0271", common_ui_helper::get_text(GUIDE_ID));
    _showText();
}

Evas_Object* MCItemBody::_createCounter(Evas_Object* parent) {
    Evas_Object* counter = MCUiHelper::createCustomLayout(parent, COUNTER_GROUP);
    MSG_RETV_IF(!counter, nullptr, "counter is nullptr");
    // "23/160" keeps its order in a right-to-left language: the counter is not mirrored.
    elm_object_mirrored_automatic_set(counter, EINA_FALSE);
    elm_object_mirrored_set(counter, EINA_FALSE);
    evas_object_event_callback_add(counter, EVAS_CALLBACK_DEL, _objDelCb, this);
    _counter = counter;
    _updateRemainInfo();
    return counter;
}

Evas_Object* MCItemBody::_createSendButton(Evas_Object* parent) {
    Evas_Object* button =
        MCUiHelper::createImageButton(parent, "composer/send", SEND_ICON, SEND_BUTTON_SIZE, SEND_BUTTON_SIZE);
    MSG_RETV_IF(!button, nullptr, "button is nullptr");
    evas_object_smart_callback_add(button, "clicked", _sendClickedCb, this);
    evas_object_event_callback_add(button, EVAS_CALLBACK_DEL, _objDelCb, this);
    _sendBtn = button;
    _nameSendButton();
    return button;
}

void MCItemBody::_nameSendButton() {
    efl_access_object_i18n_name_set(_sendBtn, common_ui_helper::get_text("WDS_MSG_OPT_SEND_MESSAGE_ABB"));
}

void MCItemBody::setTextToEntry(const char* text) {
    _text = text ? text : "";
    _showText();
    _updateRemainInfo();
}

void MCItemBody::_showText() {
    MSG_RET_IF(!_entry, "entry is nullptr");
    // The text is sent as it is; what is shown of it is safe to lay out.
    char* markup = elm_entry_utf8_to_markup(common_ui_helper::to_layout_safe(_text).c_str());
    elm_entry_entry_set(_entry, markup ? markup : "");
    std::free(markup);
    // The preview shows the text's first lines whole: a cursor at the end scrolled the preview to
    // its last lines, cutting the first one shown. A tap still leaves the cursor where it lands.
    elm_entry_cursor_begin_set(_entry);
}

int MCItemBody::getCursorPos() const {
    return _entry ? elm_entry_cursor_pos_get(_entry) : -1;
}

void MCItemBody::_setCounterParts(const char* remain, const char* slash, const char* max, const char* mms) {
    elm_object_part_text_set(_counter, "remain/char", remain);
    elm_object_part_text_set(_counter, "slash/char", slash);
    elm_object_part_text_set(_counter, "max/char", max);
    elm_object_part_text_set(_counter, "mms/char", mms);
}

void MCItemBody::_updateRemainInfo() {
    int size = 0;
    int limit = 0;
    MsgType type = MCUtil::isTextOverSmsLimit(_text.data(), nullptr, &size, &limit, _reducedLimit)
                       ? MSG_TYPE_MMS
                       : MSG_TYPE_SMS;
    if (type != _msgType) {
        MSG_LOGI("msgType changed %d -> %d", _msgType, type);
        _msgType = type;
        if (_typeChangedCb)
            _typeChangedCb(type);
    }
    if (!_counter)
        return;
    if (type == MSG_TYPE_MMS) {
        _setCounterParts("", "", "", common_ui_helper::get_text(MMS_MARK_ID));
        efl_access_object_i18n_name_set(_counter, common_ui_helper::get_text(MMS_MARK_ID));
        return;
    }
    std::string sizeText;
    std::string limitText;
    MCommonI18n::getInstance()->getFormattedNumberText(size, sizeText);
    MCommonI18n::getInstance()->getFormattedNumberText(limit, limitText);
    _setCounterParts(sizeText.c_str(), "/", limitText.c_str(), "");
    evas_object_data_set(_counter, "encodedTextSize", reinterpret_cast<void*>(static_cast<intptr_t>(size)));
    evas_object_data_set(_counter, "smsMaxSize", reinterpret_cast<void*>(static_cast<intptr_t>(limit)));
    char spoken[256] = {0};
    std::snprintf(spoken, sizeof(spoken), common_ui_helper::get_text(COUNTER_ACCESS_ID), size, limit);
    efl_access_object_i18n_name_set(_counter, spoken);
}

void MCItemBody::setAccessLoop() {
    if (_entry && _sendBtn)
        common_ui_helper::set_access_previous_next(_entry, _sendBtn);
}

Evas_Object* MCItemBody::getLatestAccessObj() const {
    return _sendBtn ? _sendBtn : _entry;
}

void MCItemBody::appEventListener(MCommonAppEventType type) {
    // A new language changes the guide, the MMS mark and the digits.
    if (type == APP_EVENT_LANGUAGE_CHANGED && getElmObjectItem())
        elm_genlist_item_update(getElmObjectItem());
}

void MCItemBody::_entryClickedCb(void* data, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemBody*>(data);
    if (self->_bodyClickCb)
        self->_bodyClickCb(obj, self->_msgType);
}

void MCItemBody::_sendClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemBody*>(data);
    if (self->_sendClickCb)
        self->_sendClickCb(self->_entry);
}

} // namespace compose
} // namespace msg_app
