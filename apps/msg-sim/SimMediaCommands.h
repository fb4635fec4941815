// msg-sim audio and wakeup: the sound route and focus the device reports, and the voice wake-up
// service asking the messaging application who its open conversation is with.
#ifndef MSG_SIM_SIMMEDIACOMMANDS_H
#define MSG_SIM_SIMMEDIACOMMANDS_H

namespace msg_sim {

// Adds the group's commands to msg-sim's list; main calls it once at start.
void registerMediaCommands();

} // namespace msg_sim

#endif
