/*
 * Requests to the paired phone about one message.
 */
#ifndef MSG_STORE_MSGOPERATIONMANAGER_H
#define MSG_STORE_MSGOPERATIONMANAGER_H

namespace msg_store {

class MsgOperationManager {
public:
    // Asks the phone to open the message on its screen.
    int showOnDevice(int msgId);
};

} // namespace msg_store

#endif
