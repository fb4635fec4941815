/*
 * Device features. A feature is named by a URI ("http://orvex.org/feature/
 * network.telephony") or by its path alone ("feature/network.telephony");
 * the maker's custom features are read with system_info_get_custom_bool.
 * `msg-sim feature NAME on|off` changes them.
 */
#ifndef MSG_PLATFORM_SYSTEM_INFO_H
#define MSG_PLATFORM_SYSTEM_INFO_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    SYSTEM_INFO_ERROR_NONE = 0,
    SYSTEM_INFO_ERROR_INVALID_PARAMETER = -22,
    SYSTEM_INFO_ERROR_IO_ERROR = -5,
};

int system_info_get_platform_bool(const char* key, bool* value);
int system_info_get_custom_bool(const char* key, bool* value);

#ifdef __cplusplus
}
#endif

#endif
