/*
 * Dates, times, numbers, locales and UTF-16 strings: a thin C layer over ICU
 * with handles and I18N_ERROR_* codes. Buffers are UTF-16 (i18n_uchar); a
 * result that does not fit is I18N_ERROR_BUFFER_OVERFLOW with the needed
 * length reported where the call has an out-parameter for it.
 */
#ifndef MSG_PLATFORM_UTILS_I18N_H
#define MSG_PLATFORM_UTILS_I18N_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    I18N_ERROR_NONE = 0,
    I18N_ERROR_OUT_OF_MEMORY = -12,
    I18N_ERROR_INVALID_PARAMETER = -22,
    I18N_ERROR_BUFFER_OVERFLOW = -0x02000000 | 0x07,
    I18N_ERROR_NOT_SUPPORTED = -0x02000000 | 0x08,
    I18N_ERROR_UNKNOWN = -0x02000000 | 0x09,
} i18n_error_code_e;

typedef uint16_t i18n_uchar;
typedef double i18n_udate; // milliseconds since the epoch

typedef struct _i18n_udate_format_s* i18n_udate_format_h;
typedef struct _i18n_udatepg_s* i18n_udatepg_h;
typedef struct _i18n_unumber_format_s* i18n_unumber_format_h;
typedef void* i18n_ufield_position_h; // accepted for compatibility; pass null

typedef enum {
    I18N_UDATE_FULL = 0,
    I18N_UDATE_LONG = 1,
    I18N_UDATE_MEDIUM = 2,
    I18N_UDATE_SHORT = 3,
    I18N_UDATE_NONE = -1,
    I18N_UDATE_PATTERN = -2, // with both styles: the pattern argument decides
} i18n_udate_format_style_e;

typedef enum {
    I18N_UNUMBER_PATTERN_DECIMAL = 0,
    I18N_UNUMBER_DECIMAL = 1,
    I18N_UNUMBER_CURRENCY = 2,
    I18N_UNUMBER_PERCENT = 3,
} i18n_unumber_format_style_e;

// Locales ("en_US", "ko_KR", "ar_EG"; a ".UTF-8" suffix is ignored).
int i18n_ulocale_get_default(const char** locale);
int i18n_ulocale_set_default(const char* locale_id);
// Whether the locale's script is written right to left; I18N_ERROR_INVALID_PARAMETER for null.
int i18n_ulocale_is_right_to_left(const char* locale_id, int* rtl);

// Calendar: the current instant and the default time zone (an Olson id such as "Asia/Seoul").
int i18n_ucalendar_get_now(i18n_udate* date);
int i18n_ucalendar_set_default_timezone(const i18n_uchar* zone_id);
int i18n_ucalendar_get_default_timezone(i18n_uchar* result, int32_t result_len);

// Pattern generator: the locale's best pattern for a skeleton such as "hma" or "Hm".
int i18n_udatepg_create(const char* locale, i18n_udatepg_h* dtpg);
int i18n_udatepg_destroy(i18n_udatepg_h dtpg);
int i18n_udatepg_get_best_pattern(i18n_udatepg_h dtpg, const i18n_uchar* skeleton, int32_t len,
                                  i18n_uchar* best_pattern, int32_t capacity, int32_t* best_pattern_len);

// Date formats. tz_id null is the default time zone; a negative length means zero-terminated.
int i18n_udate_create(i18n_udate_format_style_e time_style, i18n_udate_format_style_e date_style,
                      const char* locale, const i18n_uchar* tz_id, int32_t tz_id_len,
                      const i18n_uchar* pattern, int pattern_len, i18n_udate_format_h* format);
int i18n_udate_destroy(i18n_udate_format_h format);
int i18n_udate_format_date(const i18n_udate_format_h format, i18n_udate date_to_format, i18n_uchar* result,
                           int32_t result_len, i18n_ufield_position_h pos, int32_t* buf_size_needed);

// Number formats.
int i18n_unumber_create(i18n_unumber_format_style_e style, const i18n_uchar* pattern, int32_t pattern_len,
                        const char* locale, void* parse_err, i18n_unumber_format_h* num_format);
int i18n_unumber_destroy(i18n_unumber_format_h fmt);
int i18n_unumber_format(i18n_unumber_format_h fmt, int32_t number, i18n_uchar* result, int32_t result_len,
                        i18n_ufield_position_h pos, int32_t* len);

// UTF-16 strings. copy_ua/copy_au convert from/to invariant (ASCII) text; the UTF-8 calls
// convert any text and refuse malformed input.
i18n_uchar* i18n_ustring_copy_ua(i18n_uchar* dest, const char* src);
i18n_uchar* i18n_ustring_copy_ua_n(i18n_uchar* dest, const char* src, int32_t n);
char* i18n_ustring_copy_au(char* dest, const i18n_uchar* src);
char* i18n_ustring_copy_au_n(char* dest, const i18n_uchar* src, int32_t n);
int32_t i18n_ustring_get_length(const i18n_uchar* s);
int i18n_ustring_to_UTF8(char* dest, int32_t dest_capacity, int32_t* dest_len, const i18n_uchar* src,
                         int32_t src_len);
int i18n_ustring_from_UTF8(i18n_uchar* dest, int32_t dest_capacity, int32_t* dest_len, const char* src,
                           int32_t src_len);

#ifdef __cplusplus
}
#endif

#endif
