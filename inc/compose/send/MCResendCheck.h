/*
 * Whether a message that failed may go again by the road it first took: the
 * composer's network check with that road chosen, and the popup of a road
 * that is not there. A message never changes road on its way again.
 */
#ifndef MSG_APP_COMPOSE_MCRESENDCHECK_H
#define MSG_APP_COMPOSE_MCRESENDCHECK_H

#include "compose/MCMsgData.h"
#include "compose/send/MCOutgoingMgr.h"

#include <string>

namespace msg_app {
class MCommonPopup;
namespace compose {

class MCResendCheck {
public:
    MCResendCheck() = delete;

    // True when road can carry the message now. False with *errorPopup (when given) set to the
    // road's own failure popup for the caller to attach, or null when the check asked for the
    // phone's connection itself (a watch without its own network). The composer's chosen road
    // for new messages is left as it was.
    static bool check(SendBy road, MsgType msgType, const std::string& address, int msgId,
                      MCommonPopup** errorPopup);

private:
    static MCommonPopup* _createPopup(MCOutgoingMgr::Error error, MsgType msgType);
};

} // namespace compose
} // namespace msg_app

#endif
