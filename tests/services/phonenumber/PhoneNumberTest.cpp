#include "phone_number.h"

#include "LogCapture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

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
    EXPECT_EQ(format("+14155550123", PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA), "+1 415-555-0123");
    EXPECT_EQ(format("4155550123", PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA), "(415) 555-0123");
    EXPECT_EQ(format("01012345678", PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA), "010-1234-5678");
    EXPECT_EQ(format("+821012345678", PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA), "+82 10-1234-5678");
    EXPECT_EQ(format("02079460123", PHONE_NUMBER_REGION_UNITED_KINGDOM), "020 7946 0123");
    EXPECT_EQ(format("0612345678", PHONE_NUMBER_REGION_FRANCE), "06 12 34 56 78");
    // A national number read under another region is that region's number.
    EXPECT_EQ(format("+14155550123", PHONE_NUMBER_REGION_REPUBLIC_OF_KOREA), "+1 415-555-0123");
}

TEST(PhoneNumberTest, EachRegionFormatsWithItsOwnCountrysRules) {
    // A Dominican national number keeps its area code, an Egyptian mobile its leading zero.
    EXPECT_EQ(format("8095550123", PHONE_NUMBER_REGION_DOMINICAN_REPUBLIC), "(809) 555-0123");
    EXPECT_EQ(format("01001234567", PHONE_NUMBER_REGION_EGYPT), "0100 123 4567");
}

TEST(PhoneNumberTest, GroupOfTwelveNumbersAllFormat) {
    // A conversation name formats its first ten numbers; the utility must cope with a whole group.
    for (int i = 0; i < 12; ++i) {
        std::string number = "+1415555" + std::to_string(1000 + i);
        std::string expected = "+1 415-555-" + std::to_string(1000 + i);
        EXPECT_EQ(format(number.c_str(), PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA), expected);
    }
    // Full-width digits and plus read as their ASCII forms.
    EXPECT_EQ(format("\xEF\xBC\x8B\xEF\xBC\x91\xEF\xBC\x94\xEF\xBC\x91\xEF\xBC\x95\xEF\xBC\x95\xEF\xBC\x95"
                     "\xEF\xBC\x95\xEF\xBC\x90\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93",
                     PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA),
              "+1 415-555-0123");
}

TEST(PhoneNumberTest, BadInputIsAnError) {
    msg_test::LogCapture log;
    const int us = PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA;
    EXPECT_EQ(format(nullptr, us), "error " + std::to_string(PHONE_NUMBER_ERROR_INVALID_PARAMETER));
    EXPECT_EQ(format("", us), "error " + std::to_string(PHONE_NUMBER_ERROR_INVALID_PARAMETER));
    EXPECT_EQ(format("4155550123", -1), "error " + std::to_string(PHONE_NUMBER_ERROR_INVALID_PARAMETER));
    EXPECT_EQ(format("4155550123", 132), "error " + std::to_string(PHONE_NUMBER_ERROR_INVALID_PARAMETER));
    EXPECT_EQ(format("hello", us), "error " + std::to_string(PHONE_NUMBER_ERROR_NO_DATA));
    EXPECT_EQ(format("+", us), "error " + std::to_string(PHONE_NUMBER_ERROR_NO_DATA));
    EXPECT_EQ(format("\xff\xfe\x80", us), "error " + std::to_string(PHONE_NUMBER_ERROR_NO_DATA));
    EXPECT_EQ(format(std::string(5000, '9').c_str(), us),
              "error " + std::to_string(PHONE_NUMBER_ERROR_NO_DATA));
    EXPECT_EQ(phone_number_get_formatted_number("4155550123", PHONE_NUMBER_REGION_FRANCE, nullptr),
              PHONE_NUMBER_ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(log.contains("unknown region 132"));
}

TEST(PhoneNumberTest, ConnectionsAreCounted) {
    ASSERT_EQ(phone_number_connect(), PHONE_NUMBER_ERROR_NONE);
    ASSERT_EQ(phone_number_connect(), PHONE_NUMBER_ERROR_NONE);
    EXPECT_EQ(phone_number_disconnect(), PHONE_NUMBER_ERROR_NONE);
    EXPECT_EQ(phone_number_disconnect(), PHONE_NUMBER_ERROR_NONE);
    EXPECT_EQ(phone_number_disconnect(), PHONE_NUMBER_ERROR_INVALID_PARAMETER);
}

} // namespace
