#include "compose/body/MCBodyEntryContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/MCUiHelper.h"
#include "compose/MCUtil.h"
#include "compose/body/MCBodyLengthFilter.h"
#include "compose/body/MCItemBody.h"
#include "compose/launch/MCAppControlParser.h"
#include "zeq_feature.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {
constexpr const char* ENTRY_PART = "elm.swallow.entry";
constexpr const char* HAPTIC_COUNTRY = "KR";
constexpr const char* PARAGRAPH_SEPARATOR = "\xE2\x80\xA9";
} // namespace

MCBodyEntryContentViewController::MCBodyEntryContentViewController(Evas_Object* /*parent*/, MsgType msgType,
                                                                   app_control_h /*handle*/)
    : _msgType(msgType) {
    setName(NAME);
}

void MCBodyEntryContentViewController::setInitialText(const std::string& text, int cursorPos) {
    _initialText = text;
    _initialCursor = cursorPos;
}

bool MCBodyEntryContentViewController::onCreate(void* /*param*/) {
    _reducedLimit = zeq_feature_get_bool(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT);
    _mmsSupported = common_util::is_support_MMS();
    return true;
}

Evas_Object* MCBodyEntryContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _layout = MCUiHelper::createCustomLayout(parent, LAYOUT_GROUP);
    MSG_RETV_IF(!_layout, nullptr, "layout is nullptr");
    _entry = MCUiHelper::createEntry(_layout);
    MSG_RETV_IF(!_entry, _layout, "entry is nullptr");
    elm_entry_single_line_set(_entry, EINA_FALSE);
    elm_entry_line_wrap_set(_entry, ELM_WRAP_MIXED);
    elm_entry_scrollable_set(_entry, EINA_TRUE);
    elm_object_style_set(_entry, "composer/editor");
    // Centred, as every text of the round screen: above the input panel it is one short line.
    elm_entry_text_style_user_push(_entry, common_ui_helper::theme_text_style(MCItemBody::BODY_FONT_CODE,
                                                                              MCItemBody::BODY_COLOR_CODE,
                                                                              "align=center")
                                               .c_str());
    elm_entry_input_panel_return_key_type_set(_entry, ELM_INPUT_PANEL_RETURN_KEY_TYPE_DONE);
    // What is typed or pasted goes in safe to lay out, before its length is judged.
    elm_entry_markup_filter_append(_entry, common_ui_helper::layout_safe_filter_cb, nullptr);
    elm_entry_markup_filter_append(_entry, _filterCb, this);
    evas_object_smart_callback_add(_entry, "changed", _changedCb, this);
    evas_object_event_callback_add(_entry, EVAS_CALLBACK_KEY_DOWN, _keyDownCb, this);
    if (Ecore_IMF_Context* imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(_entry))) {
        ecore_imf_context_input_panel_event_callback_add(imf, ECORE_IMF_INPUT_PANEL_STATE_EVENT,
                                                         _panelStateCb, this);
        ecore_imf_context_input_panel_event_callback_add(imf, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT,
                                                         _panelGeometryCb, this);
    }
    elm_object_part_content_set(_layout, ENTRY_PART, _entry);
    return _layout;
}

void MCBodyEntryContentViewController::onPushed(Elm_Object_Item* naviItem) {
    if (naviItem)
        elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    MSG_RET_IF(!_entry, "entry is nullptr");
    // The starting text is already in the limit: it is set past the filter.
    char* markup = elm_entry_utf8_to_markup(common_ui_helper::to_layout_safe(_initialText).c_str());
    elm_entry_markup_filter_remove(_entry, _filterCb, this);
    elm_entry_entry_set(_entry, markup ? markup : "");
    elm_entry_markup_filter_append(_entry, _filterCb, this);
    std::free(markup);
    elm_entry_input_panel_return_key_disabled_set(_entry, _initialText.empty());
    elm_object_focus_set(_entry, EINA_TRUE);
    if (_initialCursor < 0 || common_util::is_screen_reader_enabled())
        elm_entry_cursor_end_set(_entry);
    else
        elm_entry_cursor_pos_set(_entry, _initialCursor);
}

bool MCBodyEntryContentViewController::onPop() {
    _closing = true;
    if (_onPopSaveEntry)
        _onPopSaveEntry(_entry);
    return true;
}

void MCBodyEntryContentViewController::onDestroy() {
    if (!_entry)
        return;
    if (Ecore_IMF_Context* imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(_entry))) {
        ecore_imf_context_input_panel_event_callback_del(imf, ECORE_IMF_INPUT_PANEL_STATE_EVENT,
                                                         _panelStateCb);
        ecore_imf_context_input_panel_event_callback_del(imf, ECORE_IMF_INPUT_PANEL_GEOMETRY_EVENT,
                                                         _panelGeometryCb);
    }
    evas_object_smart_callback_del_full(_entry, "changed", _changedCb, this);
    evas_object_event_callback_del_full(_entry, EVAS_CALLBACK_KEY_DOWN, _keyDownCb, this);
    elm_entry_markup_filter_remove(_entry, _filterCb, this);
    _entry = nullptr;
}

std::string MCBodyEntryContentViewController::getPlainText() const {
    return _entry ? MCBodyLengthFilter::toPlainText(elm_entry_entry_get(_entry)) : std::string();
}

bool MCBodyEntryContentViewController::_isOverLimit(const std::string& text) const {
    // The composer keeps a shared text whole wherever MMS can carry it, whatever the request's
    // address looked like; the editor must take that text, and edit it, within the same limit.
    if (_mmsSupported)
        return MCUtil::isTextOverMmsLimit(const_cast<char*>(text.c_str()), nullptr, nullptr, nullptr,
                                          _reducedLimit);
    return MCUtil::isTextOverSmsLimit(const_cast<char*>(text.c_str()), nullptr, nullptr, nullptr,
                                      _reducedLimit);
}

void MCBodyEntryContentViewController::_filterCb(void* data, Evas_Object* /*entry*/, char** text) {
    static_cast<MCBodyEntryContentViewController*>(data)->_filter(text);
}

void MCBodyEntryContentViewController::_filter(char** text) {
    if (!text || !*text || !**text || !_entry)
        return;
    // The Return key ends the editing; the break it would type is not part of a watch message.
    std::string typed = MCBodyLengthFilter::toPlainText(*text);
    if (typed == "\n" || typed == PARAGRAPH_SEPARATOR) {
        std::free(*text);
        *text = nullptr;
        return;
    }
    bool preedit = MCBodyLengthFilter::hasPreedit(*text);
    std::string current = getPlainText();
    // Where the text goes in: the cursor, counted in characters of the plain text.
    size_t at = MCBodyLengthFilter::byteOffset(current, elm_entry_cursor_pos_get(_entry));
    std::string insertion = MCBodyLengthFilter::toPlainText(*text);
    MCBodyLengthFilter filter([this](const std::string& whole) { return _isOverLimit(whole); });
    MCBodyLengthFilter::Result result = filter.fit(current.substr(0, at), insertion, current.substr(at));
    if (!result.cut)
        return;
    std::free(*text);
    *text = nullptr;
    // An input method's proposal is taken whole or not at all.
    if (result.kept.empty() || preedit) {
        MSG_LOGI("nothing of the insertion fits");
        // No change follows to show the toast on, so it shows now.
        if (!_toastJob.isPending())
            _toastJob.start([this] { _showMaxToast(); });
        return;
    }
    _maxToastPending = true;
    *text = elm_entry_utf8_to_markup(result.kept.c_str());
}

void MCBodyEntryContentViewController::_showMaxToast() {
    if (!attachPopup(MCommonPopup::createToastPopup(MAX_CHARACTERS_ID, nullptr, nullptr)))
        MSG_LOGE("the maximum-characters toast cannot be shown");
}

void MCBodyEntryContentViewController::_changedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCBodyEntryContentViewController*>(data)->_onChanged();
}

void MCBodyEntryContentViewController::_onChanged() {
    std::string text = getPlainText();
    if (text.empty()) {
        elm_entry_input_panel_return_key_disabled_set(_entry, EINA_TRUE);
        _setMsgType(MSG_TYPE_SMS);
        return;
    }
    if (_maxToastPending) {
        _maxToastPending = false;
        _showMaxToast();
    }
    elm_entry_input_panel_return_key_disabled_set(_entry, EINA_FALSE);
    bool over = MCUtil::isTextOverSmsLimit(&text[0], nullptr, nullptr, nullptr, _reducedLimit);
    _setMsgType(over ? MSG_TYPE_MMS : MSG_TYPE_SMS);
}

void MCBodyEntryContentViewController::_setMsgType(MsgType msgType) {
    if (msgType == _msgType)
        return;
    _msgType = msgType;
    MSG_LOGI("msgType : %d", msgType);
    std::string country;
    if (msgType == MSG_TYPE_MMS && common_util::get_country_iso(country) && country == HAPTIC_COUNTRY)
        common_ui_helper::playFeedback(FEEDBACK_PATTERN_TYPE_SWITCH, FEEDBACK_TYPE_VIBRATION);
}

void MCBodyEntryContentViewController::_close() {
    if (_closing)
        return;
    _closing = true;
    if (_onPopKeypadActivated)
        _onPopKeypadActivated(_entry);
    popOut();
}

void MCBodyEntryContentViewController::_keyDownCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/,
                                                  void* eventInfo) {
    auto* self = static_cast<MCBodyEntryContentViewController*>(data);
    auto* event = static_cast<Evas_Event_Key_Down*>(eventInfo);
    if (!event || !event->key)
        return;
    // The input panel's Done key ends the editing; a line break is not part of a watch message.
    if (!std::strcmp(event->key, "Return") || !std::strcmp(event->key, "KP_Enter")) {
        event->event_flags = static_cast<Evas_Event_Flags>(event->event_flags | EVAS_EVENT_FLAG_ON_HOLD);
        if (!self->getPlainText().empty())
            self->_close();
    }
}

void MCBodyEntryContentViewController::_panelStateCb(void* data, Ecore_IMF_Context* /*ctx*/, int value) {
    auto* self = static_cast<MCBodyEntryContentViewController*>(data);
    if (value == ECORE_IMF_INPUT_PANEL_STATE_HIDE && self->_entry && elm_object_focus_get(self->_entry) &&
        !self->_closing) {
        self->_closing = true;
        self->popOut();
    }
}

void MCBodyEntryContentViewController::_panelGeometryCb(void* data, Ecore_IMF_Context* /*ctx*/,
                                                        int /*value*/) {
    static_cast<MCBodyEntryContentViewController*>(data)->_onPanelGeometry();
}

void MCBodyEntryContentViewController::_onPanelGeometry() {
    Ecore_IMF_Context* imf =
        _entry ? static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(_entry)) : nullptr;
    MSG_RET_IF(!imf || !_layout, "no input panel");
    int x = 0, y = 0, w = 0, h = 0;
    ecore_imf_context_input_panel_geometry_get(imf, &x, &y, &w, &h);
    if (h >= PANEL_WITH_PREDICTION)
        elm_object_signal_emit(_layout, "prediction,on,layout", "");
    else if (h >= PANEL_WITHOUT_PREDICTION)
        elm_object_signal_emit(_layout, "prediction,off,layout", "");
    else
        elm_object_signal_emit(_layout, "default,layout", "");
}

} // namespace compose
} // namespace msg_app
