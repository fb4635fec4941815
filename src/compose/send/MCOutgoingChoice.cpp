#include "compose/send/MCOutgoingChoice.h"

#include "common/Connectivity.h"
#include "common/DazoLog.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "compose/MCUtil.h"
#include "compose/send/MCOutgoingRoads.h"

namespace msg_app {
namespace compose {

namespace {

// Number sync switched off (the status the service reports without it): each road stands on its
// own link.
constexpr int SYNC_DEACTIVATED = 4;

int numberSyncStatus() {
    int status = SYNC_DEACTIVATED;
    if (!MCommonNumberSync::getInstance()->getStatus(&status))
        status = SYNC_DEACTIVATED;
    return status;
}

} // namespace

SendBy MCOutgoingChoice::chooseDefault() {
    MCOutgoingMgr* mgr = MCOutgoingMgr::getInstance();
    SendBy road = mgr->getOperatorNewMsgSendBy();
    if (road == SendBy::NMS)
        road = SendBy::PHONE;
    mgr->setSendBy(road);
    return road;
}

bool MCOutgoingChoice::choose(SendBy road) {
    int syncStatus = numberSyncStatus();
    bool phone = road == SendBy::PHONE;
    MSG_RETV_IF(!phone && road != SendBy::HULM, false, "only the phone or the watch can be chosen");
    if (phone ? !_canUsePhone(syncStatus) : !_canUseWatch(syncStatus))
        return false;
    MCOutgoingMgr* mgr = MCOutgoingMgr::getInstance();
    if (phone && mgr->getSendBy() == SendBy::HULM)
        dazo_log::insert("ONCH", "Hulm to Phone");
    else if (!phone && mgr->getSendBy() == SendBy::PHONE)
        dazo_log::insert("ONCH", "Phone to Hulm");
    mgr->setSendBy(road);
    return true;
}

bool MCOutgoingChoice::_canUsePhone(int syncStatus) {
    connectivity::YoxConn conn = connectivity::YoxConn::NONE;
    bool device = false;
    MCUtil::getAvailableNetworkStatus(&conn, &device, MSG_TYPE_SMS);
    bool phone = conn != connectivity::YoxConn::NONE;
    if (syncStatus == SYNC_DEACTIVATED)
        return phone;
    return syncStatus == MCOutgoingRoads::SYNC_ACTIVE && (phone || device);
}

bool MCOutgoingChoice::_canUseWatch(int syncStatus) {
    if (syncStatus == SYNC_DEACTIVATED)
        return MCUtil::isHulmNetworkAvailable();
    if (syncStatus == MCOutgoingRoads::SYNC_ACTIVE)
        return false;
    connectivity::YoxConn conn = connectivity::YoxConn::NONE;
    bool device = false;
    MCUtil::getAvailableNetworkStatus(&conn, &device, MSG_TYPE_SMS);
    return device;
}

} // namespace compose
} // namespace msg_app
