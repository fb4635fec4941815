// Whether the paired phone can act on the watch's messages now.
#ifndef MSG_SIM_SIMPHONELINK_H
#define MSG_SIM_SIMPHONELINK_H

#include <string>

namespace msg_sim {

// A phone link (Bluetooth or the remote link) exists.
bool simPhoneLinked();
// Why the phone cannot deliver or fail the message; empty when it can.
std::string simPhoneCannotSend(int msgId);

} // namespace msg_sim

#endif
