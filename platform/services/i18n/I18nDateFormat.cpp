// Date formats and the date-time pattern generator.
#include "I18nError.h"

#include "log/PlatformLog.h"

#include <unicode/udat.h>
#include <unicode/udatpg.h>

struct _i18n_udate_format_s {
    UDateFormat* format;
};

struct _i18n_udatepg_s {
    UDateTimePatternGenerator* generator;
};

namespace {

bool validStyle(int style) {
    return style >= I18N_UDATE_PATTERN && style <= I18N_UDATE_SHORT;
}

} // namespace

extern "C" {

int i18n_udatepg_create(const char* locale, i18n_udatepg_h* dtpg) {
    PLAT_RETV_IF(!dtpg, I18N_ERROR_INVALID_PARAMETER, "dtpg is null");
    UErrorCode status = U_ZERO_ERROR;
    UDateTimePatternGenerator* generator = udatpg_open(locale, &status);
    if (U_FAILURE(status)) {
        PLAT_LOGE("udatpg_open(%s) failed: %s", locale ? locale : "(default)", u_errorName(status));
        return i18n_impl::toError(status);
    }
    *dtpg = new _i18n_udatepg_s{generator};
    return I18N_ERROR_NONE;
}

int i18n_udatepg_destroy(i18n_udatepg_h dtpg) {
    PLAT_RETV_IF(!dtpg, I18N_ERROR_INVALID_PARAMETER, "dtpg is null");
    udatpg_close(dtpg->generator);
    delete dtpg;
    return I18N_ERROR_NONE;
}

int i18n_udatepg_get_best_pattern(i18n_udatepg_h dtpg, const i18n_uchar* skeleton, int32_t len,
                                  i18n_uchar* best_pattern, int32_t capacity, int32_t* best_pattern_len) {
    PLAT_RETV_IF(!dtpg || !skeleton || !best_pattern || capacity <= 0 || len < -1,
                 I18N_ERROR_INVALID_PARAMETER, "invalid arguments");
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = udatpg_getBestPattern(dtpg->generator, reinterpret_cast<const UChar*>(skeleton), len,
                                           reinterpret_cast<UChar*>(best_pattern), capacity, &status);
    if (best_pattern_len)
        *best_pattern_len = length;
    return i18n_impl::toResultError(status);
}

int i18n_udate_create(i18n_udate_format_style_e time_style, i18n_udate_format_style_e date_style,
                      const char* locale, const i18n_uchar* tz_id, int32_t tz_id_len,
                      const i18n_uchar* pattern, int pattern_len, i18n_udate_format_h* format) {
    PLAT_RETV_IF(!format || !validStyle(time_style) || !validStyle(date_style), I18N_ERROR_INVALID_PARAMETER,
                 "invalid arguments");
    // The pattern style is all or nothing, and needs a pattern.
    bool patternStyle = time_style == I18N_UDATE_PATTERN || date_style == I18N_UDATE_PATTERN;
    PLAT_RETV_IF(patternStyle && (time_style != date_style || !pattern || pattern_len == 0),
                 I18N_ERROR_INVALID_PARAMETER, "the pattern style needs a pattern for both");
    UErrorCode status = U_ZERO_ERROR;
    UDateFormat* created =
        udat_open(static_cast<UDateFormatStyle>(time_style), static_cast<UDateFormatStyle>(date_style),
                  locale, reinterpret_cast<const UChar*>(tz_id), tz_id ? tz_id_len : 0,
                  reinterpret_cast<const UChar*>(pattern), patternStyle ? pattern_len : 0, &status);
    if (U_FAILURE(status)) {
        PLAT_LOGE("udat_open failed: %s", u_errorName(status));
        return i18n_impl::toError(status);
    }
    *format = new _i18n_udate_format_s{created};
    return I18N_ERROR_NONE;
}

int i18n_udate_destroy(i18n_udate_format_h format) {
    PLAT_RETV_IF(!format, I18N_ERROR_INVALID_PARAMETER, "format is null");
    udat_close(format->format);
    delete format;
    return I18N_ERROR_NONE;
}

int i18n_udate_format_date(const i18n_udate_format_h format, i18n_udate date_to_format, i18n_uchar* result,
                           int32_t result_len, i18n_ufield_position_h pos, int32_t* buf_size_needed) {
    (void)pos;
    PLAT_RETV_IF(!format || !result || result_len <= 0, I18N_ERROR_INVALID_PARAMETER, "invalid arguments");
    UErrorCode status = U_ZERO_ERROR;
    int32_t needed = udat_format(format->format, date_to_format, reinterpret_cast<UChar*>(result), result_len,
                                 nullptr, &status);
    if (buf_size_needed)
        *buf_size_needed = needed;
    return i18n_impl::toResultError(status);
}

} // extern "C"
