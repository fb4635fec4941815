#include "compose/MCUtil.h"
#include "compose/textconverter/MsgTextConvert.h"

#include "TextTestUtil.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;
using text_test::repeat;

namespace {

struct Measure {
    bool ok = false;
    unsigned int size = 0;
    unsigned int segment = 0;
    unsigned char type = 0xFF;
};

Measure measure(const std::string& text, unsigned char mode) {
    Measure m;
    m.ok = MCUtil::CalculateTextLength(text.c_str(), mode, &m.size, &m.segment, &m.type);
    return m;
}

struct SmsLimit {
    bool over = false;
    int overCount = -1;
    int size = -1;
    int limit = -1;
};

SmsLimit smsLimit(std::string text, bool reduced = false) {
    SmsLimit r;
    r.over = MCUtil::isTextOverSmsLimit(&text[0], &r.overCount, &r.size, &r.limit, reduced);
    return r;
}

TEST(MCUtilTextLength, SizeSegmentAndTypeByMode) {
    struct {
        std::string text;
        unsigned char mode;
        unsigned int size;
        unsigned int segment;
        unsigned char type;
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8) + " mode " + std::to_string(c.mode));
        Measure m = measure(c.text, c.mode);
        EXPECT_TRUE(m.ok);
        EXPECT_EQ(m.size, c.size);
        EXPECT_EQ(m.segment, c.segment);
        EXPECT_EQ(m.type, c.type);
    }

    // Unmeasurable text, an unknown mode and a missing argument are refused.
    for (unsigned char mode : {MSG_ENCODE_AUTO, MSG_ENCODE_GSM7BIT, MSG_ENCODE_UCS2})
        EXPECT_FALSE(measure("a\xFF", mode).ok) << int(mode);
    EXPECT_FALSE(measure("a", 1).ok);
    char text[] = "abc";
    int size = -1;
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, 7, &size, nullptr), 3);
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(MCUtil::CalculateTextLength(nullptr, 3, nullptr, nullptr, nullptr));
    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(nullptr, nullptr, nullptr, nullptr, false));
}

TEST(MCUtilTextLength, SmsLimits) {
    const struct {
        std::string text;
        bool reduced;
        SmsLimit expected;
    } cases[] = {
        {repeat("a", 160), false, {false, -1, 160, 160}},
        {repeat("a", 161), false, {true, 1, 161, 160}},
        {repeat("한", 71), false, {true, 1, 71, 70}},
        // Escape pairs count twice.
        {repeat("€", 81), false, {true, 2, 162, 160}},
        // The reduced limit counts UCS-2 in bytes.
        {repeat("한", 71), true, {true, 2, 142, 140}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 6) + (c.reduced ? " reduced" : ""));
        SmsLimit got = smsLimit(c.text, c.reduced);
        EXPECT_EQ(c.expected.over, got.over);
        EXPECT_EQ(c.expected.overCount, got.overCount);
        EXPECT_EQ(c.expected.size, got.size);
        EXPECT_EQ(c.expected.limit, got.limit);
    }
    char text[] = "abc";
    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(text, nullptr, nullptr, nullptr, false));
}

// A lead byte at the very end is one character; nothing behind the NUL is read.
TEST(MCUtilTextLength, MmsLimitCountsCharactersUpToTheEnd) {
    std::string truncated = repeat("a", 1000) + "\xF0";
    int overCount = -1;
    EXPECT_TRUE(MCUtil::isTextOverMmsLimit(&truncated[0], &overCount, nullptr, nullptr, false));
    EXPECT_EQ(overCount, 1);
}

TEST(MCUtilTextLength, MegabyteTextIsMeasured) {
    const std::string ascii(1 << 20, 'a');
    Measure m = measure(ascii, MSG_ENCODE_AUTO);
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.size, 1u << 20);
    EXPECT_EQ(m.segment, 153u);
}

} // namespace
