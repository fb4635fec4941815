#include "phone_number.h"

#include "LogCapture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

// The formatted text, or "error N".
std::string format(const char* number, int region) {
    char* out = nullptr;
    int err = phone_number_get_formatted_number(number, static_cast<phone_number_region_e>(region), &out);
    if (err != PHONE_NUMBER_ERROR_NONE) {
        EXPECT_EQ(out, nullptr);
        return "error " + std::to_string(err);
    }
    std::string text = out ? out : "(null)";
    free(out);
    return text;
}

TEST(PhoneNumberTest, FormatsByRegion) {
    const int us = PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA, kr = PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA;
    const std::string invalid = "error " + std::to_string(PHONE_NUMBER_ERROR_INVALID_PARAMETER);
    const std::string noData = "error " + std::to_string(PHONE_NUMBER_ERROR_NO_DATA);
    const std::string huge(5000, '9');
    const struct {
        const char* number;
        int region;
        std::string shown;
    } cases[] = {
        // US, Korean, Dominican and full-width numbers are checked through the application's formatting.
        {"+821012345678", kr, "+82 10-1234-5678"},
        {"02079460123", PHONE_NUMBER_REGION_UNITED_KINGDOM, "020 7946 0123"},
        {"0612345678", PHONE_NUMBER_REGION_FRANCE, "06 12 34 56 78"},
        // An international number read under another region keeps its own country.
        {"+14155550123", kr, "+1 415-555-0123"},
        // An Egyptian mobile keeps its leading zero.
        {"01001234567", PHONE_NUMBER_REGION_EGYPT, "0100 123 4567"},
        {nullptr, us, invalid},
        {"4155550123", -1, invalid},
        {"4155550123", 132, invalid},
        {"hello", us, noData},
        {"\xff\xfe\x80", us, noData},
        {huge.c_str(), us, noData},
    };
    msg_test::LogCapture log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number ? std::string(c.number).substr(0, 20) : "(null)");
        EXPECT_EQ(format(c.number, c.region), c.shown);
    }
    EXPECT_EQ(phone_number_get_formatted_number("4155550123", PHONE_NUMBER_REGION_FRANCE, nullptr),
              PHONE_NUMBER_ERROR_INVALID_PARAMETER);
}

// Whether the formatting's module is mapped into this process.
bool moduleLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("msg_phone_number_module") != std::string::npos)
            return true;
    }
    return false;
}

TEST(PhoneNumberTest, PrepareLoadsTheFormattingOnAWorkerOnce) {
    // A process of its own, which has formatted nothing yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const char* fault = nullptr;
            if (moduleLoaded() || phone_number_is_prepared())
                fault = "loaded before it was asked for";
            phone_number_prepare();
            phone_number_prepare();
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!fault && !phone_number_is_prepared() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (!fault && !(moduleLoaded() && phone_number_is_prepared()))
                fault = "not loaded by the worker";
            if (!fault && format("+14155550123", PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA) != "+1 415-555-0123")
                fault = "formats wrongly after it";
            std::fputs(fault ? fault : "prepared", stderr);
            // Leaves as a program does: the worker is waited for, not torn down under it.
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^prepared$");
}

} // namespace
