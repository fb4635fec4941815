/*
 * Sends the composer's message by the chosen road, records the usage log of
 * the request that asked for it, and marks the answered message read.
 */
#ifndef MSG_APP_COMPOSE_MCSENDMGR_H
#define MSG_APP_COMPOSE_MCSENDMGR_H

#include "common/MCommonMsgStore.h"
#include "compose/MCMsgData.h"

#include <memory>
#include <string>

namespace msg_app {
namespace compose {

enum class SendBy : int;

class MCSendMgr {
public:
    enum LogType : int {
        LOG_TYPE_NONE = 0,
        LOG_TYPE_NEW = 1,
        LOG_TYPE_REPLY = 2,
    };
    // Results of sendMessageByType.
    enum SendResult : int {
        SEND_OK = 0,
        SEND_NO_MESSAGE = 1,
        SEND_PHONE_FAILED = 2,
        SEND_DEVICE_FAILED = 3,
        SEND_DEVICE_FAILED_9001 = 4,
        SEND_DEVICE_NOT_ATTACHED = 5, // an SMS the watch sends when service returns
    };
    static constexpr int PLATFORM_ERROR_9001 = -9001;

    struct LogData {
        int fromMessageApp = 0; // 1 when the phone's messaging application asked
        int logType = LOG_TYPE_NONE;
        std::string callerAppId;

        // "PHONE" (with the phone link's kind) or "HULM"; failures are not logged as sent.
        void insertDazoLog(const char* extra) const;
    };

    static MCSendMgr* getInstance();

    void setLogData(const LogData& logData) { _logData = logData; }
    const LogData& getLogData() const { return _logData; }
    // True once a send of this message was attempted.
    static bool getIsSendMsg(const MCMsgData& msg) { return msg.sendProgress.has(MCSendProgress::ATTEMPTED); }
    // outInfo, when given, receives "<id>,PEER;" for each message the store took.
    int sendMessageByType(SendBy sendBy, const std::shared_ptr<MCMsgData>& msg, std::string* outInfo);
    // The result of the last sendMessageByType, for a caller that did not make the call itself.
    int getLastResult() const { return _lastResult; }

private:
    MCSendMgr() = default;
    ~MCSendMgr() = default;
    MCSendMgr(const MCSendMgr&) = delete;
    MCSendMgr& operator=(const MCSendMgr&) = delete;

    static void _destroy();
    int _send(SendBy sendBy, const std::shared_ptr<MCMsgData>& msg, std::string* outInfo);
    void _turnOnModemInGrayZone(MCMsgData& msg);
    int _sendThroughPhone(SendBy sendBy, MCMsgData& msg, const std::string& address, std::string* outInfo);
    int _sendFromDevice(MCMsgData& msg, std::string* outInfo);
    void _sendReadReport(MCMsgData& msg);

    static MCSendMgr* _instance;
    MCommonMsgStore _store;
    LogData _logData;
    int _lastResult = SEND_NO_MESSAGE;
};

} // namespace compose
} // namespace msg_app

#endif
