// msg-sim seed: fills a device with a year of demo conversations, or with as many plain ones as asked.
#ifndef MSG_SIM_SIMSEEDCOMMANDS_H
#define MSG_SIM_SIMSEEDCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerSeedCommands();

} // namespace msg_sim

#endif
