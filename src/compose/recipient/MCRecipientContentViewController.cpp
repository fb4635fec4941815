#include "compose/recipient/MCRecipientContentViewController.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/MCUtil.h"
#include "compose/recipient/MCItemOutgoingButton.h"
#include "compose/recipient/MCItemPadding.h"
#include "compose/recipient/MCItemRcptLabel.h"
#include "compose/recipient/MCItemRcptNextButton.h"
#include "compose/recipient/MCRecipientEntryContentViewController.h"
#include "compose/send/MCOutgoingMgr.h"
#include "compose/send/MCOutgoingRoads.h"
#include "view_kit/WNaviframeController.h"

#include <memory>

namespace msg_app {
namespace compose {

MCRecipientContentViewController::MCRecipientContentViewController(const char* address)
    : _initialAddr(address ? address : "") {
    setName(NAME);
    MCommonAppEventMgr::getInstance()->addListener(this);
}

MCRecipientContentViewController::~MCRecipientContentViewController() {
    MCommonAppEventMgr::getInstance()->removeListener(this);
}

bool MCRecipientContentViewController::_isOutgoingButtonOffered() {
    return MCOutgoingMgr::getInstance()->isSendPathSelectable();
}

Evas_Object* MCRecipientContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, nullptr, "genlist is nullptr.");
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(_genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);

    auto* label = new MCItemRcptLabel();
    auto* next = new MCItemRcptNextButton();
    label->setOnLabelClicked([this] { _onLabelClickCb(); });
    label->setOnLabelTextChanged([next](bool hasRecipient) { next->setButtonEnable(hasRecipient); });
    next->setOnClicked([this] { _onNextButtonClicked(); });
    _label = label;
    _next = next;
    if (_isOutgoingButtonOffered()) {
        auto* outgoing = new MCItemOutgoingButton();
        outgoing->updateButtonState();
        _appendItem(new MCItemPadding("padding_rcpt_with_outgoing_buttons_top"));
        _appendItem(outgoing);
        _appendItem(label);
        _appendItem(next);
    } else {
        _appendItem(new MCItemPadding("padding_rcpt_no_buttons_top"));
        _appendItem(label);
        _appendItem(new MCItemPadding("padding_rcpt_no_buttons_bottom_of_label"));
        _appendItem(next);
    }
    label->setAddr(_initialAddr.c_str());
    return _genlist;
}

void MCRecipientContentViewController::_appendItem(MCItem* item) {
    std::unique_ptr<view_kit::WGenlistItem> row(item);
    MSG_RET_IF(!item, "mcItem is nullptr.");
    switch (item->getType()) {
    case MCItem::PADDING:
    case MCItem::OUTGOING_BUTTON:
    case MCItem::RCPT_LABEL:
    case MCItem::RCPT_NEXT_BUTTON:
        break;
    default:
        MSG_LOGE("Invalid Type (%d)", item->getType());
        return;
    }
    item->attachToParentViewController(this);
    if (!wgenlist_item_append(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE))
        MSG_LOGE("wgenlist_item_append failed");
}

void MCRecipientContentViewController::appEventListener(MCommonAppEventType type) {
    if ((type == APP_EVENT_LANGUAGE_CHANGED || type == APP_EVENT_CONTACTS_CHANGED) && _label)
        _label->refresh();
}

void MCRecipientContentViewController::_onLabelClickCb() {
    MSG_RET_IF(!_label, "label is nullptr");
    view_kit::WNaviframeController* naviframe = getNaviframeController();
    MSG_RET_IF(!naviframe, "naviframe is nullptr");
    auto* entry = new MCRecipientEntryContentViewController();
    entry->setAddr(_label->getAddr());
    std::weak_ptr<view_kit::WViewController> self = getWeakPtr();
    entry->setOnSaveAddr([this, self](const char* address) {
        if (!self.expired() && _label)
            _label->setAddr(address);
    });
    naviframe->push(entry);
}

void MCRecipientContentViewController::_onNextButtonClicked() {
    std::string address = _label ? _label->getAddr() : "";
    if (!MCUtil::isValidRecipient(address)) {
        _showToast(INVALID_RECIPIENT_ID);
        return;
    }
    if (_onNext) {
        _onNext(address.c_str());
        return;
    }
    _launchInputSelector(address);
}

void MCRecipientContentViewController::_launchInputSelector(const std::string& address) {
    LaunchRequest request = createLaunchRequest();
    if (!request) {
        MSG_LOGE("app_control_create() is failed");
        _showToast(COULDNT_OPEN_ID);
        return;
    }
    SendBy road = MCOutgoingMgr::getInstance()->getSendBy();
    std::string addressItem = "address:" + address;
    const char* fromType = road == SendBy::HULM    ? "from_type:watch"
                           : road == SendBy::PHONE ? "from_type:phone"
                                                   : "from_type:none";
    std::string callerItem = std::string("caller_app:") + app_id::MESSAGE;
    const char* items[] = {addressItem.c_str(), callerItem.c_str(), "vorlane_log:new_msg", fromType};
    app_control_set_app_id(request.get(), INPUT_SELECTOR_APP_ID);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_add_extra_data_array(request.get(), "selector_keyboard_data_array", items, 4);
    app_control_add_extra_data(request.get(), "selector_keyboard_app_id", COMPOSE_APP_ID);
    if (common_util::is_support_MMS())
        app_control_add_extra_data(request.get(), "option_type", "enable_drawing");
    std::weak_ptr<view_kit::WViewController> self = getWeakPtr();
    auto replyCb = [self](app_control_h, app_control_h, app_control_result_e result) {
        if (result != APP_CONTROL_RESULT_SUCCEEDED) {
            MSG_LOGW("__msg_composer_selector_result_cb is failed. [%d]", result);
            return;
        }
        // The selector handed the message to the composer's process, which sends it or opens it:
        // this screen has done its part, and left filled it would invite the same message again.
        if (auto screen = view_kit::weak_cast<MCRecipientContentViewController>(self).lock())
            screen->popOut();
    };
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), replyCb)) {
        MSG_LOGE("app_control_send_launch_request is failed");
        _showToast(COULDNT_OPEN_ID);
    }
}

void MCRecipientContentViewController::_showToast(const char* textId) {
    attachPopup(MCommonPopup::createToastPopup(textId, nullptr, nullptr));
}

} // namespace compose
} // namespace msg_app
