/*
 * The network side of the store: what the paired phone (or the watch's own
 * messaging service) does to it. Messages arrive, outbox messages are
 * delivered or fail, and requests the client queued for the phone (show a
 * message, export it, send a file, download an MMS) are answered. Every call
 * runs in one transaction and announces what it touched like the client calls.
 */
#ifndef MSG_STORE_PHONESIDE_H
#define MSG_STORE_PHONESIDE_H

#include "msg_store/Address.h"
#include "msg_store/Content.h"
#include "msg_store/MsgStoreTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_store {

struct IncomingMessage {
    // The thread's addresses: one for a one-to-one conversation, several for a group.
    std::vector<Address> addresses;
    // The sender of a received message (defaults to the first address), the recipients of a sent one.
    std::string from;
    std::string msgType = "sms";
    FolderType folderType = FOLDER_INBOX;
    NetworkStatus networkStatus = NETWORK_STATUS_NONE;
    int simIndex = 0;
    int64_t time = 0; // milliseconds; 0 means now
    bool isRead = false;
    bool isProtected = false;
    bool hideWatchIcon = false;
    int itemId = 0; // 0: the new message id
    std::string subject;
    std::string text;
    std::vector<Content> contents;
};

struct OutboxEntry {
    int msgId = -1;
    int threadId = -1;
    FolderType folderType = FOLDER_NONE;
    NetworkStatus networkStatus = NETWORK_STATUS_NONE;
    std::string msgType;
    std::string address;
    std::string route; // "phone" or "nms"
    int64_t time = 0;
};

struct PhoneRequest {
    int requestId = -1;
    // "show", "export", "download_content", "download_mms", "resend_nms"
    std::string kind;
    int msgId = -1;
    int contentId = -1;
    std::string detail; // the download name of a file request
    int64_t time = 0;
};

class PhoneSide {
public:
    static int insertMessage(const IncomingMessage& message, int* outMsgId);
    // All in one transaction and one "msg_inserted" event; ids in the order given.
    static int insertMessages(const std::vector<IncomingMessage>& messages, std::vector<int>* outMsgIds);

    // An outbox message reached the network: sent folder, status sent.
    static int deliver(int msgId);
    // An outbox message failed with a failure status (3-7, 14, 15).
    static int fail(int msgId, NetworkStatus status = NETWORK_STATUS_SEND_FAIL);
    // Outbox messages waiting to be sent (status sending), oldest first.
    static int getOutbox(std::vector<OutboxEntry>& entries);

    static int getRequests(std::vector<PhoneRequest>& requests);
    // Answers a request. A file request needs the path of the file now on the watch.
    static int completeRequest(int requestId, const std::string& filePath = std::string());
    // The phone could not answer; a file request's part is marked failed.
    static int failRequest(int requestId);

    // Replaces a conversation's addresses (group members joined or left); event type 3.
    static int setAddresses(int threadId, const std::vector<Address>& addresses);

    // The network corrected a message's time (milliseconds); the message moves within its thread.
    static int setTime(int msgId, int64_t timeMs);

    // Messages in the store, every folder counted.
    static int countMessages(int& count);
};

} // namespace msg_store

#endif
