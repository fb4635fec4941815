#include "CommonDeviceTest.h"

#include "LogCapture.h"
#include "common/FormattedNumber.h"
#include "phone_number.h"

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
    EXPECT_EQ("(415) 555-0123", format("4155550123"));
    EXPECT_EQ("+1 415-555-0123", format("+14155550123"));
    useRegion("ko_KR.UTF-8");
    EXPECT_EQ("010-1234-5678", format("01012345678"));
    useRegion("de_DE.UTF-8");
    EXPECT_EQ("+49 30 123456", format("+4930123456"));
}

TEST_F(FormattedNumberTest, EndingWithoutAConnectionDisconnectsNothing) {
    useRegion("en_US.UTF-8"); // holds a region without init()
    EXPECT_EQ("(415) 555-0123", format("4155550123"));
    msg_test::LogCapture log;
    formatted_number::deinit();
    EXPECT_FALSE(log.contains("not connected"));
    // After init() the connection is the one deinit() ends.
    formatted_number::init();
    formatted_number::deinit();
    EXPECT_FALSE(log.contains("not connected"));
    EXPECT_EQ(phone_number_disconnect(), PHONE_NUMBER_ERROR_INVALID_PARAMETER) << "nothing left connected";
}

TEST_F(FormattedNumberTest, FullWidthFormsAreReadAsTheirAsciiForms) {
    useRegion("en_US.UTF-8");
    EXPECT_EQ(format("+14155550123"), format("＋１４１５５５５０１２３"));
    EXPECT_EQ(format("4155550123"), format("４１５５５５０１２３"));
}

TEST_F(FormattedNumberTest, LettersSeparatorsAndBrokenBytesAreDropped) {
    useRegion("en_US.UTF-8");
    EXPECT_EQ("(415) 555-0123", format("(415) 555-0123"));
    EXPECT_EQ("(415) 555-0123", format("tel 415.555.0123"));
    msg_test::LogCapture log;
    EXPECT_EQ("(415) 555-0123", format("\xff"
                                       "41555\xc3"
                                       "50123"));
    EXPECT_TRUE(log.contains("return 0 (0xff)"));
}

TEST_F(FormattedNumberTest, UnknownRegionFallsBackToTheNumber) {
    msg_test::LogCapture log;
    useRegion("xx_QQ.UTF-8");
    EXPECT_TRUE(log.contains("_get_phone_number_region fail(QQ)"));
    EXPECT_EQ("4155550123", format("4155550123"));

    // Too short to hold a country: nothing is read past its end.
    useRegion("C");
    EXPECT_EQ("4155550123", format("4155550123"));
}

TEST_F(FormattedNumberTest, DominicanRepublicUsesItsOwnRegion) {
    useRegion("es_DO.UTF-8");
    // Numbers of the Dominican Republic are national numbers there, not in the neighbouring rows.
    EXPECT_EQ("(809) 555-1234", format("8095551234"));
}

TEST_F(FormattedNumberTest, CarrierSwitchShowsNumbersUnchanged) {
    useRegion("en_US.UTF-8");
    setFeature("zeq/57", "on");
    EXPECT_EQ("４１５５５５０１２３", format("４１５５５５０１２３"));
    EXPECT_EQ("+14155550123", format("+14155550123"));
}

TEST_F(FormattedNumberTest, NothingToFormat) {
    useRegion("en_US.UTF-8");
    EXPECT_EQ("", format(""));
    EXPECT_EQ("no number", format("no number"));
    msg_test::LogCapture log;
    EXPECT_EQ("<unset>", format(nullptr));
    EXPECT_TRUE(log.contains("number is nullptr"));
    std::string huge(100000, '5');
    EXPECT_FALSE(format(huge.c_str()).empty());
}

} // namespace
