#include "common/CommonUtil.h"

#include "LogCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace cu = msg_app::common_util;

namespace {

TEST(PhoneNumberText, LengthCountsTheWholeTextPlusIncluded) {
    EXPECT_TRUE(cu::is_phone_number("+12"));
    EXPECT_FALSE(cu::is_phone_number("12"));
    EXPECT_TRUE(cu::is_phone_number("123"));
    EXPECT_TRUE(cu::is_phone_number(std::string(40, '5').c_str()));
    EXPECT_FALSE(cu::is_phone_number(std::string(41, '5').c_str()));
    EXPECT_FALSE(cu::is_phone_number(("+" + std::string(40, '5')).c_str()));
}

TEST(PhoneNumberText, CharacterRules) {
    EXPECT_TRUE(cu::is_phone_number("010-1234 5678#"));
    EXPECT_TRUE(cu::is_phone_number("*31#0101234"));
    EXPECT_FALSE(cu::is_phone_number("010-CALL-NOW"));
    EXPECT_FALSE(cu::is_phone_number("++123"));
    EXPECT_FALSE(cu::is_phone_number("12+3"));
    EXPECT_FALSE(cu::is_phone_number("(02) 555"));
    EXPECT_FALSE(cu::is_phone_number("０１２３")); // full-width digits are not ASCII digits

    msg_test::LogCapture log;
    EXPECT_FALSE(cu::is_phone_number(nullptr));
    EXPECT_TRUE(log.contains("address is null"));
    EXPECT_FALSE(cu::is_phone_number(""));
    EXPECT_TRUE(log.contains("address is empty"));
}

TEST(PhoneNumberText, NormalizedNumberKeepsDialCharactersOnly) {
    std::string out = "stale";
    ASSERT_TRUE(cu::make_normalized_number("+1 (415) 555-0123", out));
    EXPECT_EQ("+14155550123", out);
    ASSERT_TRUE(cu::make_normalized_number("02.555/01#*x", out));
    EXPECT_EQ("0255501#*", out);
    // Without separators the number is kept as it is, letters included.
    ASSERT_TRUE(cu::make_normalized_number("01012345678", out));
    EXPECT_EQ("01012345678", out);
    ASSERT_TRUE(cu::make_normalized_number("VOICEMAIL", out));
    EXPECT_EQ("VOICEMAIL", out);

    out = "kept";
    EXPECT_FALSE(cu::make_normalized_number("", out));
    EXPECT_FALSE(cu::make_normalized_number(nullptr, out));
    EXPECT_EQ("kept", out);
}

TEST(PhoneNumberText, ScreenReaderSpellingSeparatesDigits) {
    std::string out = ">";
    cu::make_phonenumber_text_for_tts("+1 (23)4-x", out);
    EXPECT_EQ(">+1   2 3  4  x", out);
}

std::string crToNl(const char* text) {
    std::unique_ptr<char, decltype(&std::free)> converted(cu::convert_cr_to_nl(text), &std::free);
    return converted ? converted.get() : "<null>";
}

TEST(TextMarks, CarriageReturnsBecomeLineFeedsUnlessPaired) {
    EXPECT_EQ("a\nb", crToNl("a\rb"));
    EXPECT_EQ("a\r\nb", crToNl("a\r\nb"));
    EXPECT_EQ("a\n\r\nb\n", crToNl("a\r\r\nb\r"));
    EXPECT_EQ("", crToNl(""));
    EXPECT_EQ("<null>", crToNl(nullptr));
}

TEST(TextMarks, LtrMarksRoundTrip) {
    const std::string original = "שלום 123";
    std::string text = original;
    cu::add_ltr_mark(text);
    EXPECT_TRUE(cu::has_ltr_prefix(text.c_str()));
    EXPECT_EQ("\xE2\x80\x8E" + original + "\xE2\x80\xAC", text);
    cu::del_ltr_mark(text);
    EXPECT_EQ(original, text);
    EXPECT_FALSE(cu::has_ltr_prefix(text.c_str()));
    EXPECT_FALSE(cu::has_ltr_prefix(nullptr));
    EXPECT_FALSE(cu::has_ltr_prefix("\xE2\x80"));
}

TEST(TextMarks, DeleteCutsAtTheFirstEndMarkAndKeepsUnmarkedText) {
    std::string text = "abc";
    cu::del_ltr_mark(text);
    EXPECT_EQ("abc", text);
    text = "x\xE2\x80\xACy\xE2\x80\xACz";
    cu::del_ltr_mark(text);
    EXPECT_EQ("x", text);
    // The left-to-right mark is removed only at the front.
    text = "a\xE2\x80\x8E";
    cu::del_ltr_mark(text);
    EXPECT_EQ("a\xE2\x80\x8E", text);
}

TEST(WebLinks, PrefixMatchSkipsOnlyALeadingScheme) {
    EXPECT_TRUE(cu::is_google_map_url_match("https://www.google.com/maps/place/Seoul"));
    EXPECT_TRUE(cu::is_google_map_url_match("www.google.com/maps?q=37.5,127.0"));
    EXPECT_FALSE(cu::is_google_map_url_match("https://www.google.com/search?q=maps"));
    EXPECT_FALSE(cu::is_google_map_url_match("https://evil.example/?u=https://www.google.com/maps"));
    EXPECT_FALSE(cu::is_google_map_url_match(nullptr));

    msg_test::LogCapture log;
    EXPECT_FALSE(cu::is_url_prefix_match("https://", "www"));
    EXPECT_TRUE(log.contains("has no host info."));
    EXPECT_FALSE(cu::is_url_prefix_match("x", nullptr));
}

TEST(WebLinks, StoreDetailLinks) {
    EXPECT_TRUE(cu::is_hulm_app_url_match("http://apps.vorlane.com/hulm/appDetail.as?appId=000000123"));
    EXPECT_TRUE(cu::is_hulm_app_url_match("apps.vorlane.com/hulm/appDetail.as?appId=abc"));
    EXPECT_FALSE(cu::is_hulm_app_url_match("http://apps.vorlane.com/hulm/appList.as"));
}

TEST(WebLinks, GlympseLinksMatchWhole) {
    EXPECT_TRUE(cu::is_glympse_url_match("https://glympse.com/AB12-CD3"));
    EXPECT_TRUE(cu::is_glympse_url_match("http://glympse.com/ab-12345"));
    EXPECT_FALSE(cu::is_glympse_url_match("glympse.com/AB12-CD3"));
    EXPECT_FALSE(cu::is_glympse_url_match("https://glympse.com/A-CD3"));
    EXPECT_FALSE(cu::is_glympse_url_match("https://glympse.com/AB12-CD3456"));
    EXPECT_FALSE(cu::is_glympse_url_match("https://glympse.com/AB12-CD3/"));
    EXPECT_FALSE(cu::is_glympse_url_match("https://glympseXcom/AB12-CD3"));
    EXPECT_FALSE(cu::is_glympse_url_match("ftp://glympse.com/AB12-CD3"));
    EXPECT_FALSE(cu::is_glympse_url_match(nullptr));
}

TEST(WebLinks, HereMapShareLinksMatchWhole) {
    EXPECT_TRUE(cu::is_here_map_url_match("https://share.here.com/l/52.5308,13.3847"));
    EXPECT_TRUE(cu::is_here_map_url_match("share.here.com/l/52,13"));
    EXPECT_FALSE(cu::is_here_map_url_match("https://share.here.com/l/52.5308"));
    EXPECT_FALSE(cu::is_here_map_url_match("https://share.here.com/l/52.5,13.3?z=9"));
    EXPECT_FALSE(cu::is_here_map_url_match("https://share.here.com/p/52.5,13.3"));
    EXPECT_FALSE(cu::is_here_map_url_match("https://share.here.com/l/-52.5,13.3"));

    msg_test::LogCapture log;
    EXPECT_FALSE(cu::is_here_map_url_match(nullptr));
    EXPECT_TRUE(log.contains("cutlinkText is nullptr"));
}

TEST(WebLinks, OverlongTextIsRefusedWithoutCrashing) {
    std::string huge = "https://share.here.com/l/" + std::string(200000, '1') + ",2";
    EXPECT_FALSE(cu::is_here_map_url_match(huge.c_str()));
    std::string glympse = "https://glympse.com/" + std::string(200000, 'A');
    EXPECT_FALSE(cu::is_glympse_url_match(glympse.c_str()));
}

} // namespace
