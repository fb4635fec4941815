// msg-sim commands that bring a conversation into the states its bubbles draw: a long thread in
// one change, a received MMS with any of the marks, a message of ours in the outbox (for "fail"),
// and a message whose time the phone corrects.
#ifndef MSG_SIM_SIMCONVERSATIONCOMMANDS_H
#define MSG_SIM_SIMCONVERSATIONCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerConversationCommands();

} // namespace msg_sim

#endif
