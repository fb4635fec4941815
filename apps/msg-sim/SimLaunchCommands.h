// msg-sim launches, reply and apps: the launch journal and the installed applications.
#ifndef MSG_SIM_SIMLAUNCHCOMMANDS_H
#define MSG_SIM_SIMLAUNCHCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerLaunchCommands();

} // namespace msg_sim

#endif
