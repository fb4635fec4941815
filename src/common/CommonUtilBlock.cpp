// Blocked messages: restoring one unblocks its sender.
#include "common/CommonUtilBlock.h"
#include "common/MCommonMsgStore.h"
#include "common/MCommonMsgSvc.h"
#include "common/MsgLog.h"

#include <algorithm>
#include <string>
#include <vector>

namespace msg_app {
namespace common_util {

int restore_blocked_message(MCommonMsgStore& store, int msgId) {
    msg_store::MessageManager& manager = store.messages;
    msg_store::Message message;
    bool known = manager.getMessage(msgId, message) == msg_store::MSG_STORE_SUCCESS;
    int result = manager.restoreBlockedMessage(msgId);
    if (result != msg_store::MSG_STORE_SUCCESS || !known || message.address.empty())
        return result;
    std::vector<std::string> blocked;
    if (!MCommonMsgSvc::getInstance()->getBlockNumberList(blocked) ||
        std::find(blocked.begin(), blocked.end(), message.address) == blocked.end())
        return result;
    if (!MCommonMsgSvc::getInstance()->removeBlockNumber(message.address.c_str()))
        MSG_LOGE("message %d is restored, its sender stays blocked", msgId);
    return result;
}

} // namespace common_util
} // namespace msg_app
