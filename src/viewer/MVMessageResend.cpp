#include "viewer/MVMessageResend.h"

#include "common/CommonUtil.h"
#include "common/MCommonMsgStore.h"
#include "common/MCommonMsgSvc.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "msg_store/msg_store_nms.h"
#include "view_kit/WViewController.h"

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
    std::function<void(bool)> done;
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
        // On the worker: its own clients, never the main loop's.
        err = MCommonMsgStore().messages.resendMessage(msgId);
        if (err != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("MessageManager::resendMessage() is failed. err : %d", err);
        break;
    }
    return err == msg_store::MSG_STORE_SUCCESS;
}

} // namespace

IMCommonScreenOpener::SendRoad MVMessageResend::roadOf(const msg_store::Conversation& conv) {
    if (common_util::is_sta_enabled() && conv.folderType >= msg_store::FOLDER_WATCH_INBOX &&
        conv.folderType <= msg_store::FOLDER_WATCH_SENT)
        return IMCommonScreenOpener::ROAD_WATCH;
    int status = SYNC_OFF;
    if (!MCommonNumberSync::getInstance()->getStatus(&status))
        MSG_LOGE("msg_ui_util_get_merrowin_status() is failed.");
    return status == SYNC_ACTIVE ? IMCommonScreenOpener::ROAD_NMS : IMCommonScreenOpener::ROAD_PHONE;
}

bool MVMessageResend::_checkRoad(Road road, const msg_store::Conversation& conv, bool isMms) {
    IMCommonScreenOpener* opener = screen_opener::get();
    // Without the application's opener (a view shown on its own) nothing can tell.
    if (!opener)
        return true;
    view_kit::WViewController* popup = nullptr;
    if (opener->checkResend(road, isMms, conv.address, conv.msgId, &popup))
        return true;
    // A popup that cannot be attached is destroyed by the attach itself.
    if (popup && !_host.attachPopup(popup))
        MSG_LOGE("the road's popup is not shown");
    return false;
}

bool MVMessageResend::resend(const msg_store::Conversation& conv, bool isMms,
                             std::function<void(bool)> done) {
    Road road = roadOf(conv);
    if (!_checkRoad(road, conv, isMms))
        return false;
    if (road == IMCommonScreenOpener::ROAD_WATCH && MCommonTapi::getInstance()->isGrayZone() &&
        !MCommonTapi::getInstance()->setModemOn())
        MSG_LOGE("failed to turn ON the modem in gray zone.");
    int msgId = conv.msgId;
    int itemId = conv.itemId > 0 ? conv.itemId : msgId;
    auto* result = new ResendResult{std::move(done), msgId, false};
    // The worker never waits on the main loop, and the main loop never waits on it.
    std::thread([road, msgId, itemId, isMms, result] {
        MSG_LOGW("Resend msgId [%d] itemId [%d]", msgId, itemId);
        result->sent = resendOn(road, msgId, itemId, isMms);
        ecore_main_loop_thread_safe_call_async(_doneCb, result);
    }).detach();
    return true;
}

void MVMessageResend::_doneCb(void* data) {
    std::unique_ptr<ResendResult> result(static_cast<ResendResult*>(data));
    MSG_LOGI("resend of msgId [%d] ended: %s", result->msgId, result->sent ? "taken" : "refused");
    if (result->done)
        result->done(result->sent);
}

} // namespace msg_viewer
} // namespace msg_app
