// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "compose/recipient/MCItemRcptLabel.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddr.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/popup/MCommonPopup.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "compose/MCUtil.h"
#include "contacts.h"
#include "view_kit/WViewController.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* USAGE_CODE = "RCIM";
constexpr const char* INVALID_RECIPIENT_ID = "WDS_MSG_TPOP_INVALID_RECIPIENT_M_ENTER";
constexpr const char* COULDNT_OPEN_ID = "WDS_MSG_TPOP_COULDNT_OPEN_CONTACTS_ABB";
constexpr const char* CONTACTS_ID = "WDS_WMGR_TBOPT_CONTACTS";
constexpr const char* REMOVE_ID = "WDS_MSG_TTS_REMOVE_RECIPIENT";

// Another application's answer: only a whole positive decimal number is a record id.
bool parseRecordId(const char* text, int& out) {
    if (!text || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value <= 0 || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool readNumber(int numberId, std::string& out) {
    contacts_record_h record = nullptr;
    int err = contacts_db_get_record(_contacts_number._uri, numberId, &record);
    MSG_RETV_IF(err != CONTACTS_ERROR_NONE, false, "contacts_db_get_record failed err = %d", err);
    char* number = nullptr;
    if (contacts_record_get_str_p(record, _contacts_number.number, &number) == CONTACTS_ERROR_NONE && number)
        out = number;
    contacts_record_destroy(record, true);
    return !out.empty();
}

} // namespace

MCItemRcptLabel::~MCItemRcptLabel() {
    *_alive = false;
}

Elm_Genlist_Item_Class* MCItemRcptLabel::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = "composer.rcpt.label";
    itc->func.text_get = _textGetCb;
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MCItemRcptLabel::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    dazo_log::insert(USAGE_CODE, "Entry");
    if (_onLabelClicked)
        _onLabelClicked();
}

void MCItemRcptLabel::setAddr(const char* address) {
    _addr.reset();
    if (address && *address && !MCommonAddrMgr::getInstance()->getAddr(address, _addr))
        MSG_LOGE("getAddr() failed");
    _update();
}

const char* MCItemRcptLabel::getAddr() const {
    return _addr ? _addr->getAddress() : "";
}

bool MCItemRcptLabel::getAddr(std::shared_ptr<MCommonAddr>& out) const {
    if (!_addr)
        return false;
    out = _addr;
    return true;
}

void MCItemRcptLabel::refresh() {
    _update();
}

void MCItemRcptLabel::_update() {
    _displayName.clear();
    if (_addr) {
        bool isStringId = false;
        int formatBudget = 1;
        MCommonAddr::getDisplayName(_addr, _displayName, &isStringId, &formatBudget);
        if (_displayName.empty())
            _displayName = common_ui_helper::get_text(UNKNOWN_ID);
    }
    if (Elm_Object_Item* item = getElmObjectItem())
        elm_genlist_item_update(item);
    if (_onTextChanged)
        _onTextChanged(_addr != nullptr);
}

char* MCItemRcptLabel::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    if (!data || !part || std::strcmp(part, "elm.text") != 0)
        return nullptr;
    auto* self = static_cast<MCItemRcptLabel*>(data);
    // The name is markup already (escaped by the address); the guide is our own text.
    if (self->_addr)
        return strdup(self->_displayName.c_str());
    std::string guide = "<guide>";
    guide += common_ui_helper::get_text(GUIDE_ID);
    guide += "</guide>";
    return strdup(guide.c_str());
}

Evas_Object* MCItemRcptLabel::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || std::strcmp(part, "elm.icon") != 0)
        return nullptr;
    return static_cast<MCItemRcptLabel*>(data)->_createButton(obj);
}

Evas_Object* MCItemRcptLabel::_createButton(Evas_Object* parent) {
    Evas_Object* button = elm_button_add(parent);
    MSG_RETV_IF(!button, nullptr, "elm_button_add failed");
    elm_object_style_set(button, "composer/icon");
    Evas_Object* icon = elm_image_add(button);
    elm_image_file_set(icon, common_util::get_image_edj().c_str(),
                       _addr ? "img/composer/minus" : "img/composer/contacts");
    elm_object_part_content_set(button, "elm.swallow.content", icon);
    // The icon alone says what the button does: a reader names it.
    if (common_util::is_screen_reader_enabled())
        common_ui_helper::set_access_name_role(button, _addr ? REMOVE_ID : CONTACTS_ID,
                                               EFL_ACCESS_ROLE_PUSH_BUTTON);
    evas_object_propagate_events_set(button, EINA_FALSE);
    _buttons.add(button, "clicked", _buttonClickedCb, this);
    return button;
}

void MCItemRcptLabel::_buttonClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemRcptLabel*>(data);
    if (self->_addr) {
        self->setAddr(nullptr);
        return;
    }
    dazo_log::insert(USAGE_CODE, "Contact");
    self->_launchContactPicker();
}

void MCItemRcptLabel::_launchContactPicker() {
    LaunchRequest request = createLaunchRequest();
    if (!request) {
        MSG_LOGE("app_control_create() is failed");
        _showToast(COULDNT_OPEN_ID);
        return;
    }
    app_control_set_app_id(request.get(), CONTACTS_APP_ID);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_add_extra_data(request.get(), "type", "pick");
    app_control_add_extra_data(request.get(), "data_type", "phone");
    std::weak_ptr<bool> alive = _alive;
    auto replyCb = [this, alive](app_control_h, app_control_h reply, app_control_result_e result) {
        if (auto held = alive.lock(); held && *held)
            _onPickerReply(reply, result);
    };
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), replyCb)) {
        MSG_LOGE("app_control_send_launch_request is failed");
        _showToast(COULDNT_OPEN_ID);
    }
}

void MCItemRcptLabel::_onPickerReply(app_control_h reply, app_control_result_e result) {
    MSG_RET_IF(result != APP_CONTROL_RESULT_SUCCEEDED, "contacts picker result : %d", result);
    std::string selected;
    common_util::get_extra_data(reply, SELECTED_KEY, selected);
    int numberId = 0;
    if (!parseRecordId(selected.c_str(), numberId)) {
        MSG_LOGE("invalid %s : [%s]", SELECTED_KEY, selected.c_str());
        _showToast(INVALID_RECIPIENT_ID);
        return;
    }
    MSG_RET_IF(!MCommonAddrMgr::getInstance()->isContactConnected(), "contact is not connected yet.");
    std::string number;
    if (!readNumber(numberId, number) || !MCUtil::isValidPhoneNumber(number.c_str(), false)) {
        MSG_LOGE("no valid number for id %d", numberId);
        _showToast(INVALID_RECIPIENT_ID);
        return;
    }
    std::string normalized;
    if (common_util::make_normalized_number(number.c_str(), normalized) && !normalized.empty())
        number = normalized;
    setAddr(number.c_str());
    if (!MCUtil::isValidRecipient(number)) {
        MSG_LOGE("invalid recipient.");
        _showToast(INVALID_RECIPIENT_ID);
    }
}

void MCItemRcptLabel::_showToast(const char* textId) {
    auto parent = getParentViewController();
    MSG_RET_IF(!parent, "no screen for the toast");
    parent->attachPopup(MCommonPopup::createToastPopup(textId, nullptr, nullptr));
}

} // namespace compose
} // namespace msg_app
