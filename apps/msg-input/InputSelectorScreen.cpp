#include "InputSelectorScreen.h"

#include "SelectorAnswer.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "preference.h"
#include "qel.h"

#include <Elementary.h>

#include <cstdlib>
#include <libintl.h>
#include <sstream>

namespace msg_app {
namespace input {

namespace {

constexpr const char* QUICK_REPLIES_KEY = "quick_replies";
constexpr const char* KEYBOARD_TEXT = "WDS_MSG_OPT_KEYBOARD_ABB";
constexpr const char* COULDNT_SEND = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";
const char* const DEFAULT_QUICK_REPLIES[] = {"WDS_MSG_QUICK_REPLY_OK", "WDS_MSG_QUICK_REPLY_ON_MY_WAY",
                                             "WDS_MSG_QUICK_REPLY_CALL_YOU_LATER"};
// Keeps the content inside the round screen.
constexpr int SIDE_MARGIN = 40;
constexpr int BUTTON_MARGIN = 60;
constexpr const char* GUIDE_COLOR = "T022";
constexpr const char* TOOLKIT_GUIDE_COLOR_CLASS = "/fg/disabled/entry/text/guide";

void fillRow(Evas_Object* obj, int margin) {
    evas_object_size_hint_weight_set(obj, EVAS_HINT_EXPAND, 0.0);
    evas_object_size_hint_align_set(obj, EVAS_HINT_FILL, 0.5);
    evas_object_size_hint_padding_set(obj, margin, margin, 0, 0);
}

std::string extra(app_control_h request, const char* key) {
    char* value = nullptr;
    std::string text;
    if (app_control_get_extra_data(request, key, &value) == APP_CONTROL_ERROR_NONE && value)
        text = value;
    free(value);
    return text;
}

// The recipients, as the request's "address:" element lists them.
std::string recipients(app_control_h request) {
    char** items = nullptr;
    int length = 0;
    std::string addresses;
    if (app_control_get_extra_data_array(request, "selector_keyboard_data_array", &items, &length) !=
        APP_CONTROL_ERROR_NONE)
        return addresses;
    for (int i = 0; i < length; ++i) {
        std::string item = items[i];
        if (item.rfind("address:", 0) == 0)
            addresses = item.substr(8);
        free(items[i]);
    }
    free(items);
    for (char& c : addresses)
        if (c == ';')
            c = ',';
    return addresses;
}

std::string translated(const char* id) {
    return dgettext(common_ui_helper::TEXT_DOMAIN, id);
}

// The toolkit draws a single-line entry's guide in its disabled colour, too faint to read on the
// field: in this application it takes the colour of the theme's secondary texts.
void readableGuides() {
    int r = 0, g = 0, b = 0, a = 0;
    if (qel_theme_get_color(GUIDE_COLOR, &r, &g, &b, &a))
        edje_color_class_set(TOOLKIT_GUIDE_COLOR_CLASS, r, g, b, a, 0, 0, 0, 0, 0, 0, 0, 0);
}

// Message text is shown as typed, never as markup, and safe to lay out.
void setPlainText(Evas_Object* label, const std::string& text) {
    elm_object_text_set(label, common_ui_helper::to_label_markup(text, true).c_str());
}

} // namespace

InputSelectorScreen::InputSelectorScreen(app_control_h request) {
    if (request && app_control_clone(&_request, request) != APP_CONTROL_ERROR_NONE)
        _request = nullptr;
}

InputSelectorScreen::~InputSelectorScreen() {
    if (_request)
        app_control_destroy(_request);
}

std::vector<std::string> InputSelectorScreen::quickReplies() {
    std::vector<std::string> replies;
    char* value = nullptr;
    if (preference_get_string(QUICK_REPLIES_KEY, &value) == PREFERENCE_ERROR_NONE && value) {
        std::istringstream lines(value);
        for (std::string line; std::getline(lines, line);)
            if (line.find_first_not_of(" \t\r") != std::string::npos)
                replies.push_back(line);
    }
    free(value);
    if (replies.empty())
        for (const char* id : DEFAULT_QUICK_REPLIES)
            replies.push_back(translated(id));
    return replies;
}

Evas_Object* InputSelectorScreen::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* scroller = elm_scroller_add(parent);
    MSG_RETV_IF(!scroller, nullptr, "elm_scroller_add() failed");
    elm_scroller_policy_set(scroller, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_AUTO);
    elm_scroller_bounce_set(scroller, EINA_FALSE, EINA_TRUE);
    Evas_Object* box = elm_box_add(scroller);
    elm_box_padding_set(box, 0, 8);
    evas_object_size_hint_weight_set(box, EVAS_HINT_EXPAND, 0.0);
    evas_object_size_hint_align_set(box, EVAS_HINT_FILL, 0.0);
    elm_object_content_set(scroller, box);
    evas_object_show(box);

    Evas_Object* top = elm_box_add(box);
    evas_object_size_hint_min_set(top, 0, 36);
    elm_box_pack_end(box, top);
    std::string to = _request ? recipients(_request) : std::string();
    _addLabel(box, to, "input/recipient");
    std::string context = _request ? extra(_request, "template_context") : std::string();
    if (!context.empty())
        _addLabel(box, context, "input/context");
    Evas_Object* entry = _addEntry(box);
    for (const auto& reply : quickReplies())
        _addQuickReply(box, reply);
    _addKeyboardChoice(box);
    Evas_Object* bottom = elm_box_add(box);
    evas_object_size_hint_min_set(bottom, 0, 60);
    elm_box_pack_end(box, bottom);
    elm_object_focus_set(entry, EINA_TRUE);
    return scroller;
}

Evas_Object* InputSelectorScreen::_addLabel(Evas_Object* box, const std::string& text, const char* style) {
    Evas_Object* label = elm_label_add(box);
    elm_object_style_set(label, style);
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    elm_label_wrap_width_set(label, 360 - 2 * SIDE_MARGIN);
    setPlainText(label, text);
    evas_object_size_hint_align_set(label, 0.5, 0.5);
    elm_box_pack_end(box, label);
    evas_object_show(label);
    return label;
}

Evas_Object* InputSelectorScreen::_addEntry(Evas_Object* box) {
    readableGuides();
    Evas_Object* entry = elm_entry_add(box);
    elm_entry_single_line_set(entry, EINA_TRUE);
    elm_entry_scrollable_set(entry, EINA_TRUE);
    elm_entry_input_panel_return_key_type_set(entry, ELM_INPUT_PANEL_RETURN_KEY_TYPE_SEND);
    // This window is the way text comes in: a panel raised over it would hide its own choices.
    elm_entry_input_panel_enabled_set(entry, EINA_FALSE);
    elm_entry_markup_filter_append(entry, common_ui_helper::layout_safe_filter_cb, nullptr);
    elm_object_part_text_set(entry, "elm.guide", translated("WDS_MSG_BODY_ENTER_MESSAGE_ABB").c_str());
    fillRow(entry, SIDE_MARGIN);
    evas_object_smart_callback_add(entry, "activated", _entryActivatedCb, this);
    elm_box_pack_end(box, entry);
    evas_object_show(entry);
    return entry;
}

void InputSelectorScreen::_addQuickReply(Evas_Object* box, const std::string& text) {
    Evas_Object* button = elm_button_add(box);
    elm_object_style_set(button, "input/choice");
    setPlainText(button, text);
    fillRow(button, BUTTON_MARGIN);
    evas_object_smart_callback_add(button, "clicked", _quickReplyCb, this);
    elm_box_pack_end(box, button);
    evas_object_show(button);
}

void InputSelectorScreen::_addKeyboardChoice(Evas_Object* box) {
    Evas_Object* button = elm_button_add(box);
    elm_object_style_set(button, "input/choice");
    elm_object_text_set(button, translated(KEYBOARD_TEXT).c_str());
    fillRow(button, BUTTON_MARGIN);
    evas_object_smart_callback_add(button, "clicked", _keyboardCb, this);
    elm_box_pack_end(box, button);
    evas_object_show(button);
}

void InputSelectorScreen::_finish(bool answered) {
    if (!answered) {
        // The request stays open so that the user can try again.
        MCommonPopup* toast = MCommonPopup::createToastPopup(COULDNT_SEND, nullptr, nullptr);
        if (toast && !attachPopup(toast))
            MSG_LOGE("the toast cannot be shown");
        return;
    }
    _answered = true;
    elm_exit();
}

bool InputSelectorScreen::onPop() {
    if (_request && !_answered) {
        _answered = true;
        SelectorAnswer::cancel(_request);
    }
    return true;
}

void InputSelectorScreen::_entryActivatedCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<InputSelectorScreen*>(data);
    char* text = elm_entry_markup_to_utf8(elm_entry_entry_get(obj));
    std::string typed = text ? text : "";
    free(text);
    // An empty line is no answer; the user may still type or pick.
    if (!self->_request || typed.find_first_not_of(" \t") == std::string::npos)
        return;
    self->_finish(SelectorAnswer::sendText(self->_request, typed));
}

void InputSelectorScreen::_quickReplyCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<InputSelectorScreen*>(data);
    char* text = elm_entry_markup_to_utf8(elm_object_text_get(obj));
    std::string reply = text ? text : "";
    free(text);
    if (self->_request)
        self->_finish(SelectorAnswer::sendText(self->_request, reply));
}

void InputSelectorScreen::_keyboardCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<InputSelectorScreen*>(data);
    if (self->_request)
        self->_finish(SelectorAnswer::openKeyboard(self->_request));
}

} // namespace input
} // namespace msg_app
