/*
 * Reads a launch request that opens the composer into the composer's data
 * record. Requests come from other applications, so every value is checked:
 * a malformed or oversized value refuses the request with a log line.
 */
#ifndef MSG_APP_COMPOSE_MCAPPCONTROLPARSER_H
#define MSG_APP_COMPOSE_MCAPPCONTROLPARSER_H

#include "app_control.h"
#include "common/AppIds.h"
#include "common/MCommonMsgStore.h"
#include "compose/MCMsgData.h"
#include "compose/send/MCSendMgr.h"
#include "msg_store/Message.h"

#include <memory>
#include <string>

namespace msg_app {
namespace compose {

class MCAppControlParser {
public:
    static constexpr const char* MESSAGE_APP_ID = app_id::MESSAGE;
    // Carrier features: the reduced SMS limit, and the caller's id in the usage log.
    static constexpr int FEATURE_REDUCED_SMS_LIMIT = 51;
    static constexpr int FEATURE_CALLER_LOGGING = 38;
    // Bounds of what a request may carry; no real request comes near them.
    static constexpr size_t MAX_VALUE_BYTES = 64 * 1024 - 1;
    static constexpr int MAX_ARRAY_LENGTH = 1024;
    // Carriers' MMS relays take a group message to about twenty people at most (some fewer); a watch
    // never writes to more, so a request naming more is refused rather than queued.
    static constexpr size_t MAX_RECIPIENTS = 20;
    // SIM slots a message may name: the paired phone's two (the watch's own SIM is the first).
    static constexpr int SIM_SLOTS = 2;

    virtual ~MCAppControlParser() = default;

    // The text of appcontrol/data/text, or the recipients and body of an "sms:"/"smsto:" URI.
    bool parseOperationData(app_control_h handle, std::shared_ptr<MCMsgData>& outMsgSptr);
    bool parseExtraData(app_control_h handle, std::shared_ptr<MCMsgData>& outMsgSptr);
    // The input selector's "key:value" array.
    bool parseExtraDataArray(app_control_h handle, AppControlType appControlType,
                             std::shared_ptr<MCMsgData>& outMsgSptr);
    // The road, SIM and recipients of a stored message being answered or sent again.
    void _load(msg_store::Message& msg, std::shared_ptr<MCMsgData>& outMsgSptr) const;

private:
    bool _parseScalarExtras(app_control_h handle, MCMsgData& msg, MCSendMgr::LogData& logData);
    bool _parseArrayElement(const std::string& key, const std::string& value, MCMsgData& msg,
                            MCSendMgr::LogData& logData, std::string& address);
    bool _parseReplyContext(app_control_h handle, MCMsgData& msg);
    bool _parseSmsUri(const std::string& uri, MCMsgData& msg);
    bool _loadStoredMessage(std::shared_ptr<MCMsgData>& outMsgSptr);
    static bool _isInConversation(int threadId, const std::vector<std::string>& named);
    static bool _isWithinBounds(const MCMsgData& msg);

    MCommonMsgStore _store;
};

} // namespace compose
} // namespace msg_app

#endif
