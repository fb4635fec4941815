/*
 * The application's start and stop: the store connection and the single teardown.
 */
#ifndef MSG_APP_COMMON_COMMONUTILLIFECYCLE_H
#define MSG_APP_COMMON_COMMONUTILLIFECYCLE_H

namespace msg_app {
namespace common_util {

// Connects the message store and follows its consumer status: 0 disconnects, anything else
// reconnects and announces that the store is ready.
void connect_msg_store();
// The application's single teardown call.
void on_terminate();
// Replaces the log tag (null restores the default).
void set_debug_tag(const char* tag);

} // namespace common_util
} // namespace msg_app

#endif
