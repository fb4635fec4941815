// The body screen's send flow: the pages question, the network check, the send and its popup.
#include "compose/body/MCBodyContentViewController.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCOutgoingMgr.h"
#include "compose/MCPopup.h"
#include "compose/MCSendMgr.h"
#include "compose/MCUtil.h"
#include "compose/body/MCItemBody.h"
#include "msg_store/MessageManager.h"

namespace msg_app {
namespace compose {

void MCBodyContentViewController::_onSendClicked() {
    MSG_RET_IF(!_msg, "_msgSptr is nullptr");
    MSG_RET_IF(!_bodyItem, "_bodyItem is nullptr");
    MSG_RET_IF(_bodyItem->isEntryEmpty(), "nothing to send");
    // A message already on its way is not sent twice.
    MSG_RET_IF(!_sendingPopup.expired(), "a send is in progress");
    _msg->body = _bodyItem->getText();
    int smsPages = 0;
    int mmsPages = 0;
    MCUtil::getMmsSizeTextList(_msg->body, &smsPages, &mmsPages, _reducedLimit, nullptr);
    if (mmsPages == 0) {
        _msg->msgType = MSG_TYPE_SMS;
        if (_checkNetwork())
            _sendMessage();
        else
            MSG_LOGE("_checkNetwork() is failed.");
        return;
    }
    _msg->msgType = MSG_TYPE_MMS;
    _msg->fileType = FILE_TYPE_TEXT;
    std::string question;
    MCUtil::getSmsPageOverPopupText(question, smsPages > 0, mmsPages);
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, question.c_str(),
        [this](void*, bool* destroyPopup) {
            *destroyPopup = true;
            if (_checkNetwork())
                _sendMessage();
            else
                MSG_LOGE("_checkNetwork() is failed.");
        },
        [](void*, bool* destroyPopup) { *destroyPopup = true; }, nullptr, nullptr, nullptr);
    if (!attachPopup(popup))
        MSG_LOGE("the pages question cannot be shown");
}

bool MCBodyContentViewController::_checkNetwork() {
    std::string address = _msg->recipient.empty() ? std::string() : _msg->recipient.front();
    MCOutgoingMgr* outgoing = MCOutgoingMgr::getInstance();
    MCOutgoingMgr::Error error = outgoing->checkNetworkAvailable(_msg->msgType, address, 0);
    if (error == MCOutgoingMgr::ERROR_NONE)
        return true;
    MSG_LOGE("checkNetworkAvailable is failed. outgoingErr : %d", error);
    if (!common_util::is_sta_enabled())
        return false;
    // Told as inside the application: the screen and its text stay for another try.
    MCommonPopup* popup = outgoing->createOutgoingErrorPopup(
        error, APP_CONTROL_IN_APP, _msg, [this] { _showSendingPopup(); }, nullptr, nullptr);
    if (popup && !attachPopup(popup))
        MSG_LOGE("the network popup cannot be shown");
    return false;
}

void MCBodyContentViewController::_sendMessage() {
    int result =
        MCSendMgr::getInstance()->sendMessageByType(MCOutgoingMgr::getInstance()->getSendBy(), _msg, nullptr);
    switch (result) {
    case MCSendMgr::SEND_OK:
        _showSendingPopup();
        return;
    case MCSendMgr::SEND_DEVICE_NOT_ATTACHED:
        // The watch keeps the message and sends it when service returns: it is on its way.
        _handedOver = true;
        _showToast(WILL_BE_SENT_ID);
        return;
    default:
        // Nothing left the watch: the text stays for another try.
        MSG_LOGE("_sendMessage() is error. [%d][0:NULL, 1:PHONE, 2:HULM, 3:MDM, 4:NETWORK]", result);
        _showToast(COULDNT_SEND_ID);
        return;
    }
}

void MCBodyContentViewController::_showSendingPopup() {
    _handedOver = true;
    if (_msg->hideSendingPopup) {
        MSG_LOGI("sendingPopup::HIDE [msg-compose] process elm_exit()");
        _finish();
        return;
    }
    std::weak_ptr<view_kit::WViewController> self = getWeakPtr();
    MCommonProgressPopup* popup =
        MCPopup::createSendingPopup(_resultTimer, APP_CONTROL_COMPOSE, [self, this] {
            if (!self.expired() && !_destroyed)
                _onSendingPopupGone();
        });
    if (!popup || !attachPopup(popup)) {
        MSG_LOGE("sendingPopup is nullptr");
        return;
    }
    if (auto shown = popup->getWeakPtr().lock())
        _sendingPopup = std::static_pointer_cast<MCommonProgressPopup>(shown);
}

bool MCBodyContentViewController::_lastSendFailed() const {
    if (_msg->sentMsgId <= 0)
        return false;
    msg_store::Message stored;
    if (msg_store::MessageManager().getMessage(_msg->sentMsgId, stored) != msg_store::MSG_STORE_SUCCESS)
        return false;
    return msg_store::isSendFailure(stored.networkStatus);
}

void MCBodyContentViewController::_onSendingPopupGone() {
    if (!_lastSendFailed()) {
        _finish();
        return;
    }
    // The failed message stays in the conversation; another Send makes a new one.
    MSG_LOGI("the message %d failed; the text stays for another try", _msg->sentMsgId);
    _handedOver = false;
    _msg->sentMsgId = 0;
    _msg->pendingMsgId = 0;
}

void MCBodyContentViewController::_storageChangedCb(const char* payload, void* data) {
    auto* self = static_cast<MCBodyContentViewController*>(data);
    MCUtil::storageChangeCb(payload, self->_msg, self->_resultTimer, self->_retailTimer, self->_sendingPopup);
}

} // namespace compose
} // namespace msg_app
