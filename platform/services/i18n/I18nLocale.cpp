// Locales and the calendar's clock and default time zone.
#include "I18nError.h"

#include "log/PlatformLog.h"

#include <string>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/ucal.h>
#include <unicode/uloc.h>
#include <unicode/unistr.h>

namespace {

// "en_US.UTF-8" and "en_US@calendar=..." name the same language for ICU without the charset.
std::string withoutCharset(const char* locale) {
    std::string id(locale);
    size_t dot = id.find('.');
    if (dot != std::string::npos) {
        size_t at = id.find('@', dot);
        id = id.substr(0, dot) + (at == std::string::npos ? "" : id.substr(at));
    }
    return id;
}

} // namespace

extern "C" {

int i18n_ulocale_get_default(const char** locale) {
    PLAT_RETV_IF(!locale, I18N_ERROR_INVALID_PARAMETER, "locale is null");
    *locale = uloc_getDefault();
    return I18N_ERROR_NONE;
}

int i18n_ulocale_set_default(const char* locale_id) {
    UErrorCode status = U_ZERO_ERROR;
    // Null restores ICU's own default, from the environment.
    if (!locale_id) {
        uloc_setDefault(nullptr, &status);
        return i18n_impl::toError(status);
    }
    PLAT_RETV_IF(!*locale_id, I18N_ERROR_INVALID_PARAMETER, "locale is empty");
    uloc_setDefault(withoutCharset(locale_id).c_str(), &status);
    return i18n_impl::toError(status);
}

int i18n_ulocale_is_right_to_left(const char* locale_id, int* rtl) {
    PLAT_RETV_IF(!locale_id || !rtl, I18N_ERROR_INVALID_PARAMETER, "locale or rtl is null");
    *rtl = uloc_isRightToLeft(withoutCharset(locale_id).c_str()) ? 1 : 0;
    return I18N_ERROR_NONE;
}

int i18n_ucalendar_get_now(i18n_udate* date) {
    PLAT_RETV_IF(!date, I18N_ERROR_INVALID_PARAMETER, "date is null");
    *date = ucal_getNow();
    return I18N_ERROR_NONE;
}

int i18n_ucalendar_set_default_timezone(const i18n_uchar* zone_id) {
    PLAT_RETV_IF(!zone_id || !zone_id[0], I18N_ERROR_INVALID_PARAMETER, "zone_id is null or empty");
    icu::UnicodeString id(reinterpret_cast<const UChar*>(zone_id));
    // An unknown id would silently become GMT ("Etc/Unknown"); refuse it and keep the current zone.
    icu::TimeZone* zone = icu::TimeZone::createTimeZone(id);
    if (!zone || *zone == icu::TimeZone::getUnknown()) {
        delete zone;
        std::string utf8;
        id.toUTF8String(utf8);
        PLAT_LOGE("unknown time zone %s", utf8.c_str());
        return I18N_ERROR_INVALID_PARAMETER;
    }
    icu::TimeZone::adoptDefault(zone);
    return I18N_ERROR_NONE;
}

int i18n_ucalendar_get_default_timezone(i18n_uchar* result, int32_t result_len) {
    PLAT_RETV_IF(!result || result_len <= 0, I18N_ERROR_INVALID_PARAMETER, "result is null or empty");
    UErrorCode status = U_ZERO_ERROR;
    ucal_getDefaultTimeZone(reinterpret_cast<UChar*>(result), result_len, &status);
    return i18n_impl::toResultError(status);
}

} // extern "C"
