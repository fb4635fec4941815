#include "compose/launch/MCRecipientSet.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"

namespace msg_app {
namespace compose {

namespace {

std::string comparable(const std::string& address) {
    std::string normalized;
    if (common_util::make_normalized_number(address.c_str(), normalized) && !normalized.empty())
        return normalized;
    return address;
}

} // namespace

bool MCRecipientSet::contains(const MCMsgData& msg, const std::string& address) {
    std::string key = comparable(address);
    for (const auto& existing : msg.recipient) {
        if (comparable(existing) == key)
            return true;
    }
    return false;
}

void MCRecipientSet::add(const std::vector<std::string>& addresses, MCMsgData& msg) {
    for (const auto& address : addresses) {
        if (!address.empty() && !contains(msg, address))
            msg.recipient.push_back(address);
    }
    if (msg.recipient.size() >= 2 && msg.msgType != MSG_TYPE_MMS) {
        msg.msgType = MSG_TYPE_MMS;
        MSG_LOGD("msgType set to MMS for group message");
    }
}

} // namespace compose
} // namespace msg_app
