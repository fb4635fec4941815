#include "compose/send/MCResendCheck.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "compose/send/MCPopup.h"

#include <memory>

namespace msg_app {
namespace compose {

bool MCResendCheck::check(SendBy road, MsgType msgType, const std::string& address, int msgId,
                          MCommonPopup** errorPopup) {
    if (errorPopup)
        *errorPopup = nullptr;
    MCOutgoingMgr* mgr = MCOutgoingMgr::getInstance();
    SendBy kept = mgr->getSendBy();
    mgr->setSendBy(road);
    MCOutgoingMgr::Error error = mgr->checkNetworkAvailable(msgType, address, msgId);
    // The check may pick another road for a new message; this one goes by its own or not at all.
    if (error == MCOutgoingMgr::ERROR_NONE && mgr->getSendBy() != road)
        error = MCOutgoingMgr::ERROR_NO_NETWORK;
    // Without its own network the watch asked for the phone's connection already.
    if (error != MCOutgoingMgr::ERROR_NONE && errorPopup && common_util::is_sta_enabled())
        *errorPopup = _createPopup(error, msgType); // while the road is chosen: its text depends on it
    mgr->setSendBy(kept);
    if (error != MCOutgoingMgr::ERROR_NONE)
        MSG_LOGE("road [%d] of msgId [%d] is not available (%d)", static_cast<int>(road), msgId, error);
    return error == MCOutgoingMgr::ERROR_NONE;
}

MCommonPopup* MCResendCheck::_createPopup(MCOutgoingMgr::Error error, MsgType msgType) {
    auto msg = std::make_shared<MCMsgData>();
    msg->msgType = msgType;
    switch (error) {
    case MCOutgoingMgr::ERROR_SIM_NOT_ACTIVATED:
    case MCOutgoingMgr::ERROR_NETWORK_REJECTED:
        return MCOutgoingMgr::getInstance()->createOutgoingErrorPopup(
            error, APP_CONTROL_IN_APP, msg, [] {}, nullptr, nullptr);
    default:
        // The other road being up is no help to this message: its own is not there.
        return MCPopup::createNetworkNotAvailablePopup(APP_CONTROL_IN_APP, msg);
    }
}

} // namespace compose
} // namespace msg_app
