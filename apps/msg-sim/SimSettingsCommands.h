// msg-sim get, set, pref and feature: the device settings, application preferences and features.
#ifndef MSG_SIM_SIMSETTINGSCOMMANDS_H
#define MSG_SIM_SIMSETTINGSCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerSettingsCommands();

} // namespace msg_sim

#endif
