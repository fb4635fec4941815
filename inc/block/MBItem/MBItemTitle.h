/*
 * The first row: who sent the message, as the conversation's display name.
 */
#ifndef MSG_APP_BLOCK_MBITEM_MBITEMTITLE_H
#define MSG_APP_BLOCK_MBITEM_MBITEMTITLE_H

#include "block/MBItem/MBItem.h"

#include <memory>

namespace msg_app {

class MCommonConvAddr;

namespace msg_block {

class MBItemTitle : public MBItem {
public:
    explicit MBItemTitle(int threadId);
    ~MBItemTitle() override;

    Type getType() const override { return TITLE; }
    std::string getText(const char* part) const override;

private:
    std::shared_ptr<MCommonConvAddr> _convAddr;
};

} // namespace msg_block
} // namespace msg_app

#endif
