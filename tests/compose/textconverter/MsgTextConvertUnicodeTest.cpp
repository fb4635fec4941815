#include "compose/textconverter/MsgTextConvert.h"

#include "TextTestUtil.h"

#include <gtest/gtest.h>

using msg_app::compose::MsgTextConvert;
using namespace text_test;

namespace {

MsgTextConvert* conv() {
    return MsgTextConvert::instance();
}

TEST(MsgTextConvertUnicode, Utf8ToUcs2EncodesBmpAndSurrogatePairs) {
    const std::string text = u8"Hé€\U0001F600";
    Bytes out(32);
    int n =
        conv()->convertUTF8ToUCS2(out.data(), 32, reinterpret_cast<const unsigned char*>(text.c_str()), -1);
    ASSERT_EQ(n, 10);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + n), ucs2(u"Hé€\U0001F600"));

    // An explicit length stops before the rest of the text.
    n = conv()->convertUTF8ToUCS2(out.data(), 32, reinterpret_cast<const unsigned char*>(text.c_str()), 1);
    EXPECT_EQ(n, 2);
}

TEST(MsgTextConvertUnicode, Utf8ToUcs2FailsOnBadInput) {
    Bytes out(8);
    const unsigned char ok[] = "ab";
    EXPECT_EQ(conv()->convertUTF8ToUCS2(nullptr, 8, ok, 2), -1);
    EXPECT_EQ(conv()->convertUTF8ToUCS2(out.data(), 0, ok, 2), -1);

    const unsigned char invalid[] = {'a', 0xFF, 'b'};
    EXPECT_EQ(conv()->convertUTF8ToUCS2(out.data(), 8, invalid, 3), -1);

    // A destination too small for the text fails instead of cutting it.
    Bytes small(3, 0xAA);
    EXPECT_EQ(conv()->convertUTF8ToUCS2(small.data(), 2, ok, 2), -1);
    EXPECT_EQ(small[2], 0xAA);
}

TEST(MsgTextConvertUnicode, Ucs2ToUtf8RoundTripsAndTerminates) {
    const Bytes src = ucs2(u"Grüße 한글 \U0001F600");
    Bytes out(64, 0xAA);
    int n = conv()->convertUCS2ToUTF8(out.data(), 64, src.data(), static_cast<int>(src.size()));
    EXPECT_EQ(str(out, n), u8"Grüße 한글 \U0001F600");
    EXPECT_EQ(out[n], 0);

    // The NUL is kept within destSize: the output is cut instead.
    Bytes exact(4, 0xAA);
    const Bytes abcd = ucs2(u"abcd");
    n = conv()->convertUCS2ToUTF8(exact.data(), 4, abcd.data(), 8);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(str(exact, 4), std::string("abc\0", 4));

    // Nothing to convert or nowhere to write leaves an empty text.
    out.assign(4, 0xAA);
    EXPECT_EQ(conv()->convertUCS2ToUTF8(out.data(), 4, abcd.data(), 0), 0);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(conv()->convertUCS2ToUTF8(out.data(), 4, nullptr, 2), 0);
    EXPECT_EQ(conv()->convertUCS2ToUTF8(nullptr, 4, abcd.data(), 2), 0);
}

TEST(MsgTextConvertUnicode, Ucs2ToUtf8KeepsTextAroundBrokenUnits) {
    Bytes out(64);
    // A low surrogate with no high one, as when a pair was split between segments.
    Bytes src = ucs2(u"a");
    src.push_back(0xDC);
    src.push_back(0x00);
    Bytes tail = ucs2(u"bc");
    src.insert(src.end(), tail.begin(), tail.end());
    int n = conv()->convertUCS2ToUTF8(out.data(), 64, src.data(), static_cast<int>(src.size()));
    EXPECT_EQ(str(out, n), u8"a\uFFFDbc");

    // An odd length or a high surrogate at the end drops only that last unit.
    Bytes odd = ucs2(u"xy");
    odd.pop_back();
    n = conv()->convertUCS2ToUTF8(out.data(), 64, odd.data(), static_cast<int>(odd.size()));
    EXPECT_EQ(str(out, n), "x");
    Bytes half = ucs2(u"z");
    half.push_back(0xD8);
    half.push_back(0x3D);
    n = conv()->convertUCS2ToUTF8(out.data(), 64, half.data(), static_cast<int>(half.size()));
    EXPECT_EQ(str(out, n), "z");
}

TEST(MsgTextConvertUnicode, EucKrAndShiftJisToUtf8) {
    Bytes out(32);
    const Bytes hangul = {0xC7, 0xD1, 0xB1, 0xDB}; // 한글
    int n = conv()->convertEUCKRToUTF8(out.data(), 32, hangul.data(), 4);
    EXPECT_EQ(str(out, n), u8"한글");
    EXPECT_EQ(out[n], 0);

    const Bytes nihon = {0x93, 0xFA, 0x96, 0x7B, 'A'}; // 日本A
    n = conv()->convertSHIFTJISToUTF8(out.data(), 32, nihon.data(), 5);
    EXPECT_EQ(str(out, n), u8"日本A");

    // A stray byte is shown as U+FFFD and the rest survives.
    const Bytes stray = {'a', 0xFF, 'b'};
    n = conv()->convertEUCKRToUTF8(out.data(), 32, stray.data(), 3);
    EXPECT_EQ(str(out, n), u8"a\uFFFDb");
    EXPECT_EQ(conv()->convertEUCKRToUTF8(out.data(), 32, hangul.data(), 0), 0);
    EXPECT_EQ(conv()->convertSHIFTJISToUTF8(nullptr, 32, nihon.data(), 5), 0);
}

TEST(MsgTextConvertUnicode, Ucs2ToAscii) {
    Bytes out(8);
    bool unknown = false;
    const Bytes hi = ucs2(u"Hi!");
    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 8, hi.data(), 6, &unknown), 3);
    EXPECT_EQ(str(out, 3), "Hi!");
    EXPECT_FALSE(unknown);

    // The destination or an odd source length ends the copy.
    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 2, hi.data(), 6, &unknown), 2);
    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 8, hi.data(), 5, &unknown), 2);

    const Bytes accented = ucs2(u"Hé");
    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 8, accented.data(), 4, &unknown), 0);
    EXPECT_TRUE(unknown);

    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 8, hi.data(), 6, nullptr), -1);
    EXPECT_EQ(conv()->convertUCS2ToASCII(out.data(), 0, hi.data(), 6, &unknown), -1);
}

} // namespace
