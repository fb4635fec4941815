/*
 * Which road can carry a message now: the phone link and the watch's own modem.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_SEND_MCUTILNETWORK_H
#define MSG_APP_COMPOSE_SEND_MCUTILNETWORK_H

#include "common/Connectivity.h"

namespace msg_app {
namespace compose {

struct MCUtilNetwork {
    // Whether the watch's own modem can send now: a SIM, and the modem on or parked.
    static bool isHulmNetworkAvailable();
    // The phone link and whether the watch's own road can carry a message of msgType.
    static void getAvailableNetworkStatus(connectivity::YoxConn* conn, bool* deviceAvailable, int msgType);
    static bool isSKTSimActivated();
};

} // namespace compose
} // namespace msg_app

#endif
