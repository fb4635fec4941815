/*
 * Room under the message's last row, so that at the end of the message that
 * row rests above the narrow foot of the round screen.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMBOTTOMPADDING_H
#define MSG_APP_BLOCK_MBITEM_MBITEMBOTTOMPADDING_H

#include "block/MBItem/MBItem.h"

namespace msg_app {
namespace msg_block {

class MBItemBottomPadding : public MBItem {
public:
    MBItemBottomPadding() : MBItem("filtered_list/detailview/bottom_padding") {}

    Type getType() const override { return BOTTOM_PADDING; }
};

} // namespace msg_block
} // namespace msg_app

#endif
