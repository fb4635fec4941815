/*
 * One message, as the blocked list and the composer read it.
 */
#ifndef MSG_STORE_MESSAGE_H
#define MSG_STORE_MESSAGE_H

#include "msg_store/Content.h"
#include "msg_store/MsgStoreTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_store {

struct Message {
    int msgId = -1;
    int threadId = -1;
    // The handle of the service that carried the message (the watch's messaging service for
    // folders 101-105); the message id when no service gave one.
    int itemId = 0;
    std::string msgType;
    FolderType folderType = FOLDER_NONE;
    NetworkStatus networkStatus = NETWORK_STATUS_NONE;
    int simIndex = 0;
    int64_t time = 0; // milliseconds since the epoch
    std::string subject;
    std::string text;
    bool isGroupChat = false;
    bool isRead = false;
    // The sender of a received message, the recipients (";"-separated) of a sent one.
    std::string address;
    std::vector<Content> contents;
};

} // namespace msg_store

#endif
