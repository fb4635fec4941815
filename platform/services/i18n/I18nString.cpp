// UTF-16 strings and their conversions.
#include "I18nError.h"

#include "log/PlatformLog.h"

#include <unicode/ustring.h>

extern "C" {

i18n_uchar* i18n_ustring_copy_ua(i18n_uchar* dest, const char* src) {
    PLAT_RETV_IF(!dest || !src, nullptr, "dest or src is null");
    return reinterpret_cast<i18n_uchar*>(u_uastrcpy(reinterpret_cast<UChar*>(dest), src));
}

i18n_uchar* i18n_ustring_copy_ua_n(i18n_uchar* dest, const char* src, int32_t n) {
    PLAT_RETV_IF(!dest || !src || n < 0, nullptr, "invalid arguments");
    return reinterpret_cast<i18n_uchar*>(u_uastrncpy(reinterpret_cast<UChar*>(dest), src, n));
}

char* i18n_ustring_copy_au(char* dest, const i18n_uchar* src) {
    PLAT_RETV_IF(!dest || !src, nullptr, "dest or src is null");
    return u_austrcpy(dest, reinterpret_cast<const UChar*>(src));
}

char* i18n_ustring_copy_au_n(char* dest, const i18n_uchar* src, int32_t n) {
    PLAT_RETV_IF(!dest || !src || n < 0, nullptr, "invalid arguments");
    return u_austrncpy(dest, reinterpret_cast<const UChar*>(src), n);
}

int32_t i18n_ustring_get_length(const i18n_uchar* s) {
    PLAT_RETV_IF(!s, 0, "s is null");
    return u_strlen(reinterpret_cast<const UChar*>(s));
}

int i18n_ustring_to_UTF8(char* dest, int32_t dest_capacity, int32_t* dest_len, const i18n_uchar* src,
                         int32_t src_len) {
    PLAT_RETV_IF(!dest || dest_capacity <= 0 || !src || src_len < -1, I18N_ERROR_INVALID_PARAMETER,
                 "invalid arguments");
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strToUTF8(dest, dest_capacity, &length, reinterpret_cast<const UChar*>(src), src_len, &status);
    if (dest_len)
        *dest_len = length;
    return i18n_impl::toResultError(status);
}

int i18n_ustring_from_UTF8(i18n_uchar* dest, int32_t dest_capacity, int32_t* dest_len, const char* src,
                           int32_t src_len) {
    PLAT_RETV_IF(!dest || dest_capacity <= 0 || !src || src_len < -1, I18N_ERROR_INVALID_PARAMETER,
                 "invalid arguments");
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(reinterpret_cast<UChar*>(dest), dest_capacity, &length, src, src_len, &status);
    if (dest_len)
        *dest_len = length;
    return i18n_impl::toResultError(status);
}

} // extern "C"
