#include "compose/send/MCOutgoingRoads.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace compose {

namespace {

// The road by which roads are up: neither, device only, phone only, both.
SendBy pick(const MCOutgoingRoads::Links& links, SendBy deviceOnly, SendBy phoneOnly, SendBy both) {
    if (links.phone && links.device)
        return both;
    if (links.device)
        return deviceOnly;
    if (links.phone)
        return phoneOnly;
    return SendBy::NONE;
}

} // namespace

SendBy MCOutgoingRoads::newMessageRoad(OutgoingType type, int serviceStatus, const Links& links,
                                       int operatorId) {
    switch (type) {
    case NUMBER_SYNC:
        if (serviceStatus == SYNC_ACTIVE)
            return pick(links, SendBy::NMS, SendBy::PHONE, SendBy::NMS);
        return pick(links, SendBy::HULM, SendBy::NONE, SendBy::HULM);
    case NUMBER_SHARING:
        if (serviceStatus == SHARING_ENABLED)
            return pick(links, SendBy::HULM, SendBy::PHONE, SendBy::HULM);
        return pick(links, SendBy::HULM, SendBy::PHONE, SendBy::PHONE);
    case GENERAL:
    default: {
        // Over the remote link the phone is slow to reach, so the watch sends itself.
        bool deviceFirst = links.conn == connectivity::YoxConn::RLX && operatorId != OPERATOR_VZW;
        return pick(links, SendBy::HULM, SendBy::PHONE, deviceFirst ? SendBy::HULM : SendBy::PHONE);
    }
    }
}

SendBy MCOutgoingRoads::_generalRoad(SendBy preferred, const Links& links) {
    if (preferred != SendBy::PHONE && preferred != SendBy::HULM) {
        MSG_LOGE("invalid send_by type");
        return SendBy::NONE;
    }
    bool preferredUp = preferred == SendBy::PHONE ? links.phone : links.device;
    if (preferredUp)
        return preferred;
    if (links.phone)
        return SendBy::PHONE;
    return links.device ? SendBy::HULM : SendBy::NONE;
}

SendBy MCOutgoingRoads::availableRoad(OutgoingType type, int serviceStatus, SendBy preferred,
                                      const Links& links, int msgId) {
    if (type == NUMBER_SHARING && serviceStatus == SHARING_ENABLED &&
        (preferred == SendBy::PHONE || preferred == SendBy::HULM))
        return pick(links, SendBy::HULM, SendBy::PHONE, SendBy::HULM);
    if (type != NUMBER_SYNC)
        return _generalRoad(preferred, links);
    if (serviceStatus != SYNC_ACTIVE)
        return pick(links, SendBy::HULM, SendBy::NONE, SendBy::HULM);
    if (preferred == SendBy::HULM && msgId == 0) {
        MSG_LOGD("_sendBy : %d, msgId : %d, If msgId is 0, [HULM is changed to NMS]",
                 static_cast<int>(preferred), msgId);
        preferred = SendBy::NMS;
    }
    if (preferred == SendBy::HULM)
        return pick(links, SendBy::HULM, SendBy::PHONE, SendBy::HULM);
    return pick(links, SendBy::NMS, SendBy::PHONE, SendBy::NMS);
}

} // namespace compose
} // namespace msg_app
