/*
 * The whole life of a process that sends one message for a launch request:
 * start-up, the sending page and its popups, and teardown once they close.
 */
#ifndef MSG_SEND_SENDPROCESS_H
#define MSG_SEND_SENDPROCESS_H

#include "compose/MCMsgData.h"

namespace msg_app {
namespace compose {

// The process's exit status: 0 after the work, 2 when it was not started by a launch request.
int runSendProcess(int argc, char** argv, const char* name, AppControlType appControlType);

} // namespace compose
} // namespace msg_app

#endif
