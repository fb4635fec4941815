/*
 * The message store as a screen reaches it: one object holding the store client's managers. A
 * screen's owner makes one and hands it to the screen's model, and everything the screen reads or
 * changes in the store goes through that model, so that there is one place to look for a screen's
 * store traffic. The managers are thin clients of the connection the application opened at start;
 * a worker thread makes its own object rather than sharing the main loop's.
 */
#ifndef MSG_APP_COMMON_MCOMMONMSGSTORE_H
#define MSG_APP_COMMON_MCOMMONMSGSTORE_H

#include "msg_store/MsgStore.h"

namespace msg_app {

struct MCommonMsgStore {
    msg_store::MessageManager messages;
    msg_store::ThreadManager threads;
    msg_store::ContentManager contents;
    msg_store::MsgOperationManager operations;
    msg_store::NmsManager nms;
};

} // namespace msg_app

#endif
