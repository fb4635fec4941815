// msg-sim locate: the device's location picker, answering a "send my location" request with a
// place as the picker would: its coordinates, and a web link when the map application has one.
#ifndef MSG_SIM_SIMLOCATECOMMANDS_H
#define MSG_SIM_SIMLOCATECOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerLocateCommands();

} // namespace msg_sim

#endif
