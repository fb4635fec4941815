#include "block/MBItem/MBItemTitle.h"

#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"

namespace msg_app {
namespace msg_block {

MBItemTitle::MBItemTitle(int threadId) : MBItem("filtered_list/detailview/title") {
    if (!MCommonAddrMgr::getInstance()->getConvAddr(threadId, _convAddr))
        MSG_LOGE("getConvAddr(%d) failed", threadId);
}

MBItemTitle::~MBItemTitle() = default;

std::string MBItemTitle::getText(const char* part) const {
    std::string name;
    if (_convAddr && part && std::string(part) == "elm.text")
        _convAddr->getDisplayName(name, false); // already markup
    return name;
}

} // namespace msg_block
} // namespace msg_app
