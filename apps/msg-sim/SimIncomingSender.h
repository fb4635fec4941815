/*
 * Who an incoming message of msg-sim comes from: the sender and, for a group
 * conversation, the other members the phone names with "--group"; and where
 * the block list lets it go.
 */
#ifndef MSG_SIM_SIMINCOMINGSENDER_H
#define MSG_SIM_SIMINCOMINGSENDER_H

#include "msg_store/PhoneSide.h"

#include <string>

namespace msg_sim {

// Sets the message's sender and its addresses: the sender first, then each member of the
// comma-separated list (empty members are skipped).
void simSetIncomingSender(msg_store::IncomingMessage& message, const std::string& from,
                          const std::string& members);
// The phone passes on what the block list lets through: a message for an inbox from a blocked
// sender, or with a blocked word, goes to that side's spam folder. Broadcast alerts pass.
void simFilterIncoming(msg_store::IncomingMessage& message);

} // namespace msg_sim

#endif
