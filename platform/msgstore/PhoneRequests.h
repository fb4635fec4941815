/*
 * Requests the client leaves for the paired phone, answered through PhoneSide.
 */
#ifndef MSG_STORE_PHONEREQUESTS_H
#define MSG_STORE_PHONEREQUESTS_H

#include "device/Connection.h"

#include <string>

namespace msg_store {
namespace store {

// MsgResult code.
int queueRequest(msg_device::Connection& db, const char* kind, int msgId, int contentId = -1,
                 const std::string& detail = std::string());

// The message's thread and folder; MSG_STORE_ERR_NOT_FOUND when it does not exist.
int lookupMessage(msg_device::Connection& db, int msgId, int& threadId, int& folder, int& status);

} // namespace store
} // namespace msg_store

#endif
