// Sends any launch request by hand, as another application of the device
// would: to an application or by operation, with a URI, extras and arrays.
#ifndef MSG_SIM_SIMSENDLAUNCHCOMMANDS_H
#define MSG_SIM_SIMSENDLAUNCHCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerSendLaunchCommands();

} // namespace msg_sim

#endif
