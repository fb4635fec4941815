// msg-sim journal: the platform journal, the usage log, traces, feedback and power locks.
#ifndef MSG_SIM_SIMJOURNALCOMMANDS_H
#define MSG_SIM_SIMJOURNALCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerJournalCommands();

} // namespace msg_sim

#endif
