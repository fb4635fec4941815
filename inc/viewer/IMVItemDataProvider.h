/*
 * What the conversation's rows and actions may read of the open thread,
 * without knowing who holds it. Every lookup leaves its out-parameter
 * untouched when it fails.
 */
#ifndef MSG_APP_VIEWER_IMVITEMDATAPROVIDER_H
#define MSG_APP_VIEWER_IMVITEMDATAPROVIDER_H

#include "msg_store/Conversation.h"

#include <memory>

namespace msg_app {
namespace msg_viewer {

class IMVItemDataProvider {
public:
    virtual bool getConvById(int msgId, std::shared_ptr<msg_store::Conversation>& out) const = 0;
    // The newest message received (folder 1 or 101).
    virtual bool getLatestInboxConv(std::shared_ptr<msg_store::Conversation>& out) const = 0;
    virtual bool getLatestConv(std::shared_ptr<msg_store::Conversation>& out) const = 0;
    // The newest message of the paired phone (folder 1 or 3).
    virtual bool getPhoneMsgConv(std::shared_ptr<msg_store::Conversation>& out) const = 0;
    // The newest message the watch itself received or sent (folder 101 or 103).
    virtual bool getHulmMsgConv(std::shared_ptr<msg_store::Conversation>& out) const = 0;
    // n = 0 is the oldest.
    virtual bool getNthConv(unsigned int n, std::shared_ptr<msg_store::Conversation>& out) const = 0;
    virtual ~IMVItemDataProvider() = default;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
