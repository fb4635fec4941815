#include "viewer/MVThreadAddress.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"

namespace msg_app {
namespace msg_viewer {
namespace thread_address {

std::vector<std::string> list(int threadId) {
    std::vector<std::string> addresses;
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (!MCommonAddrMgr::getInstance()->getConvAddr(threadId, convAddr) || !convAddr) {
        MSG_LOGE("convAddr is nullptr");
        return addresses;
    }
    int count = convAddr->getAddrCnt();
    MSG_RETV_IF(count < 1, addresses, "addrCount is less than 0");
    for (int i = 0; i < count; ++i) {
        std::shared_ptr<MCommonAddr> addr = convAddr->getNthAddr(i);
        if (!addr) {
            MSG_LOGE("addr(%d) is nullptr", i);
            continue;
        }
        addresses.push_back(addr->getAddress());
    }
    return addresses;
}

std::string join(const std::vector<std::string>& addresses) {
    std::string joined;
    for (const std::string& address : addresses)
        joined += (joined.empty() ? "" : ";") + address;
    return joined;
}

bool is_support_reply(int threadId, const msg_store::Conversation* latest) {
    if (latest && latest->isGroupChat)
        return true;
    std::vector<std::string> addresses = list(threadId);
    if (addresses.size() == 1 && common_util::is_phone_number(addresses.front().c_str()))
        return true;
    MSG_LOGW("invalid number");
    return false;
}

} // namespace thread_address
} // namespace msg_viewer
} // namespace msg_app
