/*
 * Sending through the network message service, on the phone's behalf.
 */
#ifndef MSG_STORE_NMSMANAGER_H
#define MSG_STORE_NMSMANAGER_H

#include <string>

namespace msg_store {

class NmsManager {
public:
    int sendSMS(int threadId, const std::string& address, const std::string& body, int* outMsgId);
    int sendMMS(int threadId, const std::string& address, const std::string& body,
                const std::string& attachPath, int* outMsgId);
};

} // namespace msg_store

#endif
