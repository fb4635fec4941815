#include "common/CommonUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace cu = msg_app::common_util;

namespace {

TEST(PhoneNumberText, LengthAndCharacterRules) {
    const std::string longest(40, '5'), tooLong(41, '5'), plusTooLong = "+" + longest;
    const struct {
        const char* text;
        bool number;
    } cases[] = {
        // The length limit counts the whole text, plus included.
        {"+12", true},
        {longest.c_str(), true},
        {tooLong.c_str(), false},
        {plusTooLong.c_str(), false},
        {"*31#0101234", true},
        {"010-CALL-NOW", false},
        {"++123", false},
        {"０１２３", false}, // full-width digits are not ASCII digits
        {nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? std::string(c.text).substr(0, 45) : "(null)");
        EXPECT_EQ(c.number, cu::is_phone_number(c.text));
    }
}

TEST(PhoneNumberText, NormalizedNumberKeepsDialCharactersOnly) {
    // Without separators the number is kept as it is, letters included; null: refused.
    const std::pair<const char*, const char*> cases[] = {
        {"+1 (415) 555-0123", "+14155550123"},
        {"02.555/01#*x", "0255501#*"},
        {"VOICEMAIL", "VOICEMAIL"},
        {"", nullptr},
        {nullptr, nullptr},
    };
    for (const auto& [number, normalized] : cases) {
        std::string out = "kept";
        EXPECT_EQ(normalized != nullptr, cu::make_normalized_number(number, out))
            << (number ? number : "(null)");
        EXPECT_EQ(normalized ? normalized : "kept", out);
    }
    std::string out = ">";
    cu::make_phonenumber_text_for_tts("+1 (23)4-x", out);
    EXPECT_EQ(">+1   2 3  4  x", out) << "the screen reader spells the digits one by one";
}

std::string crToNl(const char* text) {
    std::unique_ptr<char, decltype(&std::free)> converted(cu::convert_cr_to_nl(text), &std::free);
    return converted ? converted.get() : "<null>";
}

TEST(TextMarks, CarriageReturnsAndLeftToRightMarks) {
    EXPECT_EQ("a\n\r\nb\n", crToNl("a\r\r\nb\r")) << "a carriage return stays only before a line feed";
    EXPECT_EQ("", crToNl(""));
    EXPECT_EQ("<null>", crToNl(nullptr));

    const std::string original = "שלום 123";
    std::string text = original;
    cu::add_ltr_mark(text);
    EXPECT_TRUE(cu::has_ltr_prefix(text.c_str()));
    EXPECT_EQ("\xE2\x80\x8E" + original + "\xE2\x80\xAC", text);
    cu::del_ltr_mark(text);
    EXPECT_EQ(original, text);
    EXPECT_FALSE(cu::has_ltr_prefix(text.c_str()));
    EXPECT_FALSE(cu::has_ltr_prefix("\xE2\x80"));
    // Deleting cuts at the first end mark; a left-to-right mark goes only at the front.
    const std::pair<const char*, const char*> deletions[] = {
        {"abc", "abc"}, {"x\xE2\x80\xACy\xE2\x80\xACz", "x"}, {"a\xE2\x80\x8E", "a\xE2\x80\x8E"}};
    for (const auto& [marked, left] : deletions) {
        text = marked;
        cu::del_ltr_mark(text);
        EXPECT_EQ(left, text);
    }
}

TEST(WebLinks, EachKindMatchesOnlyItsWholeLink) {
    const std::string longHere = "https://share.here.com/l/" + std::string(200000, '1') + ",2";
    const std::string longGlympse = "https://glympse.com/" + std::string(200000, 'A');
    const auto google = cu::is_google_map_url_match;
    const auto store = cu::is_hulm_app_url_match;
    const auto glympse = cu::is_glympse_url_match;
    const auto here = cu::is_here_map_url_match;
    const struct {
        bool (*match)(const char*);
        const char* url;
        bool matches;
    } cases[] = {
        {google, "https://www.google.com/maps/place/Seoul", true},
        {google, "https://www.google.com/search?q=maps", false},
        {google, "https://evil.example/?u=https://www.google.com/maps", false},
        {store, "http://apps.vorlane.com/hulm/appDetail.as?appId=000000123", true},
        {store, "http://apps.vorlane.com/hulm/appList.as", false},
        {glympse, "https://glympse.com/AB12-CD3", true},
        {glympse, "glympse.com/AB12-CD3", false},
        {glympse, "https://glympse.com/AB12-CD3456", false},
        {glympse, "https://glympse.com/AB12-CD3/", false},
        {glympse, "ftp://glympse.com/AB12-CD3", false},
        {glympse, longGlympse.c_str(), false},
        {here, "https://share.here.com/l/52.5308,13.3847", true},
        {here, "https://share.here.com/l/52.5308", false},
        {here, "https://share.here.com/l/52.5,13.3?z=9", true},
        {here, "https://share.here.com/l/-52.5,-13.3", true},
        {here, "https://share.here.com/l/52.5,13.3?z=9 and more", false},
        {here, "https://share.here.com/l/--52.5,13.3", false},
        {here, longHere.c_str(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url ? std::string(c.url).substr(0, 60) : "(null)");
        EXPECT_EQ(c.matches, c.match(c.url));
    }

    EXPECT_FALSE(cu::is_url_prefix_match("https://", "www")) << "no host";
    EXPECT_FALSE(cu::is_url_prefix_match("x", nullptr));
}

} // namespace
