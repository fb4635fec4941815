/*
 * Why the watch's own network refused a message: the telephony's reject cause for its road (circuit
 * for SMS, packet for MMS), with the exceptions of the carriers whose causes differ at home and abroad.
 */
#ifndef MSG_APP_COMPOSE_SEND_MCREJECTCAUSE_H
#define MSG_APP_COMPOSE_SEND_MCREJECTCAUSE_H

#include "compose/MCMsgData.h"

namespace msg_app {
namespace compose {

class MCRejectCause {
public:
    MCRejectCause() = delete;

    // The cause for a message of msgType; 0 when the network let it through.
    static int read(MsgType msgType);
};

} // namespace compose
} // namespace msg_app

#endif
