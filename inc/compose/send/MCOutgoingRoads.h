/*
 * The carriers' rules for the road a message takes, as pure tables: given
 * the outgoing type, the number service's status and which roads are up,
 * which road a new message takes and which road a chosen one becomes.
 */
#ifndef MSG_APP_COMPOSE_MCOUTGOINGROADS_H
#define MSG_APP_COMPOSE_MCOUTGOINGROADS_H

#include "common/Connectivity.h"
#include "compose/send/MCOutgoingMgr.h"

namespace msg_app {
namespace compose {

class MCOutgoingRoads {
public:
    enum OutgoingType : int {
        GENERAL = 0,
        NUMBER_SYNC = 1,
        NUMBER_SHARING = 2,
    };
    // The number-sync status under which the network message service carries messages, and the
    // number-sharing status of an enabled service.
    static constexpr int SYNC_ACTIVE = 0;
    static constexpr int SHARING_ENABLED = 1;
    static constexpr int OPERATOR_VZW = 6;

    struct Links {
        bool phone = false;  // a phone connection exists
        bool device = false; // the watch's own network can carry the message
        connectivity::YoxConn conn = connectivity::YoxConn::NONE;
    };

    MCOutgoingRoads() = delete;

    static SendBy newMessageRoad(OutgoingType type, int serviceStatus, const Links& links, int operatorId);
    static SendBy availableRoad(OutgoingType type, int serviceStatus, SendBy preferred, const Links& links,
                                int msgId);

private:
    static SendBy _generalRoad(SendBy preferred, const Links& links);
};

} // namespace compose
} // namespace msg_app

#endif
