// msg-sim pick: the device's contacts picker, answering a composer's request with a number of the
// address book as the picker would (the record id of the chosen number).
#ifndef MSG_SIM_SIMPICKCOMMANDS_H
#define MSG_SIM_SIMPICKCOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerPickCommands();

} // namespace msg_sim

#endif
