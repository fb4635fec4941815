// msg-sim commands of the paired phone: messages arrive, sends complete or fail.
#ifndef MSG_SIM_SIMPHONECOMMANDS_H
#define MSG_SIM_SIMPHONECOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerPhoneCommands();

} // namespace msg_sim

#endif
