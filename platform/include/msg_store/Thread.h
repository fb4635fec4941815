/*
 * A conversation as the list shows it: the figures of all its messages
 * outside the spam folders and the fields of the newest one.
 */
#ifndef MSG_STORE_THREAD_H
#define MSG_STORE_THREAD_H

#include "msg_store/MsgStoreTypes.h"

#include <cstdint>
#include <string>

namespace msg_store {

struct Thread {
    int threadId = -1;
    int unreadCount = 0;
    int msgCount = 0;
    FolderType folderType = FOLDER_NONE;
    NetworkStatus networkStatus = NETWORK_STATUS_NONE;
    int simIndex = 0;
    int64_t time = 0;    // milliseconds since the epoch
    std::string msgType; // "sms", "mms", "wap", "cb", "cmas", "ft", "chat"
    std::string subject;
    std::string snippet; // the newest message's text, at most 200 characters
    bool isGroupChat = false;
};

} // namespace msg_store

#endif
