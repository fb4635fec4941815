/*
 * Stands for the body of a message without text.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMNOCONTENT_H
#define MSG_APP_BLOCK_MBITEM_MBITEMNOCONTENT_H

#include "block/MBItem/MBItem.h"

namespace msg_app {
namespace msg_block {

class MBItemNoContent : public MBItem {
public:
    MBItemNoContent();

    Type getType() const override { return NO_CONTENT; }
    std::string getText(const char* part) const override;
};

} // namespace msg_block
} // namespace msg_app

#endif
