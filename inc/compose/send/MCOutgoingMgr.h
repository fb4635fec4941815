/*
 * Decides the road a message leaves by: the paired phone, the watch's own
 * modem, or the network message service; checks the network before a send
 * and offers the popups of a road that is not there.
 */
#ifndef MSG_APP_COMPOSE_MCOUTGOINGMGR_H
#define MSG_APP_COMPOSE_MCOUTGOINGMGR_H

#include "common/Connectivity.h"
#include "compose/MCMsgData.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
class MCommonPopup;
namespace compose {

enum class SendBy : int {
    NONE = 0,
    PHONE = 1,
    HULM = 2,
    NMS = 3,
};

class MCOutgoingMgr {
public:
    enum Error : int {
        ERROR_NONE = 0,
        ERROR_SWITCH_TO_PHONE = 1,  // the device road failed; the phone's is up
        ERROR_SWITCH_TO_DEVICE = 2, // the phone road failed; the device's is up
        ERROR_NO_NETWORK = 3,
        ERROR_SIM_NOT_ACTIVATED = 4,
        ERROR_NETWORK_REJECTED = 5,
    };
    enum Operator : int {
        OPERATOR_OTHER = 0,
        OPERATOR_SKT = 1,
        OPERATOR_KT = 2,
        OPERATOR_ATT = 4,
        OPERATOR_TMB = 5,
        OPERATOR_VZW = 6,
    };

    static MCOutgoingMgr* getInstance();

    SendBy getSendBy() const { return _sendBy; }
    void setSendBy(SendBy sendBy);
    int getOutgoingType();
    // Whether the user may choose between the phone's and the watch's number (the two buttons above
    // a new message's recipient and body).
    bool isSendPathSelectable();
    int getRejectCause() const { return _rejectCause; }
    SendBy getOperatorNewMsgSendBy();
    SendBy getOperatorAvailableSendBy(connectivity::YoxConn conn, bool deviceAvailable, int msgId);
    // The decision before every send; may change the road.
    Error checkNetworkAvailable(MsgType& msgType, const std::string& address, int msgId);
    // The popup of a failed check, for the caller to attach; null when there is none to show.
    MCommonPopup* createOutgoingErrorPopup(Error error, int appControlType,
                                           const std::shared_ptr<MCMsgData>& msg,
                                           const std::function<void()>& sendingPopupCb,
                                           std::function<void()> okCb, std::function<void()> cancelCb);

private:
    MCOutgoingMgr() = default;
    ~MCOutgoingMgr() = default;
    MCOutgoingMgr(const MCOutgoingMgr&) = delete;
    MCOutgoingMgr& operator=(const MCOutgoingMgr&) = delete;

    static void _destroy();
    int _getOperator();
    int _getOperatorService(int* serviceStatus);
    SendBy _getTshareFixedSendBy();
    Error _checkFixedRoad(connectivity::YoxConn conn, bool deviceAvailable, int msgId, bool* decided);
    Error _checkHulmNetworkError(MsgType msgType);
    Error _chooseRoad(int outgoingType);
    int _getHulmNetworkRejectCause(MsgType msgType);

    static MCOutgoingMgr* _instance;
    int _operator = -1; // -1 until read
    int _outgoingType = 0;
    SendBy _sendBy = SendBy::NONE;
    SendBy _availableSendBy = SendBy::NONE;
    int _rejectCause = 0;
};

} // namespace compose
} // namespace msg_app

#endif
