/*
 * Sending: a new message in the outbox with the sending status, for the
 * phone (or the network message service) to deliver or fail.
 */
#ifndef MSG_STORE_OUTBOX_H
#define MSG_STORE_OUTBOX_H

#include <string>

namespace msg_store {
namespace store {

struct OutgoingMessage {
    int threadId = 0;
    std::string address;
    std::string body;
    std::string attachPath; // MMS only
    int simIndex = 0;
    bool mms = false;
    const char* route = "phone";
};

int sendToOutbox(const OutgoingMessage& message, int* outMsgId);

// A failed outbox message goes back to sending on the route given.
int resend(int msgId, const char* route);

} // namespace store
} // namespace msg_store

#endif
