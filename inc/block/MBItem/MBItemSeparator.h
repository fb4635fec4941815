/*
 * The line between an MMS subject and its parts.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMSEPARATOR_H
#define MSG_APP_BLOCK_MBITEM_MBITEMSEPARATOR_H

#include "block/MBItem/MBItem.h"

namespace msg_app {
namespace msg_block {

class MBItemSeparator : public MBItem {
public:
    MBItemSeparator() : MBItem("filtered_list/detailview/separator") {}

    Type getType() const override { return SEPARATOR; }
};

} // namespace msg_block
} // namespace msg_app

#endif
