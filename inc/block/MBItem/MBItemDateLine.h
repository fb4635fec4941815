/*
 * The date and time the message arrived, with a mark of the device that received it.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMDATELINE_H
#define MSG_APP_BLOCK_MBITEM_MBITEMDATELINE_H

#include "block/MBItem/MBItem.h"

#include <ctime>

namespace msg_app {
namespace msg_block {

class MBItemDateLine : public MBItem {
public:
    enum FromType : int {
        FROM_MOBILE = 0, // received through the phone
        FROM_HULM = 1,   // received on the watch
    };

    MBItemDateLine(time_t time, FromType fromType);

    Type getType() const override { return DATE_LINE; }
    std::string getText(const char* part) const override;

private:
    time_t _time;
};

} // namespace msg_block
} // namespace msg_app

#endif
