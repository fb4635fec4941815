// msg-sim commands of the watch's own messaging service: the block list,
// cell-broadcast options and messages arriving through the watch's modem.
// Sent messages of the watch are delivered or failed by the phone commands.
#ifndef MSG_SIM_SIMWATCHMSGCOMMANDS_H
#define MSG_SIM_SIMWATCHMSGCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerWatchMsgCommands();

} // namespace msg_sim

#endif
