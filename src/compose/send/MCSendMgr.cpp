#include "compose/send/MCSendMgr.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/DazoLog.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "compose/send/MCOutgoingMgr.h"
#include "compose/send/MCStandaloneSend.h"
#include "zeq_feature.h"

#include <cstdlib>

namespace msg_app {
namespace compose {

MCSendMgr* MCSendMgr::_instance = nullptr;

namespace {

constexpr int FEATURE_CALLER_LOGGING = 38;

std::string joinRecipients(const MCMsgData& msg) {
    std::string address;
    for (const auto& recipient : msg.recipient)
        address += (address.empty() ? "" : ";") + recipient;
    return address;
}

} // namespace

MCSendMgr* MCSendMgr::getInstance() {
    if (!_instance) {
        _instance = new MCSendMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCSendMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

void MCSendMgr::LogData::insertDazoLog(const char* extra) const {
    const char* event = logType == LOG_TYPE_NEW ? "SNDM" : logType == LOG_TYPE_REPLY ? "RPLM" : nullptr;
    if (!event)
        return;
    const char* detail = nullptr;
    std::string what = extra ? extra : "";
    if (what == "PHONE") {
        connectivity::YoxConn conn = connectivity::get_yox_connect();
        detail = conn == connectivity::YoxConn::BT    ? "BT"
                 : conn == connectivity::YoxConn::RLX ? "RLX"
                                                      : nullptr;
    } else if (what == "HULM") {
        detail = "SA";
    } else {
        MSG_LOGE("extra is error : %s", what.c_str());
        return;
    }
    if (!detail)
        return;
    dazo_log::insert(event, detail);
    if (fromMessageApp)
        dazo_log::insert(logType == LOG_TYPE_NEW ? "1002" : "1006", detail);
    MSG_LOGD("isNalLogging : %d", zeq_feature_get_bool(FEATURE_CALLER_LOGGING));
}

void MCSendMgr::_turnOnModemInGrayZone(MCMsgData& msg) {
    if (!common_util::is_sta_enabled() || !msg.sendProgress.takeFirst(MCSendProgress::MODEM_CHECKED))
        return;
    MCommonTapi* tapi = MCommonTapi::getInstance();
    if (!tapi->isGrayZone())
        return;
    if (tapi->setModemOn())
        MSG_LOGI("success to turn ON the modem in gray zone.");
    else
        MSG_LOGE("failed to turn ON the modem in gray zone.");
}

int MCSendMgr::_sendThroughPhone(SendBy sendBy, MCMsgData& msg, const std::string& address,
                                 std::string* outInfo) {
    int msgId = 0;
    int ret = 0;
    bool mms = msg.msgType == MSG_TYPE_MMS;
    if (sendBy == SendBy::PHONE) {
        MSG_LOGI("connected mobile send the message.");
        msg_store::MessageManager& messages = _store.messages;
        ret = mms ? messages.sendMMS(msg.threadId, address, msg.body, msg.attachPath, msg.simIndex, &msgId)
                  : messages.sendSMS(msg.threadId, address, msg.body, msg.simIndex, &msgId);
    } else {
        MSG_LOGI("NMS send the message.");
        msg_store::NmsManager& nms = _store.nms;
        ret = mms ? nms.sendMMS(msg.threadId, address, msg.body, msg.attachPath, &msgId)
                  : nms.sendSMS(msg.threadId, address, msg.body, &msgId);
    }
    if (ret != 0) {
        // A failure is not a sent message in the usage log.
        MSG_LOGE("send() failed. ret : %d", ret);
        return SEND_PHONE_FAILED;
    }
    _logData.insertDazoLog("PHONE");
    MSG_LOGD("msgId : %d", msgId);
    msg.sentMsgId = msgId;
    if (outInfo)
        *outInfo += std::to_string(msgId) + ",PEER;";
    return SEND_OK;
}

int MCSendMgr::_sendFromDevice(MCMsgData& msg, std::string* outInfo) {
    int staRet = MCStandaloneSend::send(msg, outInfo);
    MSG_LOGI("hulm send the message. staRet : %d", staRet);
    if (staRet == 0)
        _logData.insertDazoLog("HULM");
    if (!MCommonTapi::getInstance()->isNetworkAttached() && msg.msgType == MSG_TYPE_SMS && staRet == 0) {
        MSG_LOGI("hulm network is not attached and msgType is SMS.");
        return SEND_DEVICE_NOT_ATTACHED;
    }
    if (staRet != 0) {
        MSG_LOGE("send() failed. sendBy : %d, staRet : %d", static_cast<int>(SendBy::HULM), staRet);
        return staRet == PLATFORM_ERROR_9001 ? SEND_DEVICE_FAILED_9001 : SEND_DEVICE_FAILED;
    }
    return SEND_OK;
}

void MCSendMgr::_sendReadReport(MCMsgData& msg) {
    // The message answered is read once, by the first of its sends that goes out.
    if (msg.readRequest <= 0 || msg.msgId <= 0 || !msg.sendProgress.takeFirst(MCSendProgress::READ_REPORTED))
        return;
    int ret = _store.messages.readMessage(msg.msgId);
    if (ret != 0)
        MSG_LOGE("msgMgr.readMessage failed. ret : %d", ret);
}

int MCSendMgr::sendMessageByType(SendBy sendBy, const std::shared_ptr<MCMsgData>& msg, std::string* outInfo) {
    _lastResult = _send(sendBy, msg, outInfo);
    return _lastResult;
}

int MCSendMgr::_send(SendBy sendBy, const std::shared_ptr<MCMsgData>& msg, std::string* outInfo) {
    MSG_RETV_IF(!msg, SEND_NO_MESSAGE, "msg is nullptr");
    MSG_LOGD("sendBy[%d][1:PHONE,2:HULM], msgType[%d][0:SMS,1:MMS], fileType[%d][1:TEXT,2:IMAGE,3:AUDIO]",
             static_cast<int>(sendBy), msg->msgType, msg->fileType);
    msg->sendProgress.takeFirst(MCSendProgress::ATTEMPTED);
    std::string address = joinRecipients(*msg);
    _turnOnModemInGrayZone(*msg);
    if (msg->msgType == MSG_TYPE_MMS && msg->fileType == FILE_TYPE_TEXT)
        dazo_log::insert("CMMS", nullptr);

    int result = SEND_OK;
    if (sendBy == SendBy::PHONE || sendBy == SendBy::NMS) {
        result = _sendThroughPhone(sendBy, *msg, address, outInfo);
    } else if (sendBy == SendBy::HULM && common_util::is_sta_enabled()) {
        result = _sendFromDevice(*msg, outInfo);
    } else {
        // Nothing went out, which the caller must not take for a success.
        MSG_LOGE("sendBy is not matched. [%d]", static_cast<int>(sendBy));
        return SEND_PHONE_FAILED;
    }
    if (result == SEND_OK || result == SEND_DEVICE_NOT_ATTACHED)
        _sendReadReport(*msg);
    return result;
}

} // namespace compose
} // namespace msg_app
