// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "compose/recipient/MCRecipientSearchBarViewController.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "compose/MCUiHelper.h"
#include "compose/MCUtil.h"
#include "compose/recipient/MCRecipientSearch.h"

#include <glib.h>

namespace msg_app {
namespace compose {

namespace {

// The image of each button look, in the application's images.
const char* iconImage(MCRecipientSearchBarViewController::ButtonIcon icon) {
    return icon == MCRecipientSearchBarViewController::ICON_ARROW ? "img/composer/predict_arrow"
                                                                  : "img/composer/predict_plus";
}

// What the button does, as a reader names it: the arrow shows every match, the plus takes this one.
const char* iconName(MCRecipientSearchBarViewController::ButtonIcon icon) {
    return icon == MCRecipientSearchBarViewController::ICON_ARROW ? "WDS_QUIVO_HEADER_SEARCH_RESULTS_ABB"
                                                                  : "WDS_MSG_TTS_ADD_RECIPIENT";
}

std::string firstString(contacts_list_h list, unsigned int property) {
    contacts_record_h record = nullptr;
    char* value = nullptr;
    if (contacts_list_get_current_record_p(list, &record) != CONTACTS_ERROR_NONE ||
        contacts_record_get_str_p(record, property, &value) != CONTACTS_ERROR_NONE || !value)
        return std::string();
    return value;
}

} // namespace

MCRecipientSearchBarViewController::MCRecipientSearchBarViewController(RcptSearchBarStyle style)
    : _style(style) {}

MCRecipientSearchBarViewController::~MCRecipientSearchBarViewController() {
    view_kit::WTimer::destroy(_timer);
}

Evas_Object* MCRecipientSearchBarViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = MCUiHelper::createCustomLayout(parent, "composer/recipient/searchbar");
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    _readerOn = common_util::is_screen_reader_enabled();
    _button = elm_button_add(layout);
    elm_object_style_set(_button, "composer/icon");
    Evas_Object* image = elm_image_add(_button);
    elm_object_part_content_set(_button, "elm.swallow.content", image);
    evas_object_smart_callback_add(_button, "clicked", _buttonClickedCb, this);
    elm_object_part_content_set(layout, "elm.swallow.button", _button);
    elm_layout_signal_callback_add(layout, "searchbar,clicked", "", _barClickedCb, this);
    elm_object_signal_emit(
        layout, _style == RcptSearchBarStyle::BUTTON ? "searchbar,style,button" : "searchbar,style,bar", "");
    return layout;
}

void MCRecipientSearchBarViewController::onDestroy() {
    view_kit::WTimer::destroy(_timer);
    if (_button)
        evas_object_smart_callback_del_full(_button, "clicked", _buttonClickedCb, this);
    if (Evas_Object* layout = getEvasObject())
        elm_layout_signal_callback_del(layout, "searchbar,clicked", "", _barClickedCb);
    _button = nullptr;
}

bool MCRecipientSearchBarViewController::show() {
    MSG_RETV_IF(_style == RcptSearchBarStyle::NONE, false, "_style isn't set yet");
    MSG_RETV_IF(!_onShow, false, "_showCb is nullptr");
    MSG_RETV_IF(_searchedAddress.empty(), false, "_searchedAddress is empty.");
    if (Evas_Object* layout = getEvasObject())
        elm_object_signal_emit(
            layout, _style == RcptSearchBarStyle::BUTTON ? "searchbar,style,button" : "searchbar,style,bar",
            "");
    _visible = _onShow(_style, getEvasObject());
    return _visible;
}

bool MCRecipientSearchBarViewController::hide() {
    if (!_visible)
        return true;
    MSG_RETV_IF(!_onHide, false, "_hideCb is nullptr");
    _visible = !_onHide(_style);
    return !_visible;
}

void MCRecipientSearchBarViewController::switchStyle(RcptSearchBarStyle style) {
    MSG_LOGD("style (%d)->(%d) [0:NONE, 1:BAR, 2:BUTTON]", static_cast<int>(_style), static_cast<int>(style));
    hide();
    _style = style;
}

void MCRecipientSearchBarViewController::search(const char* keyword) {
    _keyword = keyword ? keyword : "";
    view_kit::WTimer::destroy(_timer);
    if (_keyword.empty()) {
        MSG_LOGD("_keyword is empty.");
        _searchedName.clear();
        _searchedAddress.clear();
        hide();
        return;
    }
    _timer = view_kit::WTimer::addTimer(
        SEARCH_DELAY,
        [this](void*) {
            _doSearch();
            return false;
        },
        nullptr);
}

void MCRecipientSearchBarViewController::cancel() {
    view_kit::WTimer::destroy(_timer);
}

bool MCRecipientSearchBarViewController::_findInContacts() {
    if (g_utf8_strlen(_keyword.c_str(), -1) < 2) {
        MSG_LOGD("_keyword.length(%d) is invalid", static_cast<int>(g_utf8_strlen(_keyword.c_str(), -1)));
        return false;
    }
    contacts_list_h list = nullptr;
    if (MCRecipientSearch::searchFromContact(_keyword.c_str(), 1, &list) < 1) {
        if (list)
            contacts_list_destroy(list, true);
        return false;
    }
    std::string name = firstString(list, _contacts_person_number.display_name);
    std::string number = firstString(list, _contacts_person_number.number);
    contacts_list_destroy(list, true);
    if (name.empty() || number.empty()) {
        MSG_LOGE("display/number are invalid.");
        return false;
    }
    _searchedName = name;
    _searchedAddress = number;
    return true;
}

bool MCRecipientSearchBarViewController::_findInLog() {
    contacts_list_h list = nullptr;
    if (MCRecipientSearch::searchFromLog(_keyword.c_str(), 1, &list) < 1) {
        if (list)
            contacts_list_destroy(list, true);
        return false;
    }
    _searchedAddress = firstString(list, _contacts_person_phone_log.address);
    contacts_list_destroy(list, true);
    return !_searchedAddress.empty();
}

void MCRecipientSearchBarViewController::_doSearch() {
    ++_searchCount;
    _searchedName.clear();
    _searchedAddress.clear();
    ButtonIcon icon = ICON_PLUS;
    if (!_findInContacts() && !_findInLog()) {
        if (!MCUtil::isValidPhoneNumber(_keyword.c_str(), false)) {
            hide();
            return;
        }
        _searchedAddress = _keyword;
        icon = ICON_ARROW;
    }
    _setButtonIcon(icon);
    _showResult();
}

void MCRecipientSearchBarViewController::_showResult() {
    Evas_Object* layout = getEvasObject();
    if (layout) {
        std::string shown;
        MCRecipientSearch::setKeywordColor(
            _keyword.c_str(), (_searchedName.empty() ? _searchedAddress : _searchedName).c_str(), shown);
        elm_object_part_text_set(layout, "elm.text", shown.c_str());
        // A tap on the bar takes the match: a button named by it, without the keyword's colours.
        if (_readerOn)
            common_ui_helper::set_access_text_role(layout,
                                                   _searchedName.empty() ? _searchedAddress : _searchedName,
                                                   EFL_ACCESS_ROLE_PUSH_BUTTON);
    }
    show();
}

void MCRecipientSearchBarViewController::_setButtonIcon(ButtonIcon icon) {
    if (icon != _icon)
        MSG_LOGD("change button icon type : %d -> %d", _icon, icon);
    _icon = icon;
    Evas_Object* image = _button ? elm_object_part_content_get(_button, "elm.swallow.content") : nullptr;
    if (image)
        elm_image_file_set(image, common_util::get_image_edj().c_str(), iconImage(icon));
    if (_button && _readerOn)
        common_ui_helper::set_access_name_role(_button, iconName(icon), EFL_ACCESS_ROLE_PUSH_BUTTON);
}

void MCRecipientSearchBarViewController::_select() {
    if (_searchedAddress.empty())
        return;
    std::string number = _searchedAddress;
    if (_onSelect)
        _onSelect(number.c_str());
}

void MCRecipientSearchBarViewController::_barClickedCb(void* data, Evas_Object* /*obj*/,
                                                       const char* /*emission*/, const char* /*source*/) {
    static_cast<MCRecipientSearchBarViewController*>(data)->_select();
}

void MCRecipientSearchBarViewController::_buttonClickedCb(void* data, Evas_Object* /*obj*/,
                                                          void* /*eventInfo*/) {
    auto* self = static_cast<MCRecipientSearchBarViewController*>(data);
    self->_select();
    if (self->_onButton)
        self->_onButton();
}

} // namespace compose
} // namespace msg_app
