#include "compose/send/MCUtilStorageChange.h"

#include "common/CommonUtil.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCMsgData.h"
#include "compose/MCUtil.h"
#include "compose/send/MCPopup.h"
#include "msg_store/MessageManager.h"

namespace msg_app {
namespace compose {

namespace {

constexpr double RETAIL_RESULT_DELAY = 2.0;

void showResult(std::weak_ptr<MCommonProgressPopup>& popup, msg_store::NetworkStatus status) {
    if (auto shown = popup.lock())
        MCPopup::updateSendingPopup(shown.get(), status);
}

// Sent or failed; a message still on its way (sending, pending) does not end the popup.
bool isFinal(msg_store::NetworkStatus status) {
    return status == msg_store::NETWORK_STATUS_SEND_SUCCESS || msg_store::isSendFailure(status);
}

void onSentMessageChanged(const msg_store::Message& stored, std::weak_ptr<view_kit::WTimer>& resultTimer,
                          std::weak_ptr<view_kit::WTimer>& retailTimer,
                          std::weak_ptr<MCommonProgressPopup>& popup) {
    if (!isFinal(stored.networkStatus))
        return;
    msg_store::NetworkStatus status = stored.networkStatus;
    if (common_util::is_retail_mode_enabled()) {
        std::weak_ptr<MCommonProgressPopup> shown = popup;
        retailTimer = view_kit::WTimer::addTimer(
            RETAIL_RESULT_DELAY,
            [shown, status](void*) mutable {
                showResult(shown, status);
                return false;
            },
            nullptr);
        return;
    }
    view_kit::WTimer::destroy(resultTimer);
    showResult(popup, status);
    preference::set(MCPopup::SENDING_MESSAGE_ID_PREF,
                    status == msg_store::NETWORK_STATUS_SEND_SUCCESS ? 0 : -1);
}

} // namespace

void MCUtilStorageChange::storageChangeCb(const char* message, std::shared_ptr<MCMsgData>& msg,
                                          std::weak_ptr<view_kit::WTimer>& resultTimer,
                                          std::weak_ptr<view_kit::WTimer>& retailTimer,
                                          std::weak_ptr<MCommonProgressPopup>& popup) {
    MSG_RET_IF(!message, "message is nullptr");
    MSG_RET_IF(!msg, "msg is nullptr");
    MCommonStorageChangeParser::ChangeType type{};
    std::map<int, int> ids;
    if (!MCommonStorageChangeParser::parse(message, MCommonStorageChangeParser::KEY_MESSAGE_ID, &type, ids)) {
        MSG_LOGE("parsing is failed.");
        return;
    }
    msg_store::MessageManager messages;
    for (const auto& [msgId, threadId] : ids) {
        MSG_LOGD("msgId : %d, threadId : %d, changeType : %d", msgId, threadId, type);
        msg_store::Message stored;
        int ret = messages.getMessage(msgId, stored);
        if (ret != 0) {
            MSG_LOGE("getMessage() failed. (%d)", ret);
            continue;
        }
        MSG_LOGD("msg.itemId : %d, msg.msgId : %d, msg.FolderType : %d, msg.networkStatus : %d",
                 stored.itemId, stored.msgId, stored.folderType, stored.networkStatus);
        if (type == MCommonStorageChangeParser::CHANGE_TYPE_INSERTED) {
            if (stored.folderType == msg_store::FOLDER_WATCH_OUTBOX && msg->pendingMsgId > 0 &&
                stored.itemId == msg->pendingMsgId) {
                msg->sentMsgId = stored.msgId;
                preference::set(MCPopup::SENDING_MESSAGE_ID_PREF, stored.msgId);
            }
            continue;
        }
        bool update = type == MCommonStorageChangeParser::CHANGE_TYPE_UPDATED ||
                      type == MCommonStorageChangeParser::CHANGE_TYPE_REPLACED;
        if (update && msg->sentMsgId > 0 && stored.msgId == msg->sentMsgId)
            onSentMessageChanged(stored, resultTimer, retailTimer, popup);
    }
}

} // namespace compose
} // namespace msg_app
