// msg-sim commands of the address book and the call log.
#ifndef MSG_SIM_SIMCONTACTCOMMANDS_H
#define MSG_SIM_SIMCONTACTCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerContactCommands();

} // namespace msg_sim

#endif
