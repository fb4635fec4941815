// msg-sim inspect: asks the running messaging application what its screen shows, as a test that
// drives its window does. The application answers only when it was started with MSG_INSPECT set.
#ifndef MSG_SIM_SIMINSPECTCOMMANDS_H
#define MSG_SIM_SIMINSPECTCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerInspectCommands();

} // namespace msg_sim

#endif
