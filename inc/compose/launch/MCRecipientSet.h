/*
 * Adds recipients to the composer's record once each: a request may name the
 * same number as the conversation it answers, and that must stay a message to
 * one person rather than a group message.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTSET_H
#define MSG_APP_COMPOSE_MCRECIPIENTSET_H

#include "compose/MCMsgData.h"

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

class MCRecipientSet {
public:
    MCRecipientSet() = delete;

    // Appends the non-empty addresses not yet in msg (numbers compared without separators);
    // two or more recipients make the message an MMS.
    static void add(const std::vector<std::string>& addresses, MCMsgData& msg);
    static bool contains(const MCMsgData& msg, const std::string& address);
};

} // namespace compose
} // namespace msg_app

#endif
