/*
 * Where a list row copies its record from while the list is being built, so
 * that each row need not query the message store on its own.
 */
#ifndef MSG_APP_LIST_IMLITEMDATAPROVIDER_H
#define MSG_APP_LIST_IMLITEMDATAPROVIDER_H

#include "msg_store/Message.h"
#include "msg_store/Thread.h"

namespace msg_app {
namespace msg_list {

class IMLItemDataProvider {
public:
    // Both copy the record into the out-parameter and return true when found.
    virtual bool getThreadById(int threadId, msg_store::Thread& out) = 0;
    virtual bool getMessageById(int msgId, msg_store::Message& out) = 0;
    virtual ~IMLItemDataProvider() = default;
};

} // namespace msg_list
} // namespace msg_app

#endif
