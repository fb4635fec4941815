/*
 * What a tap on the phone or watch button of a new message decides, for
 * every screen that shows the two buttons: which road is chosen by default,
 * and whether the road tapped can carry a message now. Drawing the choice
 * and refusing it with a toast stay with the screen.
 */
#ifndef MSG_APP_COMPOSE_MCOUTGOINGCHOICE_H
#define MSG_APP_COMPOSE_MCOUTGOINGCHOICE_H

#include "compose/send/MCOutgoingMgr.h"

namespace msg_app {
namespace compose {

class MCOutgoingChoice {
public:
    MCOutgoingChoice() = delete;

    // Chooses the operator's road for a new message again (the network service's road counts as
    // the phone's) and returns it.
    static SendBy chooseDefault();
    // Switches a new message to road (PHONE or HULM) when that road can carry it now; false, and
    // nothing changes, otherwise.
    static bool choose(SendBy road);

private:
    static bool _canUsePhone(int syncStatus);
    static bool _canUseWatch(int syncStatus);
};

} // namespace compose
} // namespace msg_app

#endif
