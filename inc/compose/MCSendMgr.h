/*
 * Sends the composer's message by the chosen road and keeps the usage-log
 * context of the request that asked for it.
 */
#ifndef MSG_APP_COMPOSE_MCSENDMGR_H
#define MSG_APP_COMPOSE_MCSENDMGR_H

#include <string>

namespace msg_app {
namespace compose {

class MCSendMgr {
public:
    enum LogType : int {
        LOG_TYPE_NONE = 0,
        LOG_TYPE_NEW = 1,
        LOG_TYPE_REPLY = 2,
    };

    struct LogData {
        int fromMessageApp = 0; // 1 when the phone's messaging application asked
        int logType = LOG_TYPE_NONE;
        std::string callerAppId;
    };

    static MCSendMgr* getInstance();

    void setLogData(const LogData& logData) { _logData = logData; }
    const LogData& getLogData() const { return _logData; }

private:
    MCSendMgr() = default;
    ~MCSendMgr() = default;
    MCSendMgr(const MCSendMgr&) = delete;
    MCSendMgr& operator=(const MCSendMgr&) = delete;

    static void _destroy();

    static MCSendMgr* _instance;
    LogData _logData;
};

} // namespace compose
} // namespace msg_app

#endif
