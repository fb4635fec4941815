/*
 * The carrier-customisation feature store: numbered switches and texts
 * chosen per carrier. An unset switch is off. `msg-sim feature zeq/N ...`
 * changes them.
 */
#ifndef MSG_PLATFORM_ZEQ_FEATURE_H
#define MSG_PLATFORM_ZEQ_FEATURE_H

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    ZEQ_FEATURE_ERROR_NONE = 0,
    ZEQ_FEATURE_ERROR_INVALID_PARAMETER = -22,
    ZEQ_FEATURE_ERROR_NO_DATA = -61,
    ZEQ_FEATURE_ERROR_BUFFER_TOO_SMALL = -75,
};

bool zeq_feature_get_bool(int feature);
/* Copies the text with its terminator into buffer; the buffer is untouched on failure. */
int zeq_feature_get_str(int feature, char* buffer, size_t size);

#ifdef __cplusplus
}
#endif

#endif
