// The option panel's actions on the conversation: recipients, show on phone, export, send my
// location, block and unblock.
#include "viewer/MVListViewController.h"

#include "app_control.h"
#include "common/AppIds.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/DazoLog.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonMsgSvc.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "msg_store/MessageManager.h"
#include "msg_store/MsgOperationManager.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVLocationLink.h"
#include "viewer/MVOptionMgr.h"
#include "viewer/MVRecipientContentViewController.h"
#include "viewer/MVThreadAddress.h"

#include <algorithm>
#include <cstdio>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* MAP_PICKER_APP_ID = app_id::MAP;
constexpr const char* SEND_APP_ID = "com.vorlane.msg-send";
constexpr const char* FAILED_TEXT_ID = "WDS_WNOTI_TPOP_FAILED";
// What the location picker answers with.
constexpr const char* DATA_COORD = APP_CONTROL_URI_BASE "data/coord";
constexpr const char* DATA_URL = APP_CONTROL_URI_BASE "data/url";

std::string extraOf(app_control_h reply, const char* key) {
    std::string value;
    if (reply)
        common_util::get_extra_data(reply, key, value);
    return value;
}

} // namespace

void MVListViewController::createThreadOptions() {
    MVOptionMgr* mgr = MVOptionMgr::getInstance();
    MSG_RET_IF(!mgr, "!mgr");
    if (_select.isOn()) {
        mgr->createMsgOption(
            &_model, [this](MoreOption option) { _onMsgOption(option); }, getCheckedIds());
        return;
    }
    mgr->createThreadOption(_threadId, &_model, [this](MoreOption option) { _onThreadOption(option); });
}

void MVListViewController::_onThreadOption(int option) {
    switch (option) {
    case MORE_OPTION_REPLY: {
        std::shared_ptr<msg_store::Conversation> latest;
        if (_model.getLatestConv(latest) && latest->isGroupChat)
            dazo_log::insert("RMGM", "More option");
        doAction(ACTION_REPLY);
        break;
    }
    case MORE_OPTION_CALL:
        doAction(ACTION_CALL);
        break;
    case MORE_OPTION_SEND_LOCATION:
        doAction(ACTION_SEND_LOCATION);
        break;
    case MORE_OPTION_RECIPIENTS:
        doAction(ACTION_RECIPIENTS);
        break;
    case MORE_OPTION_SHOW_ON_PHONE:
        doAction(ACTION_SHOW_ON_PHONE);
        break;
    case MORE_OPTION_BLOCK:
        doAction(ACTION_BLOCK);
        break;
    case MORE_OPTION_UNBLOCK:
        doAction(ACTION_UNBLOCK);
        break;
    case MORE_OPTION_DELETE:
        doAction(ACTION_SELECT_MODE);
        break;
    case MORE_OPTION_CREATE_CONTACT:
        doAction(ACTION_ADD_CONTACT);
        break;
    default:
        MSG_LOGE("Invalid more option type [%d]", option);
        break;
    }
}

void MVListViewController::_onMsgOption(int option) {
    if (option == MORE_OPTION_EXPORT_TO_PHONE)
        doAction(ACTION_EXPORT_TO_PHONE);
    else if (option == MORE_OPTION_DELETE_SELECTED)
        doAction(ACTION_DELETE);
    else
        MSG_LOGE("Invalid more option type [%d]", option);
}

// Not the attached popup: attaching would close the progress popup a deletion's result comes from.
// Shown once that popup has gone: a toast shown over it would take the focus under the popup, and
// touch it, gone, when the toast closes.
void MVListViewController::_showToast(const char* textId) {
    MCommonPopup::showToastWhenIdle(getEvasObject(), textId, _toastIdler);
}

void MVListViewController::_actionRecipients() {
    view_kit::WWindowController* window = getWindowController();
    view_kit::WNaviframeController* naviframe = window ? window->getNaviframeController() : nullptr;
    MSG_RET_IF(!naviframe, "no naviframe");
    naviframe->push(new MVRecipientContentViewController(_threadId));
}

void MVListViewController::_actionShowOnPhone() {
    if (!common_util::is_retail_mode_enabled()) {
        connectivity::YoxConn yox = connectivity::get_yox_connect();
        if (yox != connectivity::YoxConn::BT) {
            MSG_LOGI("yox[%d], request BT connection.", static_cast<int>(yox));
            MCommonAppLaunchMgr::getInstance()->launchBtConnectPopup();
            return;
        }
        if (!common_util::is_consumer_connected()) {
            _showToast(FAILED_TEXT_ID);
            return;
        }
    }
    std::shared_ptr<msg_store::Conversation> phoneMsg;
    MSG_RET_IF(!_model.getPhoneMsgConv(phoneMsg) || !phoneMsg, "Phone message is not exist");
    int err = msg_store::MsgOperationManager().showOnDevice(phoneMsg->msgId);
    if (err != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("showOnDevice failed (%d), msgId (%d)", err, phoneMsg->msgId);
        _showToast(FAILED_TEXT_ID);
        return;
    }
    _showToast("WDS_WNOTI_TPOP_CHECK_YOUR_PHONE_ABB");
}

// Every checked message goes, not only the first.
void MVListViewController::_actionExportToPhone() {
    std::vector<int> ids = getCheckedIds();
    if (ids.empty()) {
        _showToast(FAILED_TEXT_ID);
    } else if (connectivity::get_yox_connect() == connectivity::YoxConn::BT) {
        msg_store::MessageManager manager;
        for (int id : ids) {
            int err = manager.exportMessageToPhone(id);
            if (err != msg_store::MSG_STORE_SUCCESS)
                MSG_LOGE("exportMessageToPhone(%d) is failed (%d)", id, err);
        }
    } else {
        MCommonAppLaunchMgr::getInstance()->launchBtConnectPopup();
    }
    _changeToNormalMode();
}

void MVListViewController::_actionSendLocation() {
    if (common_util::is_mdm_enabled() && common_util::is_mdm_text_messaging_restricted()) {
        MSG_LOGE("MDM RESTRICTED");
        _showToast("WDS_ASEML_POP_SECURITY_POLICY_PREVENTS_SMS_SERVICES");
        return;
    }
    LaunchRequest request = createLaunchRequest();
    MSG_RET_IF(!request, "app_control_create failed");
    app_control_set_app_id(request.get(), MAP_PICKER_APP_ID);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_PICK);
    app_control_add_extra_data(request.get(), APP_CONTROL_DATA_TYPE, "all");
    // The answer may come after this view has gone.
    std::weak_ptr<bool> alive = _alive;
    auto onReply = [this, alive](app_control_h, app_control_h reply, app_control_result_e result) {
        if (alive.expired()) {
            MSG_LOGW("the conversation is gone; location ignored");
            return;
        }
        if (result != APP_CONTROL_RESULT_SUCCEEDED) {
            MSG_LOGE("__msg_option_send_location_reply_cb is failed. [%d]", result);
            return;
        }
        std::string link;
        if (!MVLocationLink::make(extraOf(reply, DATA_URL), extraOf(reply, DATA_COORD), link)) {
            MSG_LOGE("the picked location is not usable");
            return;
        }
        _onLocationPicked(link);
    };
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), onReply)) {
        MSG_LOGE("app_control_send_launch_request is failed");
    }
}

void MVListViewController::_onLocationPicked(const std::string& link) {
    std::vector<std::string> addresses = thread_address::list(_threadId);
    MSG_RET_IF(addresses.empty(), "address list is empty.");
    MSG_RET_IF(addresses.front().empty(), "firstAddr is nullptr");
    std::shared_ptr<msg_store::Conversation> latest;
    if (!_model.getLatestInboxConv(latest) && !_model.getLatestConv(latest))
        MSG_LOGE("Failed to latest conversation");
    LaunchRequest request = createLaunchRequest();
    MSG_RET_IF(!request, "app_control_create failed");
    app_control_set_app_id(request.get(), SEND_APP_ID);
    app_control_add_extra_data(request.get(), "address", thread_address::join(addresses).c_str());
    app_control_add_extra_data(request.get(), "body_text", link.c_str());
    app_control_add_extra_data(request.get(), "vorlane_log", "reply_msg");
    app_control_add_extra_data(request.get(), "caller_app", common_util::MAIN_APP_ID);
    app_control_add_extra_data(request.get(), "sending_popup", "hide");
    if (latest)
        app_control_add_extra_data(request.get(), "msgId", std::to_string(latest->msgId).c_str());
    // Sent without waiting for an answer: the send process reports on its own.
    if (app_control_send_launch_request(request.get(), nullptr, nullptr) != APP_CONTROL_ERROR_NONE)
        MSG_LOGE("app_control_send_launch_request is failed");
}

void MVListViewController::_actionBlock(bool block) {
    std::vector<std::string> addresses = thread_address::list(_threadId);
    MSG_RET_IF(addresses.empty(), "Failed!!");
    MCommonMsgSvc* svc = MCommonMsgSvc::getInstance();
    int done = 0;
    for (const std::string& address : addresses) {
        if (block ? svc->addBlockNumber(address.c_str()) : svc->removeBlockNumber(address.c_str()))
            ++done;
    }
    // The block list, when it can be read (an empty one cannot), says what holds now: a number
    // blocked before counts as blocked, and a call that answered success without a change does not.
    std::vector<std::string> blocked;
    if (svc->getBlockNumberList(blocked)) {
        done = static_cast<int>(std::count_if(addresses.begin(), addresses.end(), [&](const std::string& a) {
            return (std::find(blocked.begin(), blocked.end(), a) != blocked.end()) == block;
        }));
    }
    int total = static_cast<int>(addresses.size());
    MSG_LOGI("%d/%d address(es) is(are) %s", done, total, block ? "blocked" : "unblocked");
    if (done == total) {
        _showToast(block ? "WDS_MSG_TPOP_YOU_WONT_GET_ANY_MORE_CALLS_OR_MESSAGES_FROM_THIS_NUMBER_ABB"
                         : "WDS_MSG_TPOP_YOU_CAN_NOW_GET_CALLS_AND_MESSAGES_FROM_THIS_NUMBER_ABB");
    } else if (done == 0) {
        _showToast(block ? "WDS_MSG_TPOP_COULDNT_BLOCK_NUMBER_ABB"
                         : "WDS_MSG_TPOP_COULDNT_UNBLOCK_NUMBER_ABB");
    } else {
        const char* format =
            common_ui_helper::get_text(block ? "WDS_MSG_TPOP_PD_OF_PD_NUMBERS_BLOCKED_ABB"
                                             : "WDS_MSG_TPOP_PD_OF_PD_NUMBERS_UNBLOCKED_ABB");
        char text[128];
        std::snprintf(text, sizeof(text), format, done, total);
        _showToast(text);
    }
    createThreadOptions();
}

} // namespace msg_viewer
} // namespace msg_app
