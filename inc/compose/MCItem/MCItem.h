/*
 * A row of a composer screen. The screen lays its rows out by kind.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEM_H
#define MSG_APP_COMPOSE_MCITEM_MCITEM_H

#include "view_kit/WGenlistItem.h"

namespace msg_app {
namespace compose {

class MCItem : public view_kit::WGenlistItem {
public:
    enum Type : int {
        PADDING = 0,
        OUTGOING_BUTTON = 3,
        RCPT_LABEL = 4,
        RCPT_NEXT_BUTTON = 7,
    };

    virtual Type getType() const = 0;
};

} // namespace compose
} // namespace msg_app

#endif
