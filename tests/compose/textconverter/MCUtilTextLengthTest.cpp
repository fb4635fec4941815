#include "compose/MCUtil.h"
#include "compose/textconverter/MsgTextConvert.h"

#include "LogCapture.h"
#include "TextTestUtil.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;
using msg_test::LogCapture;
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

TEST(MCUtilTextLength, GuardsLogTheMissingArgument) {
    LogCapture capture;
    unsigned int size = 0;
    unsigned int segment = 0;
    unsigned char type = 0;
    EXPECT_FALSE(MCUtil::CalculateTextLength(nullptr, 3, &size, &segment, &type));
    EXPECT_FALSE(MCUtil::CalculateTextLength("a", 3, nullptr, &segment, &type));
    EXPECT_FALSE(MCUtil::CalculateTextLength("a", 3, &size, nullptr, &type));
    EXPECT_TRUE(capture.contains("[(!msgText)] Return value : 0, message : msgText is nullptr"));
    EXPECT_TRUE(capture.contains("[(!outTextSize)] Return value : 0, message : outTextSize is nullptr"));
    EXPECT_TRUE(capture.contains("[(!segmentSize)] Return value : 0, message : segmentSize is nullptr"));

    int encoded = 0;
    char text[] = "a";
    EXPECT_EQ(MCUtil::getEncodedTextSize(nullptr, 3, &encoded, nullptr), 3);
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, 3, nullptr, nullptr), 3);
    EXPECT_TRUE(capture.contains("[(!text)] Return value : 3, message : text is nullptr"));
    EXPECT_TRUE(
        capture.contains("[(!encodedTextSize)] Return value : 3, message : encodedTextSize is nullptr"));

    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(nullptr, nullptr, nullptr, nullptr, false));
    EXPECT_FALSE(MCUtil::isTextOverMmsLimit(nullptr, nullptr, nullptr, nullptr, false));
    EXPECT_EQ(capture.count("[(!text)] Return value : 0, message : text is nullptr"), 2);
}

TEST(MCUtilTextLength, AutomaticChoiceMeasuresGsmOrUcs2) {
    Measure e = measure("é", MSG_ENCODE_AUTO);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.size, 1u);
    EXPECT_EQ(e.type, MSG_ENCODE_GSM7BIT);
    EXPECT_EQ(e.segment, 160u);

    EXPECT_EQ(measure("€", MSG_ENCODE_AUTO).size, 2u);

    Measure mixed = measure("aç", MSG_ENCODE_AUTO);
    EXPECT_EQ(mixed.type, MSG_ENCODE_UCS2);
    EXPECT_EQ(mixed.size, 4u);
    EXPECT_EQ(mixed.segment, 140u);

    EXPECT_EQ(measure(repeat("a", 160), MSG_ENCODE_AUTO).segment, 160u);
    EXPECT_EQ(measure(repeat("a", 161), MSG_ENCODE_AUTO).segment, 153u);
    EXPECT_EQ(measure(repeat("한", 71), MSG_ENCODE_AUTO).segment, 134u);
}

TEST(MCUtilTextLength, GsmModeCountsTheNationalHeader) {
    Measure c = measure("ç", MSG_ENCODE_GSM7BIT);
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.size, 2u);
    EXPECT_EQ(c.segment, 155u);
    EXPECT_EQ(c.type, MSG_ENCODE_GSM7BIT);

    // 156 septets and a 3-octet header no longer fit one SMS.
    Measure longTurkish = measure("ç" + repeat("a", 156), MSG_ENCODE_GSM7BIT);
    EXPECT_EQ(longTurkish.size, 158u);
    EXPECT_EQ(longTurkish.segment, 149u);
    EXPECT_EQ(measure(repeat("a", 161), MSG_ENCODE_GSM7BIT).segment, 153u);

    Measure replaced = measure("ő", MSG_ENCODE_GSM7BIT);
    EXPECT_EQ(replaced.type, MSG_ENCODE_GSM7BIT_ABNORMAL);
    char text[] = "ő";
    int size = 0;
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, MSG_ENCODE_GSM7BIT, &size, nullptr), 1);
    EXPECT_EQ(size, 1);
}

TEST(MCUtilTextLength, Ucs2ModeCountsBytes) {
    Measure m = measure(repeat("a", 70), MSG_ENCODE_UCS2);
    EXPECT_EQ(m.size, 140u);
    EXPECT_EQ(m.segment, 140u);
    EXPECT_EQ(m.type, MSG_ENCODE_UCS2);
    EXPECT_EQ(measure(repeat("a", 71), MSG_ENCODE_UCS2).segment, 134u);
    EXPECT_EQ(measure("\U0001F600", MSG_ENCODE_UCS2).size, 4u);

    char text[] = "abc";
    int size = 0;
    int segment = 0;
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, MSG_ENCODE_UCS2, &size, &segment), MSG_ENCODE_UCS2);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(segment, 140);
}

TEST(MCUtilTextLength, UnmeasurableTextIsRefused) {
    LogCapture capture;
    EXPECT_FALSE(measure("a\xFF", MSG_ENCODE_AUTO).ok);
    EXPECT_TRUE(capture.contains("Unsupported encode type. msgEncodeTypeTo : 3, encodeType : 1"));
    EXPECT_FALSE(measure("a\xFF", MSG_ENCODE_GSM7BIT).ok);
    EXPECT_FALSE(measure("a\xFF", MSG_ENCODE_UCS2).ok);
    EXPECT_FALSE(measure("a", 1).ok);

    char text[] = "abc";
    int size = -1;
    EXPECT_EQ(MCUtil::getEncodedTextSize(text, 7, &size, nullptr), 3);
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(capture.contains("CalculateTextLength is error."));
    EXPECT_TRUE(capture.contains("unsupported encode mode 7"));
}

TEST(MCUtilTextLength, SmsLimits) {
    SmsLimit empty = smsLimit("");
    EXPECT_FALSE(empty.over);
    EXPECT_EQ(empty.size, 0);
    EXPECT_EQ(empty.limit, 160);

    SmsLimit full = smsLimit(repeat("a", 160));
    EXPECT_FALSE(full.over);
    EXPECT_EQ(full.overCount, -1);
    SmsLimit over = smsLimit(repeat("a", 161));
    EXPECT_TRUE(over.over);
    EXPECT_EQ(over.overCount, 1);

    SmsLimit korean = smsLimit(repeat("한", 71));
    EXPECT_TRUE(korean.over);
    EXPECT_EQ(korean.size, 71);
    EXPECT_EQ(korean.limit, 70);
    EXPECT_EQ(korean.overCount, 1);
    // Escape pairs count twice.
    EXPECT_EQ(smsLimit(repeat("€", 81)).overCount, 2);

    SmsLimit reducedAscii = smsLimit(repeat("a", 141), true);
    EXPECT_EQ(reducedAscii.limit, 140);
    EXPECT_EQ(reducedAscii.overCount, 1);
    SmsLimit reducedKorean = smsLimit(repeat("한", 71), true);
    EXPECT_EQ(reducedKorean.size, 142);
    EXPECT_EQ(reducedKorean.overCount, 2);

    char text[] = "abc";
    EXPECT_FALSE(MCUtil::isTextOverSmsLimit(text, nullptr, nullptr, nullptr, false));
}

TEST(MCUtilTextLength, MmsLimitCountsCharacters) {
    std::string thousand = repeat("한", 1000);
    int overCount = -1;
    EXPECT_FALSE(MCUtil::isTextOverMmsLimit(&thousand[0], &overCount, nullptr, nullptr, false));
    EXPECT_EQ(overCount, -1);
    std::string more = repeat("a", 1002);
    EXPECT_TRUE(MCUtil::isTextOverMmsLimit(&more[0], &overCount, nullptr, nullptr, false));
    EXPECT_EQ(overCount, 2);

    // A lead byte at the very end is one character; nothing behind the NUL is read.
    std::string truncated = repeat("a", 1000) + "\xF0";
    EXPECT_TRUE(MCUtil::isTextOverMmsLimit(&truncated[0], &overCount, nullptr, nullptr, false));
    EXPECT_EQ(overCount, 1);
}

TEST(MCUtilTextLength, MegabyteTextIsMeasured) {
    const std::string ascii(1 << 20, 'a');
    Measure m = measure(ascii, MSG_ENCODE_AUTO);
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.size, 1u << 20);
    EXPECT_EQ(m.segment, 153u);

    Measure gsm = measure(ascii, MSG_ENCODE_GSM7BIT);
    EXPECT_EQ(gsm.size, 1u << 20);

    const std::string korean = repeat("한", 350000);
    Measure k = measure(korean, MSG_ENCODE_AUTO);
    EXPECT_EQ(k.type, MSG_ENCODE_UCS2);
    EXPECT_EQ(k.size, 700000u);
}

} // namespace
