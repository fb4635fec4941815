#include "compose/textconverter/MsgTextConvert.h"

#include "LogCapture.h"
#include "TextTestUtil.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;
using msg_test::LogCapture;
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

TEST(MsgTextConvertGsm, NationalTableFollowsTheLettersAndUnknownOnesAreReplaced) {
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

TEST(MsgTextConvertGsm, EscapePairsAreNeverCutByTheDestination) {
    EXPECT_EQ(encode(u"a€", 2).septets, Bytes{0x61});
    EXPECT_EQ(encode(u"a€b", 3).septets, (Bytes{0x61, 0x1B, 0x65}));
    EXPECT_EQ(encode(u"abc", 2).septets, (Bytes{0x61, 0x62}));

    unsigned char langId = 9;
    bool replaced = true;
    Bytes out(4);
    const Bytes src = ucs2(u"a");
    EXPECT_EQ(conv()->convertUCS2ToGSM7bit(out.data(), 4, src.data(), 0, &langId, &replaced), 0);
    EXPECT_EQ(conv()->convertUCS2ToGSM7bit(out.data(), 0, src.data(), 2, &langId, &replaced), -1);
    EXPECT_EQ(conv()->convertUCS2ToGSM7bit(out.data(), 4, src.data(), 2, nullptr, &replaced), -1);
}

TEST(MsgTextConvertGsm, Utf8ToGsm7bit) {
    Bytes out(16);
    unsigned char langId = 0;
    bool replaced = false;
    const unsigned char text[] = u8"İyi ő";
    int n = conv()->convertUTF8ToGSM7bit(out.data(), 16, text, 0, &langId, &replaced);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + n), (Bytes{0x1B, 0x49, 'y', 'i', ' ', 'o'}));
    EXPECT_EQ(langId, MSG_LANG_ID_TURKISH);
    EXPECT_TRUE(replaced);

    const unsigned char empty[] = "";
    EXPECT_EQ(conv()->convertUTF8ToGSM7bit(out.data(), 16, empty, 0, &langId, &replaced), 0);
    EXPECT_EQ(langId, MSG_LANG_ID_RESERVED);
    const unsigned char invalid[] = {'a', 0xC3};
    EXPECT_EQ(conv()->convertUTF8ToGSM7bit(out.data(), 16, invalid, 2, &langId, &replaced), -1);
}

TEST(MsgTextConvertGsm, AutoUsesOnlyTheDefaultAlphabetAndExtension) {
    Bytes out(16);
    bool unknown = true;
    const Bytes plain = ucs2(u"a€é");
    EXPECT_EQ(conv()->convertUCS2ToGSM7bitAuto(out.data(), 16, plain.data(), 6, &unknown), 4);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x61, 0x1B, 0x65, 0x05}));
    EXPECT_FALSE(unknown);
    // The escape pair needs two places.
    EXPECT_EQ(conv()->convertUCS2ToGSM7bitAuto(out.data(), 2, plain.data(), 6, &unknown), 1);

    const Bytes national = ucs2(u"aç");
    EXPECT_EQ(conv()->convertUCS2ToGSM7bitAuto(out.data(), 16, national.data(), 4, &unknown), 0);
    EXPECT_TRUE(unknown);
}

TEST(MsgTextConvertGsm, Utf8ToAutoChoosesTheEncoding) {
    Bytes out(16);
    unsigned char type = 9;
    const unsigned char gsm[] = u8"é€";
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 16, gsm, sizeof(gsm) - 1, &type), 3);
    EXPECT_EQ(type, MSG_ENCODE_GSM7BIT);

    const unsigned char korean[] = u8"a한";
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 16, korean, sizeof(korean) - 1, &type), 4);
    EXPECT_EQ(type, MSG_ENCODE_UCS2);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), ucs2(u"a한"));

    const unsigned char invalid[] = {'a', 0xFE, 'b'};
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 2, invalid, 3, &type), 2);
    EXPECT_EQ(type, MSG_ENCODE_8BIT);
    EXPECT_EQ(str(out, 2), "a\xFE");

    // A short destination takes whole code units only, never half a pair.
    const unsigned char emoji[] = u8"中\U0001F600";
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 5, emoji, sizeof(emoji) - 1, &type), 2);
    EXPECT_EQ(type, MSG_ENCODE_UCS2);

    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 16, gsm, 0, &type), 0);
    EXPECT_EQ(type, MSG_ENCODE_GSM7BIT);
    EXPECT_EQ(conv()->convertUTF8ToAuto(out.data(), 16, gsm, 2, nullptr), -1);
}

TEST(MsgTextConvertGsm, DecodesEachTableOfTheLanguageInformation) {
    EXPECT_EQ(decode({0x00, 0x01, 0x1B, 0x65, 0x1B, 0x2F}, {}), u"@£€\\");
    // An extension code without a character, and an escape with nothing behind it.
    EXPECT_EQ(decode({0x1B, 0x00, 'a', 0x1B}, {}), u" a ");

    EXPECT_EQ(decode({0x1B, 0x63, 0x1B, 0x49}, singleShift(MSG_LANG_ID_TURKISH)), u"çİ");
    EXPECT_EQ(decode({0x1B, 0x41, 0x1B, 0x09}, singleShift(MSG_LANG_ID_SPANISH)), u"Áç");
    EXPECT_EQ(decode({0x1B, 0x0F, 0x1B, 0x0D}, singleShift(MSG_LANG_ID_PORTUGUESE)), u"á ");
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

TEST(MsgTextConvertGsm, DecodeRefusesBytesOutsideSevenBits) {
    LogCapture capture;
    _MSG_LANG_INFO_S info{};
    Bytes out(8);
    const Bytes src = {0x41, 0x80};
    EXPECT_EQ(conv()->convertGSM7bitToUCS2(out.data(), 8, src.data(), 2, &info), -1);
    EXPECT_TRUE(capture.contains(
        ">>>>>>>a_pTextString[i]=80, The alpha isn't the gsm 7bit code, Never Come here!!!"));
    EXPECT_EQ(conv()->convertGSM7bitToUTF8(out.data(), 8, src.data(), 2, &info), -1);

    EXPECT_EQ(conv()->convertGSM7bitToUCS2(out.data(), 8, src.data(), 0, &info), 0);
    EXPECT_EQ(conv()->convertGSM7bitToUCS2(nullptr, 8, src.data(), 1, &info), -1);
    EXPECT_TRUE(capture.contains("UCS2 to GSM7bit Failed as text length is 0"));
    // Whole characters only: an odd destination leaves its last byte alone.
    Bytes odd(3, 0xAA);
    EXPECT_EQ(conv()->convertGSM7bitToUCS2(odd.data(), 3, src.data(), 1, &info), 2);
    EXPECT_EQ(odd[2], 0xAA);
}

TEST(MsgTextConvertGsm, Gsm7bitToUtf8) {
    Bytes out(16);
    _MSG_LANG_INFO_S info{};
    const Bytes src = {0x00, 0x01, 0x1B, 0x65, 0x10};
    int n = conv()->convertGSM7bitToUTF8(out.data(), 16, src.data(), 5, &info);
    EXPECT_EQ(str(out, n), u8"@£€Δ");
    EXPECT_EQ(out[n], 0);
    EXPECT_EQ(conv()->convertGSM7bitToUTF8(out.data(), 16, src.data(), 0, &info), 0);
    EXPECT_EQ(out[0], 0);
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
