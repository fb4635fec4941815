/*
 * Sends a message from the watch's own modem through the platform's
 * messaging service: an SMS, or an MMS built as one page of text with an
 * optional picture or recording.
 */
#ifndef MSG_APP_COMPOSE_MCSTANDALONESEND_H
#define MSG_APP_COMPOSE_MCSTANDALONESEND_H

#include "compose/MCMsgData.h"
#include "msg_types.h"

#include <string>

namespace msg_app {
namespace compose {

class MCStandaloneSend {
public:
    static constexpr const char* MMS_TEXT_FILE = "MMS_temp.txt";

    MCStandaloneSend() = delete;

    // The messaging service's result; on success sentMsgId and pendingMsgId hold the new id.
    static int send(MCMsgData& msg, std::string* outInfo);

private:
    static bool _addAddresses(msg_struct_t message, const MCMsgData& msg, bool groupMms);
    static bool _addSmil(msg_struct_t mms, const MCMsgData& msg);
    static bool _addRegion(msg_struct_t mms, const char* id);
    static bool _addMedia(msg_struct_t page, int type, const char* region, const std::string& path,
                          const char* contentType);
};

} // namespace compose
} // namespace msg_app

#endif
