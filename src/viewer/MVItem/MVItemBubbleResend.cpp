// A failed message sent again, by the road it first took.
#include "viewer/MVItem/MVItemBubble.h"

#include "common/CommonUtil.h"
#include "common/IMCommonScreenOpener.h"
#include "common/MCommonMsgSvc.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "msg_store/MessageManager.h"
#include "msg_store/msg_store_nms.h"
#include "viewer/MVItem/MVBubbleMarkup.h"

#include <Ecore.h>

#include <memory>
#include <thread>

namespace msg_app {
namespace msg_viewer {

namespace {

using Road = IMCommonScreenOpener::SendRoad;

// The number service's status under which the phone's messages go through the network message
// service, and the one it reads as when the status cannot be read.
constexpr int SYNC_ACTIVE = 0;
constexpr int SYNC_OFF = 4;

struct ResendResult {
    std::weak_ptr<void> state;
    MVItemBubble* bubble;
    int msgId;
    bool sent;
};

// The watch's own modem sends the stored message again; its service keeps it the same message.
bool resendFromWatch(int itemId, bool isMms) {
    MCommonMsgSvc* svc = MCommonMsgSvc::getInstance();
    msg_struct_t msg = nullptr, mms = nullptr, sendOpt = nullptr;
    if (!svc->getMmsData(itemId, &msg, &mms, &sendOpt)) {
        MSG_LOGE("getMmsData() is failed.");
        return false;
    }
    int sendRet = 0;
    bool sent = svc->sendMsg(msg, sendOpt, isMms, &sendRet);
    msg_release_struct(&msg);
    msg_release_struct(&mms);
    msg_release_struct(&sendOpt);
    return sent;
}

bool resendOn(Road road, int msgId, int itemId, bool isMms) {
    int err = msg_store::MSG_STORE_SUCCESS;
    switch (road) {
    case IMCommonScreenOpener::ROAD_WATCH:
        return resendFromWatch(itemId, isMms);
    case IMCommonScreenOpener::ROAD_NMS:
        err = msg_store_nms_resend_message(msgId);
        if (err != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("msg_store_nms_resend_message() is failed. err : %d", err);
        break;
    case IMCommonScreenOpener::ROAD_PHONE:
        err = msg_store::MessageManager().resendMessage(msgId);
        if (err != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("MessageManager::resendMessage() is failed. err : %d", err);
        break;
    }
    return err == msg_store::MSG_STORE_SUCCESS;
}

} // namespace

IMCommonScreenOpener::SendRoad MVItemBubble::_resendRoad() const {
    if (common_util::is_sta_enabled() && _conv->folderType >= msg_store::FOLDER_WATCH_INBOX &&
        _conv->folderType <= msg_store::FOLDER_WATCH_SENT)
        return IMCommonScreenOpener::ROAD_WATCH;
    int status = SYNC_OFF;
    if (!MCommonNumberSync::getInstance()->getStatus(&status))
        MSG_LOGE("msg_ui_util_get_merrowin_status() is failed.");
    return status == SYNC_ACTIVE ? IMCommonScreenOpener::ROAD_NMS : IMCommonScreenOpener::ROAD_PHONE;
}

bool MVItemBubble::_checkResendRoad(IMCommonScreenOpener::SendRoad road) {
    IMCommonScreenOpener* opener = screen_opener::get();
    // Without the application's opener (a view shown on its own) nothing can tell.
    if (!opener)
        return true;
    view_kit::WViewController* popup = nullptr;
    if (opener->checkResend(road, _isMms, _conv->address, getMsgId(), &popup))
        return true;
    std::shared_ptr<view_kit::WViewController> parent = getParentViewController();
    if (popup && !(parent && parent->attachPopup(popup))) {
        MSG_LOGE("the road's popup is not shown");
        popup->destroy();
    }
    return false;
}

void MVItemBubble::_resend() {
    if (_resendState->running) {
        MSG_LOGW("resend of msgId [%d] is running", getMsgId());
        return;
    }
    Road road = _resendRoad();
    // A road that is not there tells so, and the message stays as it failed.
    if (!_checkResendRoad(road))
        return;
    if (road == IMCommonScreenOpener::ROAD_WATCH && MCommonTapi::getInstance()->isGrayZone() &&
        !MCommonTapi::getInstance()->setModemOn())
        MSG_LOGE("failed to turn ON the modem in gray zone.");
    _resendState->running = true;
    _resendState->failedStatus = _conv->networkStatus;
    _conv->networkStatus = msg_store::NETWORK_STATUS_SENDING;
    _refreshStatus();
    int msgId = getMsgId();
    int itemId = _conv->itemId > 0 ? _conv->itemId : msgId;
    bool isMms = _isMms;
    auto* result = new ResendResult{_resendState, this, msgId, false};
    // The worker never waits on the main loop, and the main loop never waits on it.
    std::thread([road, msgId, itemId, isMms, result] {
        MSG_LOGW("Resend msgId [%d] itemId [%d]", msgId, itemId);
        result->sent = resendOn(road, msgId, itemId, isMms);
        ecore_main_loop_thread_safe_call_async(_resendDoneCb, result);
    }).detach();
}

void MVItemBubble::_resendDoneCb(void* data) {
    std::unique_ptr<ResendResult> result(static_cast<ResendResult*>(data));
    // Both the bubble's end and this answer run on the main loop: a live state means a live bubble.
    std::shared_ptr<void> state = result->state.lock();
    if (!state) {
        MSG_LOGI("the bubble of msgId [%d] went before its resend ended", result->msgId);
        return;
    }
    MVItemBubble* self = result->bubble;
    self->_resendState->running = false;
    // On success the store's update redraws the bubble; a refusal brings back the failure it had.
    if (!result->sent && self->_conv->networkStatus == msg_store::NETWORK_STATUS_SENDING) {
        self->_conv->networkStatus = self->_resendState->failedStatus;
        self->_refreshStatus();
    }
}

} // namespace msg_viewer
} // namespace msg_app
