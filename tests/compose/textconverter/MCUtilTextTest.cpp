// Measuring a text against the SMS and MMS limits, and cutting it into pages.
#include "compose/MCUtil.h"
#include "compose/textconverter/MsgTextConvert.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

using namespace msg_app::compose;

namespace {

std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
}

// Whether the text could be measured in the mode; its size, segment size and type.
std::tuple<bool, unsigned, unsigned, int> measure(const std::string& text, unsigned char mode) {
    unsigned size = 0, segment = 0;
    unsigned char type = 0xFF;
    bool ok = MCUtil::CalculateTextLength(text.c_str(), mode, &size, &segment, &type);
    return {ok, size, segment, type};
}

// Whether the text is over the SMS limit; by how much, its size and the limit.
std::tuple<bool, int, int, int> smsLimit(std::string text, bool reduced = false) {
    int overCount = -1, size = -1, limit = -1;
    bool over = MCUtil::isTextOverSmsLimit(&text[0], &overCount, &size, &limit, reduced);
    return {over, overCount, size, limit};
}

TEST(MCUtilTextLength, SizeSegmentAndTypeByMode) {
    const struct {
        std::string text;
        unsigned char mode;
        unsigned size, segment;
        int type;
    } cases[] = {
        {"€", MSG_ENCODE_AUTO, 2, 160, MSG_ENCODE_GSM7BIT},
        {repeat("a", 161), MSG_ENCODE_AUTO, 161, 153, MSG_ENCODE_GSM7BIT},
        {repeat("한", 71), MSG_ENCODE_AUTO, 142, 134, MSG_ENCODE_UCS2},
        // A national table adds its header to every segment.
        {"ç", MSG_ENCODE_GSM7BIT, 2, 155, MSG_ENCODE_GSM7BIT},
        // 156 septets and a 3-octet header no longer fit one SMS.
        {"ç" + repeat("a", 156), MSG_ENCODE_GSM7BIT, 158, 149, MSG_ENCODE_GSM7BIT},
        {"ő", MSG_ENCODE_GSM7BIT, 1, 160, MSG_ENCODE_GSM7BIT_ABNORMAL},
        {repeat("a", 71), MSG_ENCODE_UCS2, 142, 134, MSG_ENCODE_UCS2},
        {"\U0001F600", MSG_ENCODE_UCS2, 4, 140, MSG_ENCODE_UCS2},
        {std::string(1 << 20, 'a'), MSG_ENCODE_AUTO, 1u << 20, 153, MSG_ENCODE_GSM7BIT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(measure(c.text, c.mode), std::make_tuple(true, c.size, c.segment, c.type))
            << c.text.substr(0, 8) << " mode " << int(c.mode);

    // Unmeasurable text, an unknown mode and a missing argument are refused.
    for (unsigned char mode : {MSG_ENCODE_AUTO, MSG_ENCODE_GSM7BIT, MSG_ENCODE_UCS2})
        EXPECT_FALSE(std::get<0>(measure("a\xFF", mode))) << int(mode);
    EXPECT_FALSE(std::get<0>(measure("a", 1)));
    char text[] = "abc";
    int size = -1;
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, 7, &size, nullptr), 3);
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(MCUtil::CalculateTextLength(nullptr, 3, nullptr, nullptr, nullptr));
    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(nullptr, nullptr, nullptr, nullptr, false));
}

TEST(MCUtilTextLength, SmsAndMmsLimits) {
    const struct {
        std::string text;
        bool reduced;
        std::tuple<bool, int, int, int> expected;
    } cases[] = {
        {repeat("a", 160), false, {false, -1, 160, 160}},
        {repeat("a", 161), false, {true, 1, 161, 160}},
        {repeat("한", 71), false, {true, 1, 71, 70}},
        // National-table letters are not in the default alphabet: the text counts as UCS-2.
        {repeat("ğ", 70), false, {false, -1, 70, 70}},
        // Escape pairs count twice.
        {repeat("€", 81), false, {true, 2, 162, 160}},
        // The reduced limit counts UCS-2 in bytes.
        {repeat("한", 71), true, {true, 2, 142, 140}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, smsLimit(c.text, c.reduced))
            << c.text.substr(0, 6) << (c.reduced ? " reduced" : "");
    char text[] = "abc";
    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(text, nullptr, nullptr, nullptr, false));
    // The MMS limit: a lead byte at the very end is one character; nothing behind the NUL is read.
    std::string truncated = repeat("a", 1000) + "\xF0";
    int overCount = -1;
    EXPECT_TRUE(MCUtil::isTextOverMmsLimit(&truncated[0], &overCount, nullptr, nullptr, false));
    EXPECT_EQ(overCount, 1);
}

std::vector<std::string> smsPages(std::string text, bool reduced = false) {
    std::vector<std::string> pages;
    MCUtil::getSmsSizeTextList(pages, text, reduced);
    return pages;
}

std::vector<size_t> charCounts(const std::vector<std::string>& pages) {
    std::vector<size_t> counts;
    for (const auto& page : pages)
        counts.push_back(static_cast<size_t>(g_utf8_strlen(page.c_str(), static_cast<gssize>(page.size()))));
    return counts;
}

std::string joined(const std::vector<std::string>& pages) {
    std::string all;
    for (const auto& page : pages)
        all += page;
    return all;
}

// Full pages are cut where they fill, no character is cut, and invalid bytes are shown, not lost.
TEST(MCUtilSmsPages, PagesAreCutWhereTheyFillBetweenCharacters) {
    using Pages = std::vector<std::string>;
    EXPECT_TRUE(smsPages("").empty());
    EXPECT_EQ(charCounts(smsPages(repeat("a", 321))), (std::vector<size_t>{160, 160, 1}));
    EXPECT_EQ(charCounts(smsPages(repeat("a", 300), true)), (std::vector<size_t>{140, 140, 20}));
    // A UCS-2 text takes 140 bytes a page even with the reduced limit.
    EXPECT_EQ(charCounts(smsPages(repeat("한", 141), true)), (std::vector<size_t>{70, 70, 1}));
    EXPECT_EQ(smsPages(repeat("한", 69) + "\U0001F600"), (Pages{repeat("한", 69), "\U0001F600"}));
    EXPECT_EQ(smsPages(repeat("a", 159) + "€b"), (Pages{repeat("a", 159), "€b"}));
    EXPECT_EQ(smsPages(std::string("ab\xFF\0cd", 6)), Pages{"ab\uFFFD\uFFFDcd"});
}

// Random texts of every kind of character: the pages give back the text, each
// is non-empty, valid UTF-8 and within one SMS.
TEST(MCUtilSmsPages, PagesAlwaysRebuildTheTextWithinTheLimit) {
    const std::vector<std::string> pieces = {"a", " ", "€", "{", "é", "ç", "한", "\U0001F600", "\n"};
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        const bool reduced = round % 2 == 1;
        const bool gsmOnly = round % 3 == 0;
        std::string text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % (gsmOnly ? 5 : pieces.size())];

        std::vector<std::string> pages = smsPages(text, reduced);
        ASSERT_EQ(joined(pages), text);
        for (auto& page : pages) {
            ASSERT_FALSE(page.empty());
            ASSERT_TRUE(g_utf8_validate(page.c_str(), static_cast<gssize>(page.size()), nullptr));
            int size = 0;
            int type = MCUtil::getEncodedTextSize(&page[0], 3, &size, nullptr);
            const int limit = type == 2 ? 140 : (reduced ? 140 : 160);
            ASSERT_LE(size, limit) << "page: " << page;
        }
    }
}

TEST(MCUtilMmsPages, ThousandCharacterPagesAndAnSmsRest) {
    const struct {
        std::string text;
        bool reduced;
        int sms, mms;
        std::vector<size_t> chars;
    } cases[] = {
        {"", false, 0, 0, {}},
        {repeat("a", 2100), false, 1, 2, {1000, 1000, 100}},
        // The rest of 51 characters (52 UTF-16 units) fits one UCS-2 SMS.
        {repeat("한", 1050) + "\U0001F600", false, 1, 1, {1000, 51}},
        {repeat("한", 1071), false, 0, 2, {1000, 71}},
        // With the reduced limit, 140 bytes still fit one SMS and 142 do not.
        {repeat("한", 70), true, 1, 0, {70}},
        {repeat("한", 71), true, 0, 1, {71}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.text.size()) + (c.reduced ? " bytes, reduced" : " bytes"));
        std::string text = c.text;
        int sms = -1, mms = -1;
        std::vector<std::string> pages;
        MCUtil::getMmsSizeTextList(text, &sms, &mms, c.reduced, &pages);
        EXPECT_EQ(std::make_tuple(sms, mms, charCounts(pages)), std::make_tuple(c.sms, c.mms, c.chars));
        EXPECT_EQ(joined(pages), c.text);
    }
    // Counting alone, over a text that ends inside a character.
    std::string text = repeat("a", 1200) + "\xC3";
    int mms = -1;
    MCUtil::getMmsSizeTextList(text, nullptr, &mms, false, nullptr);
    EXPECT_EQ(mms, 2);
}

} // namespace
