/*
 * One message as the conversation view shows it inside its thread.
 */
#ifndef MSG_STORE_CONVERSATION_H
#define MSG_STORE_CONVERSATION_H

#include "msg_store/Content.h"
#include "msg_store/MsgStoreTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_store {

struct Conversation {
    int msgId = -1;
    int threadId = -1;
    int itemId = 0; // see Message::itemId
    std::string msgType;
    FolderType folderType = FOLDER_NONE;
    NetworkStatus networkStatus = NETWORK_STATUS_NONE;
    int simIndex = 0;
    int64_t time = 0; // milliseconds since the epoch
    bool isProtected = false;
    bool hideWatchIcon = false;
    bool isGroupChat = false;
    bool isRead = false;
    std::string address; // see Message::address
    std::string subject;
    std::string text;
    std::vector<Content> contents;
};

} // namespace msg_store

#endif
