#include "compose/MCUtil.h"

#include "TextTestUtil.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <random>

using msg_app::compose::MCUtil;
using text_test::repeat;

namespace {

std::vector<std::string> smsPages(std::string text, bool reduced = false) {
    std::vector<std::string> pages;
    MCUtil::getSmsSizeTextList(pages, text, reduced);
    return pages;
}

struct MmsSplit {
    int sms = -1;
    int mms = -1;
    std::vector<std::string> pages;
};

MmsSplit mmsSplit(std::string text, bool reduced = false) {
    MmsSplit s;
    MCUtil::getMmsSizeTextList(text, &s.sms, &s.mms, reduced, &s.pages);
    return s;
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

TEST(MCUtilSmsPages, FullPagesAreCutWhereTheyFill) {
    EXPECT_TRUE(smsPages("").empty());
    EXPECT_EQ(charCounts(smsPages(repeat("a", 321))), (std::vector<size_t>{160, 160, 1}));
    EXPECT_EQ(charCounts(smsPages(repeat("a", 300), true)), (std::vector<size_t>{140, 140, 20}));
    // A UCS-2 text takes 140 bytes a page even with the reduced limit.
    EXPECT_EQ(charCounts(smsPages(repeat("한", 141), true)), (std::vector<size_t>{70, 70, 1}));
}

TEST(MCUtilSmsPages, NoCharacterIsCutAndInvalidBytesAreShownNotLost) {
    using Pages = std::vector<std::string>;
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
    struct {
        std::string text;
        bool reduced;
        int sms;
        int mms;
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
        MmsSplit split = mmsSplit(c.text, c.reduced);
        EXPECT_EQ(split.sms, c.sms);
        EXPECT_EQ(split.mms, c.mms);
        EXPECT_EQ(charCounts(split.pages), c.chars);
        EXPECT_EQ(joined(split.pages), c.text);
    }
}

TEST(MCUtilMmsPages, CountOnlyCall) {
    std::string text = repeat("a", 1200) + "\xC3";
    int mms = -1;
    MCUtil::getMmsSizeTextList(text, nullptr, &mms, false, nullptr);
    EXPECT_EQ(mms, 2);
}

} // namespace
