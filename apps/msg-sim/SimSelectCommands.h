// msg-sim select: answers a pending input-selector request as the selector's window would.
#ifndef MSG_SIM_SIMSELECTCOMMANDS_H
#define MSG_SIM_SIMSELECTCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerSelectCommands();

} // namespace msg_sim

#endif
