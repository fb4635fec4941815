/*
 * Logging of the platform layer over dlog. Lines carry the platform's own tag
 * and the same shape as the application's: "file: function(line) > message".
 *
 *   PLAT_LOGD/I/W/E(fmt, ...)       a line at that priority; errors in red
 *   PLAT_RETV_IF(cond, val, fmt...) logs the condition and returns val when it holds
 *   PLAT_RET_IF(cond, fmt...)       the same for functions without a result
 *
 * The PLATFORM_LOG_* forms take the tag explicitly, so that a layer above can
 * keep its own tag and still write lines of the same format.
 */
#ifndef MSG_PLATFORM_LOG_PLATFORMLOG_H
#define MSG_PLATFORM_LOG_PLATFORMLOG_H

#include "dlog.h"

#include <type_traits>

namespace platform_log {

constexpr const char* TAG = "MSG_PLATFORM";

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
    if constexpr (std::is_null_pointer_v<T>)
        return 0;
    else if constexpr (std::is_pointer_v<T>)
        return value ? 1 : 0;
    else if constexpr (std::is_enum_v<T> || std::is_arithmetic_v<T>)
        return static_cast<int>(value);
    else
        return 0;
}

} // namespace platform_log

#define PLATFORM_LOG_COLOR_RED "\033[0;31m"
#define PLATFORM_LOG_COLOR_RESET "\033[0m"

#define PLATFORM_LOG_PRINT(prio, tag, fmt, ...)                                                              \
    dlog_print(prio, tag, "%s: %s(%d) > " fmt, ::platform_log::baseName(__FILE__), __func__, __LINE__,       \
               ##__VA_ARGS__)

#define PLATFORM_LOG_ERROR(tag, fmt, ...)                                                                    \
    PLATFORM_LOG_PRINT(DLOG_ERROR, tag, PLATFORM_LOG_COLOR_RED "[ERROR]" fmt PLATFORM_LOG_COLOR_RESET,       \
                       ##__VA_ARGS__)

#define PLATFORM_LOG_RETV_IF(tag, expr, val, fmt, ...)                                                       \
    do {                                                                                                     \
        if (expr) {                                                                                          \
            PLATFORM_LOG_ERROR(tag, "[(%s)] Return value : %d, message : " fmt, #expr,                       \
                               ::platform_log::asInt(val), ##__VA_ARGS__);                                   \
            return (val);                                                                                    \
        }                                                                                                    \
    } while (0)

#define PLATFORM_LOG_RET_IF(tag, expr, fmt, ...)                                                             \
    do {                                                                                                     \
        if (expr) {                                                                                          \
            PLATFORM_LOG_ERROR(tag, "[(%s)] Return message : " fmt, #expr, ##__VA_ARGS__);                   \
            return;                                                                                          \
        }                                                                                                    \
    } while (0)

#define PLAT_LOGD(fmt, ...) PLATFORM_LOG_PRINT(DLOG_DEBUG, ::platform_log::TAG, fmt, ##__VA_ARGS__)
#define PLAT_LOGI(fmt, ...) PLATFORM_LOG_PRINT(DLOG_INFO, ::platform_log::TAG, fmt, ##__VA_ARGS__)
#define PLAT_LOGW(fmt, ...) PLATFORM_LOG_PRINT(DLOG_WARN, ::platform_log::TAG, fmt, ##__VA_ARGS__)
#define PLAT_LOGE(fmt, ...) PLATFORM_LOG_ERROR(::platform_log::TAG, fmt, ##__VA_ARGS__)
#define PLAT_RETV_IF(expr, val, fmt, ...)                                                                    \
    PLATFORM_LOG_RETV_IF(::platform_log::TAG, expr, val, fmt, ##__VA_ARGS__)
#define PLAT_RET_IF(expr, fmt, ...) PLATFORM_LOG_RET_IF(::platform_log::TAG, expr, fmt, ##__VA_ARGS__)

#endif
