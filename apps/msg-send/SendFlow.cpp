#include "SendFlow.h"

#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCAppControlParser.h"
#include "compose/MCLaunchMgr.h"
#include "compose/MCOutgoingMgr.h"
#include "compose/MCPopup.h"
#include "compose/MCSendMgr.h"
#include "compose/MCUtil.h"
#include "msg_store/ConnectionManager.h"

#include <Elementary.h>

#include <cstdio>
#include <ctime>
#include <functional>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* COULDNT_SEND = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";
constexpr const char* WILL_BE_SENT = "WDS_MSG_TPOP_MESSAGE_WILL_BE_SENT_WHEN_SERVICE_BECOMES_AVAILABLE_ABB";

// The benchmark reads this clock from the same machine.
void printMark(const char* name) {
    if (!getenv("MSG_SEND_TIMING"))
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    printf("%s-monotonic %.6f\n", name,
           static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
    fflush(stdout);
}

} // namespace

SendFlow::SendFlow(view_kit::WViewController* host, app_control_h request, AppControlType appControlType)
    : _host(host), _request(request), _appControlType(appControlType), _msg(std::make_shared<MCMsgData>()) {}

SendFlow::~SendFlow() {
    if (_subscribed)
        msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE,
                                                       _storageChangedCb, this);
    view_kit::WTimer::destroy(_resultTimer);
    view_kit::WTimer::destroy(_retailTimer);
}

void SendFlow::_exit(const char* reason) {
    MSG_LOGI("%s", reason);
    elm_exit();
}

void SendFlow::_attach(view_kit::WViewController* popup) {
    if (!popup || !_host->attachPopup(popup))
        _exit("no popup to show: msg-send process elm_exit()");
}

void SendFlow::_showToast(const char* textId) {
    _attach(MCommonPopup::createToastPopup(
        textId, [](void*, const Evas_Object*) { _exit("[msg-send] toast closed: process elm_exit()"); },
        nullptr));
}

bool SendFlow::_parse() {
    MCAppControlParser parser;
    if (!parser.parseOperationData(_request, _msg) || !parser.parseExtraData(_request, _msg))
        return false;
    // The input selector hands its recipient and context over in its array.
    return _appControlType != APP_CONTROL_COMPOSE ||
           parser.parseExtraDataArray(_request, APP_CONTROL_COMPOSE, _msg);
}

void SendFlow::start() {
    if (!_parse()) {
        MSG_LOGE("the send request cannot be read");
        _showToast(COULDNT_SEND);
        return;
    }
    std::vector<std::string> recipients = _msg->recipient;
    if (recipients.empty())
        recipients.emplace_back();
    MCLaunchMgr::Error error =
        MCLaunchMgr::checkCondition(MCLaunchMgr::CHECK_ALL, _appControlType, recipients);
    if (error != MCLaunchMgr::ERROR_NONE) {
        MSG_LOGE("checkCondition() returns error(%d)", error);
        _attach(MCLaunchMgr::createErrorPopup(error, _appControlType));
        return;
    }
    // The compose process skips an empty recipient in its checks; there is still nobody to send to.
    if (_msg->recipient.empty()) {
        MSG_LOGE("no recipient");
        _attach(MCLaunchMgr::createErrorPopup(MCLaunchMgr::ERROR_INVALID_RECIPIENT, _appControlType));
        return;
    }
    if (_msg->body.empty() && _msg->attachPath.empty()) {
        MSG_LOGE("nothing to send");
        _showToast(COULDNT_SEND);
        return;
    }
    MsgType msgType = _msg->msgType;
    MCOutgoingMgr::Error outgoing =
        MCOutgoingMgr::getInstance()->checkNetworkAvailable(msgType, _msg->recipient.front(), _msg->msgId);
    if (outgoing != MCOutgoingMgr::ERROR_NONE) {
        MSG_LOGE("checkNetworkAvailable is failed. outgoingErr : %d", outgoing);
        MCommonPopup* popup = MCOutgoingMgr::getInstance()->createOutgoingErrorPopup(
            outgoing, _appControlType, _msg, [this] { _showSendingPopup(); }, nullptr, nullptr);
        _attach(popup);
        return;
    }
    _send();
}

void SendFlow::_send() {
    printMark("send-call");
    int result =
        MCSendMgr::getInstance()->sendMessageByType(MCOutgoingMgr::getInstance()->getSendBy(), _msg, nullptr);
    switch (result) {
    case MCSendMgr::SEND_OK:
        _showSendingPopup();
        break;
    case MCSendMgr::SEND_DEVICE_NOT_ATTACHED:
        _showToast(WILL_BE_SENT);
        break;
    default:
        // A road that failed is told as a failed send, never as a policy of the device.
        MSG_LOGE("_sendMessage() is error. [%d][0:NULL, 1:PHONE, 2:HULM, 3:MDM, 4:NETWORK]", result);
        _showToast(COULDNT_SEND);
        break;
    }
}

void SendFlow::_showSendingPopup() {
    if (_msg->hideSendingPopup) {
        _exit("sendingPopup::HIDE [msg-send or msg-compose] process elm_exit()");
        return;
    }
    if (!_subscribed)
        _subscribed = msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE,
                                                                   _storageChangedCb, this) == 0;
    // The compose process ends with the popup too; the send-only process is ended by the popup itself.
    std::function<void()> onDestroy;
    if (_appControlType == APP_CONTROL_COMPOSE)
        onDestroy = [] { _exit("sendingPopup destroy cb : msg-compose process elm_exit()"); };
    MCommonProgressPopup* popup = MCPopup::createSendingPopup(_resultTimer, _appControlType, onDestroy);
    if (!popup) {
        _exit("sendingPopup is nullptr: msg-send process elm_exit()");
        return;
    }
    _attach(popup);
    if (auto shown = popup->getWeakPtr().lock())
        _sendingPopup = std::static_pointer_cast<MCommonProgressPopup>(shown);
}

void SendFlow::_storageChangedCb(const char* payload, void* data) {
    auto* self = static_cast<SendFlow*>(data);
    MCUtil::storageChangeCb(payload, self->_msg, self->_resultTimer, self->_retailTimer, self->_sendingPopup);
}

} // namespace compose
} // namespace msg_app
