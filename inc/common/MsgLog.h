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

#include "dlog.h"

#include <cstddef>
#include <type_traits>

namespace msg_app {
namespace log {

// The tag every line is written with.
const char* tag();
// Replaces the tag; null or empty restores the default.
void setTag(const char* tag);

constexpr const char* baseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/')
            base = p + 1;
    }
    return base;
}

// Guard results are logged as integers: false and null as 0.
template <typename T> int asInt(const T& value) {
    if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>)
        return value ? 1 : 0;
    else if constexpr (std::is_enum_v<T> || std::is_arithmetic_v<T>)
        return static_cast<int>(value);
    else
        return 0;
}

} // namespace log
} // namespace msg_app

#define MSG_LOG_COLOR_RED "\033[0;31m"
#define MSG_LOG_COLOR_RESET "\033[0m"

#define MSG_LOG_PRINT(prio, fmt, ...)                                                                       \
    dlog_print(prio, ::msg_app::log::tag(), "%s: %s(%d) > " fmt, ::msg_app::log::baseName(__FILE__), __func__, \
               __LINE__, ##__VA_ARGS__)

#define MSG_LOGD(fmt, ...) MSG_LOG_PRINT(DLOG_DEBUG, fmt, ##__VA_ARGS__)
#define MSG_LOGI(fmt, ...) MSG_LOG_PRINT(DLOG_INFO, fmt, ##__VA_ARGS__)
#define MSG_LOGW(fmt, ...) MSG_LOG_PRINT(DLOG_WARN, fmt, ##__VA_ARGS__)
#define MSG_LOGE(fmt, ...) \
    MSG_LOG_PRINT(DLOG_ERROR, MSG_LOG_COLOR_RED "[ERROR]" fmt MSG_LOG_COLOR_RESET, ##__VA_ARGS__)
#define MSG_ENTER() MSG_LOGD("[ENTER]")

#define MSG_RETV_IF(expr, val, fmt, ...)                                                                   \
    do {                                                                                                   \
        if (expr) {                                                                                        \
            MSG_LOGE("[(%s)] Return value : %d, message : " fmt, #expr, ::msg_app::log::asInt(val),         \
                     ##__VA_ARGS__);                                                                       \
            return (val);                                                                                  \
        }                                                                                                  \
    } while (0)

#define MSG_RET_IF(expr, fmt, ...)                                                                         \
    do {                                                                                                   \
        if (expr) {                                                                                        \
            MSG_LOGE("[(%s)] Return message : " fmt, #expr, ##__VA_ARGS__);                                \
            return;                                                                                        \
        }                                                                                                  \
    } while (0)

#endif
