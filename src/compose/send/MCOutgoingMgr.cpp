#include "compose/send/MCOutgoingMgr.h"

#include "common/CommonUtil.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "compose/MCUtil.h"
#include "compose/send/MCOutgoingRoads.h"
#include "compose/send/MCPopup.h"
#include "compose/send/MCRejectCause.h"
#include "compose/send/MCTarvik.h"
#include "vconf.h"

#include <cstdlib>

namespace msg_app {
namespace compose {

MCOutgoingMgr* MCOutgoingMgr::_instance = nullptr;

namespace {

// The number-sync status under which the carrier's service is off.
constexpr int SYNC_STATUS_OFF = 4;
constexpr const char* MULTI_SIM_MODEL_KEY = "db/wms/multi_sim_model";
constexpr const char* MULTI_SIM_CATEGORY_KEY = "db/wms/multi_sim_category";
constexpr const char* REQUEST_TYPE_KEY = "db/ciss/request_type";
constexpr int TSHARE_CATEGORY = 4;

bool isEmergencyNumber(const std::string& address) {
    return address == "911" || address == "9339";
}

} // namespace

MCOutgoingMgr* MCOutgoingMgr::getInstance() {
    if (!_instance) {
        _instance = new MCOutgoingMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCOutgoingMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

void MCOutgoingMgr::setSendBy(SendBy sendBy) {
    MSG_LOGD("_sendBy : %d", static_cast<int>(sendBy));
    _sendBy = sendBy;
}

int MCOutgoingMgr::_getOperator() {
    if (_operator >= 0)
        return _operator;
    std::string code;
    common_util::get_sales_code(code);
    if (code == "SKC" || code == "SKO")
        _operator = OPERATOR_SKT;
    else if (code == "KTC" || code == "KTO")
        _operator = OPERATOR_KT;
    else if (code == "ATT")
        _operator = OPERATOR_ATT;
    else if (code == "TMB")
        _operator = OPERATOR_TMB;
    else if (code == "VZW")
        _operator = OPERATOR_VZW;
    else
        _operator = OPERATOR_OTHER;
    return _operator;
}

int MCOutgoingMgr::_getOperatorService(int* serviceStatus) {
    int type = MCOutgoingRoads::GENERAL;
    int status = -1;
    if (_getOperator() == OPERATOR_ATT && MCommonNumberSync::getInstance()->getStatus(&status) &&
        status != SYNC_STATUS_OFF)
        type = MCOutgoingRoads::NUMBER_SYNC;
    else if (_getOperator() == OPERATOR_TMB && MCTarvik::getInstance()->getStatus(&status) &&
             status == MCOutgoingRoads::SHARING_ENABLED)
        type = MCOutgoingRoads::NUMBER_SHARING;
    MSG_LOGD("OutgoingType[%d][0:general, 1:number_sync, 2:tarvik]", type);
    if (serviceStatus)
        *serviceStatus = status;
    _outgoingType = type;
    return type;
}

bool MCOutgoingMgr::isSendPathSelectable() {
    return common_util::is_sta_enabled() && !common_util::is_power_saving_mode() &&
           connectivity::get_connected_vendor() != connectivity::VENDOR_OTHER_LO &&
           getOutgoingType() != MCOutgoingRoads::NUMBER_SHARING;
}

int MCOutgoingMgr::getOutgoingType() {
    return _getOperatorService(nullptr);
}

SendBy MCOutgoingMgr::getOperatorNewMsgSendBy() {
    MCOutgoingRoads::Links links;
    MCUtil::getAvailableNetworkStatus(&links.conn, &links.device, MSG_TYPE_SMS);
    links.phone = links.conn != connectivity::YoxConn::NONE;
    int status = -1;
    auto type = static_cast<MCOutgoingRoads::OutgoingType>(_getOperatorService(&status));
    SendBy sendBy = MCOutgoingRoads::newMessageRoad(type, status, links, _getOperator());
    MSG_LOGD("sendBy[%d][1:phone, 2:hulm], isPhoneAvailable[%d], isHulmAvailable[%d], _outgoingType : %d",
             static_cast<int>(sendBy), links.phone, links.device, type);
    return sendBy;
}

SendBy MCOutgoingMgr::getOperatorAvailableSendBy(connectivity::YoxConn conn, bool deviceAvailable,
                                                 int msgId) {
    MCOutgoingRoads::Links links{conn != connectivity::YoxConn::NONE, deviceAvailable, conn};
    int status = -1;
    auto type = static_cast<MCOutgoingRoads::OutgoingType>(_getOperatorService(&status));
    return MCOutgoingRoads::availableRoad(type, status, _sendBy, links, msgId);
}

SendBy MCOutgoingMgr::_getTshareFixedSendBy() {
    int multiSim = 0;
    int category = 0;
    if (_getOperator() != OPERATOR_SKT || vconf_get_bool(MULTI_SIM_MODEL_KEY, &multiSim) != VCONF_OK ||
        !multiSim || vconf_get_int(MULTI_SIM_CATEGORY_KEY, &category) != VCONF_OK ||
        category != TSHARE_CATEGORY)
        return SendBy::NONE;
    int requestType = 0;
    vconf_get_int(REQUEST_TYPE_KEY, &requestType);
    SendBy fixed = requestType == 1 ? SendBy::HULM : requestType == 2 ? SendBy::PHONE : SendBy::NONE;
    if (fixed == SendBy::NONE)
        MSG_LOGE("wrong requestType : [%d]", requestType);
    else
        MSG_LOGI("org_sendby : [%d] is changed to tshare fixedSendby : [%d] [1: phone, 2: hulm]",
                 static_cast<int>(_sendBy), static_cast<int>(fixed));
    return fixed;
}

MCOutgoingMgr::Error MCOutgoingMgr::_checkFixedRoad(connectivity::YoxConn conn, bool deviceAvailable,
                                                    int msgId, bool* decided) {
    *decided = false;
    SendBy fixed = _getTshareFixedSendBy();
    if (fixed == SendBy::NONE)
        return ERROR_NONE;
    _sendBy = fixed;
    if (conn == connectivity::YoxConn::NONE)
        _availableSendBy = getOperatorAvailableSendBy(conn, deviceAvailable, msgId);
    if (connectivity::get_connected_vendor() != connectivity::VENDOR_OTHER_LO) {
        *decided = true;
        return ERROR_NONE;
    }
    _sendBy = SendBy::NONE;
    return ERROR_NONE;
}

MCOutgoingMgr::Error MCOutgoingMgr::_checkHulmNetworkError(MsgType msgType) {
    std::string country;
    common_util::get_country_iso(country);
    if (country == "KR" && !MCUtil::isSKTSimActivated())
        return ERROR_SIM_NOT_ACTIVATED;
    int cause = _getHulmNetworkRejectCause(msgType);
    if (cause > 0) {
        _rejectCause = cause;
        MSG_LOGE("_checkHulmNetworkError() error exist !! ret : %d", ERROR_NETWORK_REJECTED);
        return ERROR_NETWORK_REJECTED;
    }
    return ERROR_NONE;
}

MCOutgoingMgr::Error MCOutgoingMgr::_chooseRoad(int outgoingType) {
    if (_sendBy == SendBy::NONE && _availableSendBy == SendBy::NONE) {
        MSG_LOGE("_sendBy : SendBy::NONE and _availableSendBy : SendBy::NONE");
        return ERROR_NO_NETWORK;
    }
    if (_sendBy == _availableSendBy)
        return ERROR_NONE;
    if (_sendBy == SendBy::PHONE && _availableSendBy == SendBy::NMS) {
        MSG_LOGI("[Number sync] Reply phone msg. modem ON. this can send as NMS.");
        _sendBy = SendBy::NMS;
        return ERROR_NONE;
    }
    if (outgoingType == MCOutgoingRoads::NUMBER_SHARING && _availableSendBy != SendBy::NONE) {
        MSG_LOGI("[tarvik enabled] network switch popup doesn't need to show.");
        return ERROR_NONE;
    }
    if (_availableSendBy == SendBy::PHONE)
        return ERROR_SWITCH_TO_PHONE;
    if (_availableSendBy == SendBy::HULM)
        return ERROR_SWITCH_TO_DEVICE;
    return ERROR_NO_NETWORK;
}

MCOutgoingMgr::Error MCOutgoingMgr::checkNetworkAvailable(MsgType& msgType, const std::string& address,
                                                          int msgId) {
    Error ret = ERROR_NONE;
    if (!common_util::is_sta_enabled()) {
        if (!connectivity::is_sendby_phone_available(nullptr)) {
            connectivity::launch_no_yox_fabrel_popup();
            ret = ERROR_NO_NETWORK;
        } else {
            _sendBy = SendBy::PHONE;
        }
        MSG_LOGD("ret : %d", ret);
        return ret;
    }
    connectivity::YoxConn conn = connectivity::YoxConn::NONE;
    bool deviceAvailable = false;
    MCUtil::getAvailableNetworkStatus(&conn, &deviceAvailable, MSG_TYPE_SMS);
    bool decided = false;
    _checkFixedRoad(conn, deviceAvailable, msgId, &decided);
    if (decided) {
        MSG_LOGD("ret : %d", ret);
        return ret;
    }
    int outgoingType = getOutgoingType();
    if (_sendBy == SendBy::NONE)
        _sendBy = getOperatorNewMsgSendBy();
    _availableSendBy = getOperatorAvailableSendBy(conn, deviceAvailable, msgId);

    int syncStatus = -1;
    if (isEmergencyNumber(address) && outgoingType == MCOutgoingRoads::NUMBER_SYNC &&
        MCommonNumberSync::getInstance()->getStatus(&syncStatus) &&
        syncStatus == MCOutgoingRoads::SYNC_ACTIVE) {
        MSG_LOGI("_sendBy set HULM because recipient is emergency number");
        _sendBy = SendBy::HULM;
        MSG_LOGD("ret : %d", ret);
        return ret;
    }
    if ((_sendBy == SendBy::HULM && _availableSendBy == SendBy::NONE) || _availableSendBy == SendBy::HULM)
        ret = _checkHulmNetworkError(msgType);
    if (ret == ERROR_NONE)
        ret = _chooseRoad(outgoingType);
    MSG_LOGD("ret : %d", ret);
    return ret;
}

MCommonPopup* MCOutgoingMgr::createOutgoingErrorPopup(Error error, int appControlType,
                                                      const std::shared_ptr<MCMsgData>& msg,
                                                      const std::function<void()>& sendingPopupCb,
                                                      std::function<void()> okCb,
                                                      std::function<void()> cancelCb) {
    MSG_RETV_IF(!msg, nullptr, "msgSptr is nullptr");
    MSG_RETV_IF(!sendingPopupCb, nullptr, "sendingPopupCb is nullptr");
    switch (error) {
    case ERROR_SWITCH_TO_PHONE:
    case ERROR_SWITCH_TO_DEVICE:
        return MCPopup::createNetworkSwithPopup(error, appControlType, msg, sendingPopupCb, std::move(okCb),
                                                std::move(cancelCb));
    case ERROR_NO_NETWORK:
        return MCPopup::createNetworkNotAvailablePopup(appControlType, msg);
    case ERROR_SIM_NOT_ACTIVATED:
        return MCPopup::createHulmSKTSimNotActivatedPopup(appControlType);
    case ERROR_NETWORK_REJECTED:
        return MCPopup::createHulmNetworkRejectPopup(appControlType, _rejectCause, msg);
    default:
        MSG_LOGE("outgoingErr type is not mathced.");
        return nullptr;
    }
}

int MCOutgoingMgr::_getHulmNetworkRejectCause(MsgType msgType) {
    return MCRejectCause::read(msgType);
}

} // namespace compose
} // namespace msg_app
