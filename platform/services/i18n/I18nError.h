/*
 * ICU status codes as the i18n layer's error codes.
 */
#ifndef MSG_PLATFORM_I18N_I18NERROR_H
#define MSG_PLATFORM_I18N_I18NERROR_H

#include "utils_i18n.h"

#include <unicode/utypes.h>

namespace i18n_impl {

inline int toError(UErrorCode status) {
    if (U_SUCCESS(status))
        return I18N_ERROR_NONE;
    switch (status) {
    case U_BUFFER_OVERFLOW_ERROR:
        return I18N_ERROR_BUFFER_OVERFLOW;
    case U_MEMORY_ALLOCATION_ERROR:
        return I18N_ERROR_OUT_OF_MEMORY;
    case U_ILLEGAL_ARGUMENT_ERROR:
    case U_INVALID_CHAR_FOUND:
    case U_ILLEGAL_CHAR_FOUND:
    case U_PATTERN_SYNTAX_ERROR:
    case U_UNQUOTED_SPECIAL:
        return I18N_ERROR_INVALID_PARAMETER;
    case U_UNSUPPORTED_ERROR:
        return I18N_ERROR_NOT_SUPPORTED;
    default:
        return I18N_ERROR_UNKNOWN;
    }
}

// ICU's terminator warning means the result filled the buffer exactly; callers here need
// room for the terminator, so it counts as an overflow.
inline int toResultError(UErrorCode status) {
    return status == U_STRING_NOT_TERMINATED_WARNING ? I18N_ERROR_BUFFER_OVERFLOW : toError(status);
}

} // namespace i18n_impl

#endif
