/*
 * Messages: reading, sending through the paired phone, and acting on one message.
 */
#ifndef MSG_STORE_MESSAGEMANAGER_H
#define MSG_STORE_MESSAGEMANAGER_H

#include "msg_store/Conversation.h"
#include "msg_store/ListCondition.h"
#include "msg_store/Message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_store {

class MessageManager {
public:
    int getMessages(const ListCondition& condition, std::vector<Message>& messages);
    int getMessage(int msgId, Message& message);
    // The thread's messages outside the spam folders, oldest first (equal times: lower id first).
    int getConversations(int threadId, std::vector<Conversation>& conversations);
    // The newest `limit` of those messages (every one when limit <= 0) that come before the message
    // (beforeTime, beforeId) in that order (all of the thread when beforeId is 0), oldest first: a
    // long conversation is read a page at a time, from its end. Only those of the two folders when
    // folder1 is not FOLDER_NONE.
    int getConversationsBefore(int threadId, int64_t beforeTime, int beforeId, int limit,
                               std::vector<Conversation>& conversations, int folder1 = FOLDER_NONE,
                               int folder2 = FOLDER_NONE);
    int getConversation(int msgId, Conversation& conversation);
    // Whether those messages include multimedia ones, and other ones, without reading them.
    int getConversationKinds(int threadId, bool& hasMms, bool& hasOther);

    int deleteMessage(int msgId);
    int readMessage(int msgId);
    // A failed outbox message goes back to sending.
    int resendMessage(int msgId);
    // A message of a spam folder goes back to the inbox of its side (5 -> 1, 105 -> 101).
    int restoreBlockedMessage(int msgId);
    // Asks the phone to keep a copy of the message.
    int exportMessageToPhone(int msgId);

    // Places the message in the outbox with the sending status; the phone delivers or fails it.
    // threadId <= 0 (or an unknown thread) sends to `address`, recipients separated by ';'.
    int sendSMS(int threadId, const std::string& address, const std::string& body, int simIndex,
                int* outMsgId);
    int sendMMS(int threadId, const std::string& address, const std::string& body,
                const std::string& attachPath, int simIndex, int* outMsgId);
};

} // namespace msg_store

#endif
