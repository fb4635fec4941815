/*
 * Restoring a blocked message and letting its sender through.
 */
#ifndef MSG_APP_COMMON_COMMONUTILBLOCK_H
#define MSG_APP_COMMON_COMMONUTILBLOCK_H

namespace msg_app {

struct MCommonMsgStore;

namespace common_util {

// Restores a message of a spam folder and lets its sender through again, as "Unblock" says: the
// number leaves the block list, so that the next message is not stopped. The store's result; a
// sender that stays on the list is logged, the message is restored all the same.
int restore_blocked_message(MCommonMsgStore& store, int msgId);

} // namespace common_util
} // namespace msg_app

#endif
