#include "msg_store/NmsManager.h"

#include "Outbox.h"

namespace msg_store {

int NmsManager::sendSMS(int threadId, const std::string& address, const std::string& body, int* outMsgId) {
    store::OutgoingMessage message;
    message.threadId = threadId;
    message.address = address;
    message.body = body;
    message.route = "nms";
    return store::sendToOutbox(message, outMsgId);
}

int NmsManager::sendMMS(int threadId, const std::string& address, const std::string& body,
                        const std::string& attachPath, int* outMsgId) {
    store::OutgoingMessage message;
    message.threadId = threadId;
    message.address = address;
    message.body = body;
    message.attachPath = attachPath;
    message.mms = true;
    message.route = "nms";
    return store::sendToOutbox(message, outMsgId);
}

} // namespace msg_store
