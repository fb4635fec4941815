// Number formats.
#include "I18nError.h"

#include "log/PlatformLog.h"

#include <unicode/unum.h>

struct _i18n_unumber_format_s {
    UNumberFormat* format;
};

extern "C" {

int i18n_unumber_create(i18n_unumber_format_style_e style, const i18n_uchar* pattern, int32_t pattern_len,
                        const char* locale, void* parse_err, i18n_unumber_format_h* num_format) {
    (void)parse_err;
    PLAT_RETV_IF(!num_format || style < I18N_UNUMBER_PATTERN_DECIMAL || style > I18N_UNUMBER_PERCENT,
                 I18N_ERROR_INVALID_PARAMETER, "invalid arguments");
    PLAT_RETV_IF(style == I18N_UNUMBER_PATTERN_DECIMAL && (!pattern || pattern_len == 0),
                 I18N_ERROR_INVALID_PARAMETER, "a pattern style needs a pattern");
    static const UNumberFormatStyle kStyles[] = {UNUM_PATTERN_DECIMAL, UNUM_DECIMAL, UNUM_CURRENCY,
                                                 UNUM_PERCENT};
    UErrorCode status = U_ZERO_ERROR;
    UNumberFormat* created =
        unum_open(kStyles[style], reinterpret_cast<const UChar*>(pattern),
                  style == I18N_UNUMBER_PATTERN_DECIMAL ? pattern_len : 0, locale, nullptr, &status);
    if (U_FAILURE(status)) {
        PLAT_LOGE("unum_open failed: %s", u_errorName(status));
        return i18n_impl::toError(status);
    }
    *num_format = new _i18n_unumber_format_s{created};
    return I18N_ERROR_NONE;
}

int i18n_unumber_destroy(i18n_unumber_format_h fmt) {
    PLAT_RETV_IF(!fmt, I18N_ERROR_INVALID_PARAMETER, "fmt is null");
    unum_close(fmt->format);
    delete fmt;
    return I18N_ERROR_NONE;
}

int i18n_unumber_format(i18n_unumber_format_h fmt, int32_t number, i18n_uchar* result, int32_t result_len,
                        i18n_ufield_position_h pos, int32_t* len) {
    (void)pos;
    PLAT_RETV_IF(!fmt || !result || result_len <= 0, I18N_ERROR_INVALID_PARAMETER, "invalid arguments");
    UErrorCode status = U_ZERO_ERROR;
    int32_t needed =
        unum_format(fmt->format, number, reinterpret_cast<UChar*>(result), result_len, nullptr, &status);
    if (len)
        *len = needed;
    return i18n_impl::toResultError(status);
}

} // extern "C"
