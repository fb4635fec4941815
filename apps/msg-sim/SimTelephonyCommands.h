// msg-sim commands of the watch's modem and the cellular network it sees, including the
// network's time zone.
#ifndef MSG_SIM_SIMTELEPHONYCOMMANDS_H
#define MSG_SIM_SIMTELEPHONYCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerTelephonyCommands();

} // namespace msg_sim

#endif
