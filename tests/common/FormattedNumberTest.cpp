#include "CommonDeviceTest.h"

#include "LogCapture.h"
#include "MainLoop.h"
#include "app_common.h"
#include "common/FormattedNumber.h"
#include "phone_number.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace msg_app;

namespace {

class FormattedNumberTest : public CommonDeviceTest {
protected:
    void TearDown() override {
        formatted_number::deinit();
        CommonDeviceTest::TearDown();
    }

    std::string format(const char* number) {
        std::string out = "<unset>";
        formatted_number::get(number, out);
        return out;
    }

    void useRegion(const char* locale) {
        setString("db/menu_widget/regionformat", locale);
        formatted_number::update_region();
    }
};

TEST_F(FormattedNumberTest, NumbersFollowTheRegionFormat) {
    formatted_number::init();
    const std::string huge(100000, '5');
    const struct {
        const char* region; // null: the region of the row before
        const char* number;
        const char* shown;
    } cases[] = {
        {nullptr, "4155550123", "(415) 555-0123"},
        {nullptr, "+14155550123", "+1 415-555-0123"},
        // Full-width forms are read as their ASCII forms; letters, separators and broken bytes go.
        {nullptr, "＋１４１５５５５０１２３", "+1 415-555-0123"},
        {nullptr, "tel 415.555.0123", "(415) 555-0123"},
        {nullptr,
         "\xff"
         "41555\xc3"
         "50123",
         "(415) 555-0123"},
        {nullptr, "no number", "no number"},
        {"ko_KR.UTF-8", "01012345678", "010-1234-5678"},
        {"de_DE.UTF-8", "+4930123456", "+49 30 123456"},
        // Numbers of the Dominican Republic are national numbers there, not in the neighbouring rows.
        {"es_DO.UTF-8", "8095551234", "(809) 555-1234"},
        // An unknown region, or one too short to hold a country: nothing is read past its end.
        {"xx_QQ.UTF-8", "4155550123", "4155550123"},
        {"C", "4155550123", "4155550123"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        if (c.region)
            useRegion(c.region);
        EXPECT_EQ(c.shown, format(c.number));
    }
    useRegion("en_US.UTF-8");
    EXPECT_FALSE(format(huge.c_str()).empty());
    EXPECT_EQ("<unset>", format(nullptr));
    // The carrier's switch shows numbers unchanged.
    setFeature("zeq/57", "on");
    EXPECT_EQ("４１５５５５０１２３", format("４１５５５５０１２３"));
    EXPECT_EQ("+14155550123", format("+14155550123"));
}

TEST_F(FormattedNumberTest, EndingWithoutAConnectionDisconnectsNothing) {
    useRegion("en_US.UTF-8"); // holds a region without init()
    EXPECT_EQ("(415) 555-0123", format("4155550123"));
    msg_test::LogCapture log;
    formatted_number::deinit();
    // After init() the connection is the one deinit() ends.
    formatted_number::init();
    formatted_number::deinit();
    EXPECT_FALSE(log.contains("not connected"));
    EXPECT_EQ(phone_number_disconnect(), PHONE_NUMBER_ERROR_INVALID_PARAMETER) << "nothing left connected";
}

// What was formatted is kept for the next run, which shows the kept text without asking the
// formatter; a kept file that is foreign, damaged or holds markup is started anew.
TEST_F(FormattedNumberTest, FormattedNumbersAreKeptForTheNextRun) {
    char* dir = app_get_data_path();
    const std::string file = std::string(dir) + "formatted-numbers";
    std::free(dir);
    // The file as the next run finds it: this run's numbers are saved as it ends, before.
    auto nextRunWith = [&](const std::string& text) {
        formatted_number::deinit();
        ASSERT_TRUE(
            g_file_set_contents(file.c_str(), text.c_str(), static_cast<gssize>(text.size()), nullptr));
        formatted_number::init();
    };
    useRegion("en_US.UTF-8");
    formatted_number::init();
    EXPECT_EQ("(415) 555-0123", format("4155550123"));
    formatted_number::deinit();
    // A header line and the one number, nothing after it.
    std::ifstream kept(file);
    std::string header, entry;
    ASSERT_TRUE(std::getline(kept, header) && std::getline(kept, entry) && kept.eof());
    const std::string region = entry.substr(0, entry.find('\t'));

    nextRunWith(header + "\n" + region + "\t4155550123\t415 KEPT");
    EXPECT_EQ("415 KEPT", format("4155550123"));
    const std::string damaged[] = {
        "another cache\n" + region + "\t4155550123\tX",
        header + "\n" + region + "\t4155550123\t<b>X</b>",
        header + "\n" + region + "\t4155550123",
        header + "\nUS\t4155550123\tX",
        header + "\n" + region + "\t415555O123\tX",
        header + "\n" + region + "\t4155550123\tX\xff",
        header + "\n" + region + "\t4155550123\t" + std::string(1000, 'X'),
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text.substr(0, 60));
        nextRunWith(text);
        EXPECT_EQ("(415) 555-0123", format("4155550123"));
    }
}

// A number the first screen shows before the formatting has loaded is shown as it stands rather
// than wait for the load, which then runs on a worker; once it is done the screens are told, and
// numbers are formatted, and kept, as they are asked for. With no number waiting, nothing loads
// ahead and numbers are formatted as asked for at once.
TEST_F(FormattedNumberTest, ANumberDeferredOnTheFirstScreenIsFormattedOnceTheFormattingLoaded) {
    useRegion("en_US.UTF-8");
    // A process of its own, which has formatted nothing yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ecore_init();
            formatted_number::init();
            formatted_number::defer_loading();
            const char* fault = nullptr;
            if (format("4155550123") != "4155550123" || phone_number_is_prepared())
                fault = "loaded the formatting before the first frame";
            int told = 0;
            formatted_number::load_deferred([&told] { ++told; });
            // A second first frame, as a relaunch brings, starts nothing more.
            formatted_number::load_deferred([&told] { told += 10; });
            if (!fault && !msg_test::runLoopUntil([&told] { return told > 0; }))
                fault = "the screens were not told";
            if (!fault && (told != 1 || !phone_number_is_prepared()))
                fault = "told before the load, or twice";
            if (!fault && format("4155550123") != "(415) 555-0123")
                fault = "still as it stands after the load";
            // (The fixture's log capture holds this process's error output: the status tells.)
            if (fault)
                std::fputs(fault, stdout);
            formatted_number::deinit();
            std::exit(fault ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");

    formatted_number::init();
    formatted_number::defer_loading();
    formatted_number::load_deferred([] { ADD_FAILURE() << "nothing waited to be formatted"; });
    EXPECT_EQ("(415) 555-0123", format("4155550123"));
}

// Without the application's data folder numbers are still formatted, and kept for the run only:
// nothing is written where the process happens to run.
TEST_F(FormattedNumberTest, WithoutADataFolderNothingIsWrittenWhereTheProcessRuns) {
    msg_test::TempDir here;
    const std::string notAFolder = here.file("not-a-folder");
    ASSERT_TRUE(g_file_set_contents(notAFolder.c_str(), "", 0, nullptr));
    useRegion("en_US.UTF-8");
    const std::string device = std::getenv("MSG_DEVICE_DIR");
    char* before = g_get_current_dir();
    ASSERT_EQ(0, chdir(here.path().c_str()));
    setenv("MSG_DEVICE_DIR", (notAFolder + "/device").c_str(), 1);
    formatted_number::init();
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ("(415) 555-0123", format("4155550123"));
    formatted_number::deinit();
    setenv("MSG_DEVICE_DIR", device.c_str(), 1);
    EXPECT_EQ(0, chdir(before));
    g_free(before);
    EXPECT_FALSE(g_file_test(here.file("formatted-numbers").c_str(), G_FILE_TEST_EXISTS));
}

} // namespace
