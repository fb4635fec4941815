// The watch's own modem as the network sees it: messages the watch sent wait
// in its outbox while there is no SIM, no service or flight mode, and go out
// when the network is there; a one-shot send error can be injected.
#ifndef MSG_SIM_SIMWATCHSENDCOMMANDS_H
#define MSG_SIM_SIMWATCHSENDCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerWatchSendCommands();

} // namespace msg_sim

#endif
