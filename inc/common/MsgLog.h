/*
 * Logging of the messaging library: every line carries the current tag
 * ("MSG_APP" unless replaced), the source file, the function and the line.
 *
 *   MSG_LOGD/I/W/E(fmt, ...)       a line at that priority; errors in red
 *   MSG_ENTER()                    an entry trace
 *   MSG_RETV_IF(cond, val, fmt...) logs the condition and returns val when it holds
 *   MSG_RET_IF(cond, fmt...)       the same for functions without a result
 */
#ifndef MSG_APP_COMMON_MSGLOG_H
#define MSG_APP_COMMON_MSGLOG_H

#include "log/PlatformLog.h"

namespace msg_app {
namespace log {

// The tag every line is written with.
const char* tag();
// Replaces the tag; null or empty restores the default.
void setTag(const char* tag);

} // namespace log
} // namespace msg_app

// The platform's front end writes the lines; only the tag is the library's own.
#define MSG_LOGD(fmt, ...) PLATFORM_LOG_PRINT(DLOG_DEBUG, ::msg_app::log::tag(), fmt, ##__VA_ARGS__)
#define MSG_LOGI(fmt, ...) PLATFORM_LOG_PRINT(DLOG_INFO, ::msg_app::log::tag(), fmt, ##__VA_ARGS__)
#define MSG_LOGW(fmt, ...) PLATFORM_LOG_PRINT(DLOG_WARN, ::msg_app::log::tag(), fmt, ##__VA_ARGS__)
#define MSG_LOGE(fmt, ...) PLATFORM_LOG_ERROR(::msg_app::log::tag(), fmt, ##__VA_ARGS__)
#define MSG_ENTER() MSG_LOGD("[ENTER]")

#define MSG_RETV_IF(expr, val, fmt, ...)                                                                     \
    PLATFORM_LOG_RETV_IF(::msg_app::log::tag(), expr, val, fmt, ##__VA_ARGS__)
#define MSG_RET_IF(expr, fmt, ...) PLATFORM_LOG_RET_IF(::msg_app::log::tag(), expr, fmt, ##__VA_ARGS__)

#endif
