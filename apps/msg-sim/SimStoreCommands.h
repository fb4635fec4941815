// msg-sim commands that read the message store and act on it as the watch's user would.
#ifndef MSG_SIM_SIMSTORECOMMANDS_H
#define MSG_SIM_SIMSTORECOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerStoreCommands();

} // namespace msg_sim

#endif
