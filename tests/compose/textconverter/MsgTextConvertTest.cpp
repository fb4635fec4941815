#include "compose/textconverter/MsgTextConvert.h"

#include "TextTestUtil.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;
using namespace text_test;

namespace {

MsgTextConvert* conv() {
    return MsgTextConvert::instance();
}

struct Encoded {
    Bytes septets;
    unsigned char langId = 0xFF;
    bool replaced = false;
};

Encoded encode(const std::u16string& text, int destSize = 64) {
    const Bytes src = ucs2(text);
    Encoded e;
    e.septets.resize(destSize);
    int n = conv()->convertUCS2ToGSM7bit(e.septets.data(), destSize, src.data(), static_cast<int>(src.size()),
                                         &e.langId, &e.replaced);
    e.septets.resize(n < 0 ? 0 : n);
    return e;
}

std::u16string decode(const Bytes& septets, _MSG_LANG_INFO_S info) {
    Bytes out(septets.size() * 2 + 2);
    int n = conv()->convertGSM7bitToUCS2(out.data(), static_cast<int>(out.size()), septets.data(),
                                         static_cast<int>(septets.size()), &info);
    std::u16string text;
    for (int i = 0; i + 1 < n; i += 2)
        text += static_cast<char16_t>((out[i] << 8) | out[i + 1]);
    return text;
}

_MSG_LANG_INFO_S singleShift(unsigned char langId) {
    return {langId != 0, false, langId, 0};
}

TEST(MsgTextConvert, EachConversionsResultTextAndFlag) {
    const std::string grusse = u8"Grüße 한글 \U0001F600";
    checkConversions({
        {"UTF8ToUCS2", bytes(u8"Hé€\U0001F600"), 32, 10, ucs2(u"Hé€\U0001F600"), UNCHECKED, -1},
        // An explicit length stops before the rest of the text.
        {"UTF8ToUCS2", bytes(u8"Hé€"), 32, 2, ucs2(u"H"), UNCHECKED, 1},
        {"UTF8ToUCS2", {'a', 0xFF, 'b'}, 8, -1, {}},
        // A destination too small for the text fails instead of cutting it.
        {"UTF8ToUCS2", bytes("ab"), 2, -1, {}},
        {"UCS2ToUTF8", ucs2(u"Grüße 한글 \U0001F600"), 64, static_cast<int>(grusse.size()), nul(grusse)},
        // The NUL is kept within destSize: the output is cut instead.
        {"UCS2ToUTF8", ucs2(u"abcd"), 4, 3, nul("abc")},
        // A low surrogate with no high one, as when a pair was split between segments.
        {"UCS2ToUTF8",
         ucs2(u"a\xDC00"
              u"bc"),
         64, 6, nul(u8"a\uFFFDbc")},
        // An odd length or a high surrogate at the end drops only that last unit.
        {"UCS2ToUTF8", {0, 'x', 0}, 64, 1, nul("x")},
        {"UCS2ToUTF8", ucs2(u"z\xD83D"), 64, 1, nul("z")},
        {"EUCKRToUTF8", {0xC7, 0xD1, 0xB1, 0xDB}, 32, 6, nul(u8"한글")},
        {"SHIFTJISToUTF8", {0x93, 0xFA, 0x96, 0x7B, 'A'}, 32, 7, nul(u8"日本A")},
        // A stray byte is shown as U+FFFD and the rest survives.
        {"EUCKRToUTF8", {'a', 0xFF, 'b'}, 32, 5, nul(u8"a\uFFFDb")},
        {"UCS2ToASCII", ucs2(u"Hi!"), 8, 3, bytes("Hi!"), false},
        // An odd source length ends the copy.
        {"UCS2ToASCII", {0, 'H', 0, 'i', 0}, 8, 2, bytes("Hi")},
        {"UCS2ToASCII", ucs2(u"Hé"), 8, 0, {}, true},
        // Escape pairs are never cut by the destination.
        {"UCS2ToGSM7bit", ucs2(u"a€"), 2, 1, {0x61, 0xAA}},
        {"UCS2ToGSM7bit", ucs2(u"a€b"), 3, 3, {0x61, 0x1B, 0x65}},
        {"UCS2ToGSM7bit", ucs2(u"a"), 0, -1, {}},
        {"UTF8ToGSM7bit", bytes(u8"İyi ő"), 16, 6, {0x1B, 0x49, 'y', 'i', ' ', 'o'}, true, 0},
        {"UTF8ToGSM7bit", {'a', 0xC3}, 16, -1, {}},
        // The automatic choice takes the default alphabet and its extension only.
        {"UCS2ToGSM7bitAuto", ucs2(u"a€é"), 16, 4, {0x61, 0x1B, 0x65, 0x05}, false},
        {"UCS2ToGSM7bitAuto", ucs2(u"aç"), 16, 0, {}, true},
        {"UTF8ToAuto", bytes(u8"é€"), 16, 3, {0x05, 0x1B, 0x65}, MSG_ENCODE_GSM7BIT},
        {"UTF8ToAuto", bytes(u8"a한"), 16, 4, ucs2(u"a한"), MSG_ENCODE_UCS2},
        {"UTF8ToAuto", {'a', 0xFE, 'b'}, 2, 2, {'a', 0xFE, 0xAA}, MSG_ENCODE_8BIT},
        // A short destination takes whole code units only, never half a pair.
        {"UTF8ToAuto", bytes(u8"中\U0001F600"), 5, 2, ucs2(u"中"), MSG_ENCODE_UCS2},
        // Bytes outside seven bits are no GSM text.
        {"GSM7bitToUCS2", {0x41, 0x80}, 8, -1, {}},
        // Whole characters only: an odd destination leaves its last byte alone.
        {"GSM7bitToUCS2", {0x41}, 3, 2, {0x00, 0x41, 0xAA}},
        {"GSM7bitToUTF8", {0x00, 0x01, 0x1B, 0x65, 0x10}, 16, 8, nul(u8"@£€Δ")},
    });
    // A missing destination or flag refuses the call.
    Bytes out(8);
    const Bytes a = ucs2(u"a");
    EXPECT_EQ(conv()->convertUTF8ToUCS2(nullptr, 8, a.data(), 1), -1);
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 8, a.data(), 2, nullptr), -1);
}

TEST(MsgTextConvert, NationalTableFollowsTheLettersAndUnknownOnesAreReplaced) {
    const unsigned char kAny = 0xFF;
    struct {
        std::u16string text;
        unsigned char langId;
        Bytes septets;
        bool replaced;
    } cases[] = {
        {u"ç", MSG_LANG_ID_TURKISH, {0x1B, 0x63}, false},
        // A Spanish letter first makes ç Portuguese.
        {u"áç", MSG_LANG_ID_PORTUGUESE, {0x1B, 0x0F, 0x1B, 0x09}, false},
        // ç seen before the Spanish letter counted as Turkish: the text goes Spanish, whose table
        // lacks ç.
        {u"çá", MSG_LANG_ID_SPANISH, {'c', 0x1B, 0x61}, true},
        {u"ú{", MSG_LANG_ID_SPANISH, {0x1B, 0x75, 0x1B, 0x28}, false},
        {u"ğ€", kAny, {0x1B, 0x67, 0x1B, 0x65}, false},
        // The caron forms share the codes of the breve forms.
        {u"Ǧǧ", kAny, {0x1B, 0x47, 0x1B, 0x67}, false},
        // The default alphabet and its extension need no national table.
        {u"é@€", MSG_LANG_ID_RESERVED, {0x05, 0x00, 0x1B, 0x65}, false},
        {u"ő", kAny, {'o'}, true},
        {u"a中", kAny, {0x61, '?'}, true},
        // Each half of a surrogate pair is one unknown unit.
        {u"\U0001F600", kAny, {'?', '?'}, true},
        // The language is chosen even when its table lacks a letter of the text.
        {u"Ğ€ő", MSG_LANG_ID_TURKISH, {0x1B, 0x47, 0x1B, 0x65, 'o'}, true},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(++row);
        Encoded e = encode(c.text);
        if (c.langId != kAny) {
            EXPECT_EQ(e.langId, c.langId);
        }
        EXPECT_EQ(e.septets, c.septets);
        EXPECT_EQ(e.replaced, c.replaced);
    }
}

TEST(MsgTextConvert, DecodesEachTableOfTheLanguageInformation) {
    // An extension code without a character, and an escape with nothing behind it.
    EXPECT_EQ(decode({0x1B, 0x00, 'a', 0x1B}, {}), u" a ");

    // Without the single-shift flag the default extension table applies.
    EXPECT_EQ(decode({0x1B, 0x63}, {false, false, MSG_LANG_ID_TURKISH, 0}), u" ");

    _MSG_LANG_INFO_S turkish{false, true, 0, MSG_LANG_ID_TURKISH};
    EXPECT_EQ(decode({0x04, 0x07, 0x0B, 0x40, 0x60, 0x1B, 0x65}, turkish), u"€ìĞİç€");
    _MSG_LANG_INFO_S portuguese{false, true, 0, MSG_LANG_ID_PORTUGUESE};
    EXPECT_EQ(decode({0x04, 0x12, 0x15, 0x24, 0x60, 0x7D, 0x1A, 0x5B}, portuguese), u"ê  ¤¿ |Ã");
    // No Spanish locking-shift table exists: the default alphabet decodes.
    _MSG_LANG_INFO_S spanish{false, true, 0, MSG_LANG_ID_SPANISH};
    EXPECT_EQ(decode({0x04, 0x40}, spanish), u"è¡");
}

// Every character that a table can encode comes back from the decoder.
class GsmRoundTrip : public ::testing::TestWithParam<unsigned char> {};

std::u16string encodableChars(unsigned char langId) {
    switch (langId) {
    case MSG_LANG_ID_TURKISH:
        return u"ĞİŞçğışǦǧ";
    case MSG_LANG_ID_SPANISH:
        return u"ÁÍÓÚáíóú";
    case MSG_LANG_ID_PORTUGUESE:
        return u"êçÔôÁáΦΓΩΠΨΣΘÊÀÍÓÚÃÕÂíóúãõâ";
    default:
        return u"";
    }
}

TEST_P(GsmRoundTrip, EveryCharacterComesBack) {
    const unsigned char langId = GetParam();
    std::u16string text = u"\f[\\]^{|}~€";
    for (char16_t code = 0; code < 128; ++code) {
        if (code != 0x1B)
            text += static_cast<char16_t>(decode({static_cast<unsigned char>(code)}, {})[0]);
    }
    text += encodableChars(langId);

    Encoded e = encode(text, 512);
    EXPECT_EQ(e.langId, langId);
    EXPECT_FALSE(e.replaced);
    std::u16string expected = text;
    // The caron forms come back as the breve forms that share their codes.
    for (char16_t& ch : expected) {
        if (ch == u'Ǧ')
            ch = u'Ğ';
        else if (ch == u'ǧ')
            ch = u'ğ';
    }
    EXPECT_EQ(decode(e.septets, singleShift(langId)), expected);
}

INSTANTIATE_TEST_SUITE_P(AllTables, GsmRoundTrip,
                         ::testing::Values(MSG_LANG_ID_RESERVED, MSG_LANG_ID_TURKISH, MSG_LANG_ID_SPANISH,
                                           MSG_LANG_ID_PORTUGUESE));

} // namespace
