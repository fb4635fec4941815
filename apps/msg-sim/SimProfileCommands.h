// msg-sim profile: named device situations applied at once.
#ifndef MSG_SIM_SIMPROFILECOMMANDS_H
#define MSG_SIM_SIMPROFILECOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerProfileCommands();

} // namespace msg_sim

#endif
