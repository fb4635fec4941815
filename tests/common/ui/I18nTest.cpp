// Message times and dates under each date order, clock style, direction and region.
#include "AppEventRecorder.h"
#include "CommonDeviceTest.h"
#include "FeedSync.h"
#include "MainLoop.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/ui/ZoneId.h"
#include "preference.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <regex>
#include <string>

#include <unicode/uversion.h>

using namespace msg_app;

namespace {

constexpr const char* KEY_TIME1224 = "db/menu_widget/regionformat_time1224";
constexpr const char* KEY_DATE_FORMAT = "db/setting/date_format";
constexpr const char* KEY_TIME_CHANGED = "memory/system/timechanged";
constexpr const char* KEY_TIMEZONE = "db/setting/timezone_id";
constexpr const char* KEY_LANGUAGE = "db/menu_widget/language";

time_t localTime(int year, int month, int day, int hour, int minute) {
    struct tm tm {
        0, minute, hour, day, month - 1, year - 1900, 0, 0, -1, 0, nullptr
    };
    return mktime(&tm);
}

int currentYear() {
    time_t now = std::time(nullptr);
    struct tm tm {};
    localtime_r(&now, &tm);
    return tm.tm_year + 1900;
}

// 5 March (or 6 March when that is today) of this year: this year, not today.
time_t earlierDayThisYear(int* day) {
    time_t now = std::time(nullptr);
    struct tm tm {};
    localtime_r(&now, &tm);
    *day = (tm.tm_mon == 2 && tm.tm_mday == 5) ? 6 : 5;
    return localTime(currentYear(), 3, *day, 12, 0);
}

class I18nTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        setenv("LC_TIME", "en_US.UTF-8", 1);
        // The 24-hour clock, unless a test changes it.
        setInt(KEY_TIME1224, 2);
    }
    void TearDown() override {
        MCommonI18n::release();
        CommonDeviceTest::TearDown();
    }
    MCommonI18n* i18n() { return MCommonI18n::getInstance(); }

    std::string simple(time_t t) {
        std::string out;
        i18n()->getFormattedSimpleDateTimeText(t, out);
        return out;
    }
    std::string text(MCommonI18n::Formatter f, time_t t, bool omitThisYear = false) {
        std::string out;
        i18n()->getFormattedDateTimeText(f, t, out, omitThisYear);
        return out;
    }
    // Changes a watched setting and waits until the change has been announced.
    void changeSetting(const char* key, int value) {
        AppEventRecorder counter;
        setInt(key, value);
        ASSERT_TRUE(msg_test::pumpUntil([&] { return counter.count(APP_EVENT_TIME_FORMAT_CHANGED) > 0; }))
            << key;
    }
};

TEST_F(I18nTest, TodayAndZeroShowTheTimeInTheClockStyle) {
    // Zero means now; should the minute turn in between, the second try falls within one.
    bool same = false;
    for (int attempt = 0; attempt < 2 && !same; ++attempt) {
        time_t now = std::time(nullptr);
        char expected[16];
        strftime(expected, sizeof(expected), "%H:%M", gmtime(&now));
        same = simple(now) == expected && simple(0) == expected;
    }
    EXPECT_TRUE(same) << "today shows the time, and 0 is now";
    std::string year = std::to_string(currentYear());
    EXPECT_EQ(std::string::npos, text(MCommonI18n::DATE, 0, true).find(year));
    EXPECT_NE(std::string::npos, text(MCommonI18n::DATE, 0, false).find(year));

    changeSetting(KEY_TIME1224, 1);
    time_t afternoon = localTime(currentYear(), 1, 1, 14, 5);
    std::string twelveHour = text(MCommonI18n::TIME, afternoon);
    EXPECT_TRUE(std::regex_search(twelveHour, std::regex("^2:05.PM$|^2:05\xE2\x80\xAFPM$"))) << twelveHour;
    changeSetting(KEY_TIME1224, 2);
    EXPECT_EQ("14:05", text(MCommonI18n::TIME, afternoon));
}

// The clock's pattern is kept for the next run, under the locale and the library's data: a kept
// pattern is shown as it stands, and an empty or overlong one is asked of the locale again.
TEST_F(I18nTest, TheClocksPatternIsKeptForTheNextRun) {
    const std::string key = std::string("date_pattern.") + U_ICU_VERSION + ".en_US.Hm";
    auto kept = [&] {
        char* value = nullptr;
        std::string out = preference_get_string(key.c_str(), &value) == PREFERENCE_ERROR_NONE ? value : "";
        std::free(value);
        return out;
    };
    const time_t afternoon = localTime(currentYear(), 1, 1, 14, 5);
    EXPECT_EQ("14:05", text(MCommonI18n::TIME, afternoon));
    EXPECT_EQ("HH:mm", kept());
    const std::string tooLong(100, 'H');
    const struct {
        std::string kept;
        const char* shown;
        const char* keptAfter;
    } cases[] = {
        {"HH.mm", "14.05", "HH.mm"},
        {"", "14:05", "HH:mm"},
        {tooLong, "14:05", "HH:mm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kept);
        MCommonI18n::release();
        ASSERT_EQ(PREFERENCE_ERROR_NONE, preference_set_string(key.c_str(), c.kept.c_str()));
        EXPECT_EQ(c.shown, text(MCommonI18n::TIME, afternoon));
        EXPECT_EQ(c.keptAfter, kept());
    }
}

TEST_F(I18nTest, EarlierDaysFollowTheDateOrderAndTheDirection) {
    int day = 0;
    time_t thisYear = earlierDayThisYear(&day);
    time_t pastYear = localTime(2019, 3, 5, 23, 59);
    std::string dd = "0" + std::to_string(day);
    struct Case {
        int order;
        std::string thisYear;
        const char* pastYear;
    } cases[] = {
        {0, dd + "/03", "05/03/2019"}, {1, "03/" + dd, "03/05/2019"},
        {2, "03/" + dd, "2019/03/05"}, // not an order of its own: year, month, day
        {3, dd + "/03", "2019/05/03"}, {42, "03/" + dd, "2019/03/05"},
    };
    setInt(KEY_DATE_FORMAT, cases[0].order);
    // A language change to or from right to left isolates a date at once, so that its numbers keep
    // their order; today's time has no isolate.
    EXPECT_EQ(cases[0].pastYear, simple(pastYear));
    const std::string marked[] = {"&#x2066;05/03/2019&#x2069;", "&#x2066;" + dd + "/03&#x2069;", "05/03/2019",
                                  dd + "/03"};
    for (int i = 0; i < 2; ++i) {
        AppEventRecorder counter;
        setString(KEY_LANGUAGE, i == 0 ? "ar_AE.UTF-8" : "en_US.UTF-8");
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_LANGUAGE_CHANGED);
        EXPECT_EQ(marked[2 * i], simple(pastYear));
        EXPECT_EQ(marked[2 * i + 1], simple(thisYear));
        EXPECT_EQ(std::string::npos, simple(std::time(nullptr)).find("&#x2066;"));
        EXPECT_EQ(1, counter.count(APP_EVENT_TIME_FORMAT_CHANGED)) << "the screens redraw their dates";
    }
    for (const Case& c : cases) {
        if (c.order != cases[0].order)
            changeSetting(KEY_DATE_FORMAT, c.order);
        EXPECT_EQ(c.thisYear, simple(thisYear)) << "order " << c.order;
        EXPECT_EQ(c.pastYear, simple(pastYear)) << "order " << c.order;
        EXPECT_EQ(c.thisYear, text(MCommonI18n::DATE, thisYear, true)) << "order " << c.order;
    }
    // Long dates drop the year only when asked.
    const std::string year = std::to_string(currentYear());
    EXPECT_NE(std::string::npos, text(MCommonI18n::DATE_LONG, pastYear, true).find("2019"));
    std::string longThisYear = text(MCommonI18n::DATE_LONG, thisYear, true);
    EXPECT_EQ(std::string::npos, longThisYear.find(year)) << longThisYear;
    EXPECT_NE(std::string::npos, longThisYear.find("Mar")) << longThisYear;
    EXPECT_NE(std::string::npos, text(MCommonI18n::DATE_LONG, thisYear).find(year));
}

TEST_F(I18nTest, NumbersUseTheRegionsDigitsUntilReleased) {
    std::string out;
    i18n()->getFormattedNumberText(5, out);
    EXPECT_EQ("5", out);

    // A region change reads the locale again and is announced.
    setenv("LC_TIME", "ar_EG.UTF-8", 1);
    AppEventRecorder counter;
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_REGION_FORMAT_CHANGED);
    EXPECT_EQ(1, counter.count(APP_EVENT_TIME_FORMAT_CHANGED));
    i18n()->getFormattedNumberText(5, out);
    EXPECT_EQ("\xD9\xA5", out); // ARABIC-INDIC DIGIT FIVE

    // A released instance stops listening.
    MCommonI18n::release();
    setInt(KEY_TIME1224, 1);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(1, counter.count(APP_EVENT_TIME_FORMAT_CHANGED));
}

TEST_F(I18nTest, TimeZoneChangeMovesTheClockDatesAndTheDayDecisions) {
    setInt(KEY_DATE_FORMAT, 1);
    time_t evening = localTime(2019, 3, 5, 20, 0); // UTC
    EXPECT_EQ("03/05/2019", text(MCommonI18n::DATE, evening));
    // Fixed offsets of +14 and -12 hours: for any time of day some instant below is today in one
    // of them and not in UTC, or the other way round. UTC again last: the zone is the process's, and
    // the tests after this one count in UTC.
    const struct {
        const char* zone;
        int offsetHours;
        const char *date, *time;
    } zones[] = {{"Etc/GMT-14", 14, "03/06/2019", "10:00"},
                 {"Etc/GMT+12", -12, "03/05/2019", "08:00"},
                 {"UTC", 0, "03/05/2019", "20:00"}};
    int serial = 0;
    for (const auto& z : zones) {
        setString(KEY_TIMEZONE, z.zone);
        changeSetting(KEY_TIME_CHANGED, ++serial);
        EXPECT_EQ(z.date, text(MCommonI18n::DATE, evening)) << z.zone;
        EXPECT_EQ(z.time, text(MCommonI18n::TIME, evening)) << z.zone;
        time_t now = std::time(nullptr);
        auto dayOf = [&](time_t t) { return (t + z.offsetHours * 3600) / 86400; };
        for (int hours : {-13, 13}) {
            time_t t = now + hours * 3600;
            bool today = dayOf(t) == dayOf(now);
            EXPECT_EQ(today, simple(t) == text(MCommonI18n::TIME, t)) << z.zone << " " << hours << "h";
        }
    }
}

TEST(ZoneIdTest, ShortLinkTargetsNameNoZone) {
    std::string zone = "unchanged";
    EXPECT_FALSE(zone_id::from_link_target("", zone));
    EXPECT_FALSE(zone_id::from_link_target("/usr/share/zoneinfo/", zone));
    EXPECT_EQ("unchanged", zone);
    EXPECT_TRUE(zone_id::from_link_target("/usr/share/zoneinfo/Asia/Seoul", zone));
    EXPECT_EQ("Asia/Seoul", zone);
    EXPECT_FALSE(zone_id::from_link("/nonexistent/localtime", zone));
}

} // namespace
