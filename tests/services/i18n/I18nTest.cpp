#include "utils_i18n.h"

#include "LogCapture.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string utf8(const i18n_uchar* text) {
    char buffer[256];
    int32_t length = 0;
    EXPECT_EQ(i18n_ustring_to_UTF8(buffer, sizeof(buffer), &length, text, -1), I18N_ERROR_NONE);
    return std::string(buffer, length);
}

std::string bestPattern(const char* locale, const char* skeleton) {
    i18n_udatepg_h generator = nullptr;
    EXPECT_EQ(i18n_udatepg_create(locale, &generator), I18N_ERROR_NONE);
    i18n_uchar uskeleton[64];
    i18n_ustring_copy_ua(uskeleton, skeleton);
    i18n_uchar best[64] = {};
    int32_t length = 0;
    EXPECT_EQ(i18n_udatepg_get_best_pattern(generator, uskeleton, i18n_ustring_get_length(uskeleton), best,
                                            64, &length),
              I18N_ERROR_NONE);
    i18n_udatepg_destroy(generator);
    return utf8(best);
}

// Formats an instant (seconds) with a pattern in a locale and zone.
std::string formatAt(const char* locale, const char* pattern, double seconds, const char* zone = nullptr) {
    i18n_uchar upattern[64];
    i18n_ustring_copy_ua(upattern, pattern);
    i18n_uchar uzone[64];
    if (zone)
        i18n_ustring_copy_ua(uzone, zone);
    i18n_udate_format_h format = nullptr;
    EXPECT_EQ(i18n_udate_create(I18N_UDATE_PATTERN, I18N_UDATE_PATTERN, locale, zone ? uzone : nullptr, -1,
                                upattern, -1, &format),
              I18N_ERROR_NONE);
    if (!format)
        return "";
    i18n_uchar result[128];
    EXPECT_EQ(i18n_udate_format_date(format, seconds * 1000.0, result, 128, nullptr, nullptr),
              I18N_ERROR_NONE);
    i18n_udate_destroy(format);
    return utf8(result);
}

// 2026-03-04 14:05:00 UTC.
constexpr double kAfternoon = 1772633100;

// The 12- and 24-hour patterns, zone changes and regional digits are checked through the
// application's date and time texts; these are what those texts do not reach.
TEST(I18nTest, LocalesPatternsAndZonesOutsideTheApplicationsTextsAndBadInput) {
    msg_test::LogCapture quiet;
    // The marker goes where a person of the locale writes it.
    EXPECT_EQ(formatAt("ko_KR", bestPattern("ko_KR", "hma").c_str(), kAfternoon, "UTC"), "오후 2:05");

    // An unknown zone is refused and the previous one stays.
    i18n_uchar zone[64];
    i18n_ustring_copy_ua(zone, "Asia/Seoul");
    ASSERT_EQ(i18n_ucalendar_set_default_timezone(zone), I18N_ERROR_NONE);
    i18n_ustring_copy_ua(zone, "Mars/Olympus_Mons");
    EXPECT_EQ(i18n_ucalendar_set_default_timezone(zone), I18N_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(formatAt("en_US", "HH:mm", kAfternoon), "23:05");

    // Too small a buffer is reported with the length needed.
    i18n_unumber_format_h format = nullptr;
    ASSERT_EQ(i18n_unumber_create(I18N_UNUMBER_DECIMAL, nullptr, 0, "ar_EG", nullptr, &format),
              I18N_ERROR_NONE);
    i18n_uchar result[32];
    int32_t length = 0;
    EXPECT_EQ(i18n_unumber_format(format, 125, result, 2, nullptr, &length), I18N_ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(length, 3);
    i18n_unumber_destroy(format);

    i18n_udate_format_h udate = nullptr;
    i18n_uchar pattern[8];
    i18n_ustring_copy_ua(pattern, "HH:mm");
    // The pattern style on one side only.
    EXPECT_EQ(
        i18n_udate_create(I18N_UDATE_PATTERN, I18N_UDATE_SHORT, "en_US", nullptr, 0, pattern, -1, &udate),
        I18N_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(udate, nullptr);
    EXPECT_EQ(i18n_ulocale_set_default(""), I18N_ERROR_INVALID_PARAMETER);

    // Malformed text in either direction is refused, not copied through.
    EXPECT_EQ(i18n_ustring_from_UTF8(result, 32, nullptr, "ab\xff", -1), I18N_ERROR_INVALID_PARAMETER);
    const i18n_uchar loneSurrogate[] = {0x61, 0xD800, 0};
    char out[16];
    EXPECT_EQ(i18n_ustring_to_UTF8(out, 16, nullptr, loneSurrogate, -1), I18N_ERROR_INVALID_PARAMETER);
    // A result that exactly fills the buffer has no room for its terminator.
    EXPECT_EQ(i18n_ustring_from_UTF8(result, 3, nullptr, "abc", -1), I18N_ERROR_BUFFER_OVERFLOW);
}

} // namespace
