// The text conversions of the composer: each one's result, text and flag, the national tables both
// ways, and every conversion kept to its destination and source lengths.
#include "compose/textconverter/MsgTextConvert.h"

#include "LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace msg_app::compose;

namespace {

using Bytes = std::vector<unsigned char>;

MsgTextConvert* conv() {
    return MsgTextConvert::instance();
}

// Big-endian UCS-2 bytes of a UTF-16 text.
Bytes ucs2(const std::u16string& text) {
    Bytes out;
    for (char16_t unit : text) {
        out.push_back(static_cast<unsigned char>(unit >> 8));
        out.push_back(static_cast<unsigned char>(unit & 0xFF));
    }
    return out;
}

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The bytes of a text with its terminator.
Bytes nul(const std::string& text) {
    return bytes(text + '\0');
}

// What the conversions give besides their text: the table a decoder reads, and the one flag or type
// each encoder reports (replaced, unknown characters, the chosen encoding).
struct SideOutput {
    _MSG_LANG_INFO_S langInfo{};
    unsigned char langId = 0;
    bool flag = false;
    unsigned char charType = 0xFF;
    int last() const { return charType != 0xFF ? charType : flag; }
};

SideOutput side;

using Conversion = std::function<int(unsigned char*, int, const unsigned char*, int)>;

// Every conversion by name, with its side outputs kept in side.
const std::map<std::string, Conversion>& conversions() {
    static const std::map<std::string, Conversion> all = [] {
        MsgTextConvert* c = conv();
        std::map<std::string, Conversion> m;
        m["UTF8ToUCS2"] = [c](auto... a) { return c->convertUTF8ToUCS2(a...); };
        m["UCS2ToUTF8"] = [c](auto... a) { return c->convertUCS2ToUTF8(a...); };
        m["EUCKRToUTF8"] = [c](auto... a) { return c->convertEUCKRToUTF8(a...); };
        m["SHIFTJISToUTF8"] = [c](auto... a) { return c->convertSHIFTJISToUTF8(a...); };
        m["UCS2ToASCII"] = [c](auto... a) { return c->convertUCS2ToASCII(a..., &side.flag); };
        m["UCS2ToGSM7bit"] = [c](auto... a) {
            return c->convertUCS2ToGSM7bit(a..., &side.langId, &side.flag);
        };
        m["UTF8ToGSM7bit"] = [c](auto... a) {
            return c->convertUTF8ToGSM7bit(a..., &side.langId, &side.flag);
        };
        m["UCS2ToGSM7bitAuto"] = [c](auto... a) { return c->convertUCS2ToGSM7bitAuto(a..., &side.flag); };
        m["UTF8ToAuto"] = [c](auto... a) { return c->convertUTF8ToAuto(a..., &side.charType); };
        m["GSM7bitToUCS2"] = [c](auto... a) { return c->convertGSM7bitToUCS2(a..., &side.langInfo); };
        m["GSM7bitToUTF8"] = [c](auto... a) { return c->convertGSM7bitToUTF8(a..., &side.langInfo); };
        return m;
    }();
    return all;
}

constexpr int WHOLE = INT_MIN;
constexpr int UNCHECKED = -1;

// One call of a conversion: its result, the bytes it wrote from the start of the destination, and
// its flag or type (the type where the conversion gives one). The source is NUL-terminated, for the calls
// whose srcLen asks for that.
struct ConversionCase {
    const char* conversion;
    Bytes src;
    int destSize;
    int result;
    Bytes written;
    int sideOutput = UNCHECKED;
    int srcLen = WHOLE;
};

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

TEST(MsgTextConvert, EachConversionsResultTextAndFlag) {
    const std::string grusse = u8"Grüße 한글 \U0001F600";
    const ConversionCase cases[] = {
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
        {"UCS2ToUTF8", ucs2({u'a', 0xDC00, u'b', u'c'}), 64, 6, nul(u8"a\uFFFDbc")},
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
    };
    int row = 0;
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(std::string(c.conversion) + " row " + std::to_string(++row));
        side = SideOutput{};
        Bytes src = c.src;
        src.push_back(0);
        Bytes dest(static_cast<size_t>(c.destSize) + 1, 0xAA);
        const int srcLen = c.srcLen == WHOLE ? static_cast<int>(c.src.size()) : c.srcLen;
        EXPECT_EQ(c.result, conversions().at(c.conversion)(dest.data(), c.destSize, src.data(), srcLen));
        EXPECT_EQ(c.written, Bytes(dest.begin(), dest.begin() + static_cast<long>(c.written.size())));
        if (c.sideOutput != UNCHECKED) {
            EXPECT_EQ(c.sideOutput, side.last());
        }
    }
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
        EXPECT_EQ(std::make_tuple(c.septets, c.replaced), std::make_tuple(e.septets, e.replaced));
    }
}

TEST(MsgTextConvert, DecodesEachTableOfTheLanguageInformation) {
    // An extension code without a character, and an escape with nothing behind it.
    EXPECT_EQ(decode({0x1B, 0x00, 'a', 0x1B}, {}), u" a ");

    // Without the single-shift flag the default extension table applies.
    EXPECT_EQ(decode({0x1B, 0x63}, {false, false, MSG_LANG_ID_TURKISH, 0}), u" ");

    EXPECT_EQ(decode({0x04, 0x07, 0x0B, 0x40, 0x60, 0x1B, 0x65}, {false, true, 0, MSG_LANG_ID_TURKISH}),
              u"€ìĞİç€");
    EXPECT_EQ(
        decode({0x04, 0x12, 0x15, 0x24, 0x60, 0x7D, 0x1A, 0x5B}, {false, true, 0, MSG_LANG_ID_PORTUGUESE}),
        u"ê  ¤¿ |Ã");
    // No Spanish locking-shift table exists: the default alphabet decodes.
    EXPECT_EQ(decode({0x04, 0x40}, {false, true, 0, MSG_LANG_ID_SPANISH}), u"è¡");
}

// Every character that a table can encode comes back from the decoder; the caron forms come back as
// the breve forms that share their codes.
TEST(MsgTextConvert, EveryCharacterATableEncodesComesBack) {
    std::u16string common = u"\f[\\]^{|}~€";
    for (char16_t code = 0; code < 128; ++code) {
        if (code != 0x1B)
            common += static_cast<char16_t>(decode({static_cast<unsigned char>(code)}, {})[0]);
    }
    const struct {
        unsigned char langId;
        std::u16string own, back;
    } tables[] = {
        {MSG_LANG_ID_RESERVED, u"", u""},
        {MSG_LANG_ID_TURKISH, u"ĞİŞçğışǦǧ", u"ĞİŞçğışĞğ"},
        {MSG_LANG_ID_SPANISH, u"ÁÍÓÚáíóú", u"ÁÍÓÚáíóú"},
        {MSG_LANG_ID_PORTUGUESE, u"êçÔôÁáΦΓΩΠΨΣΘÊÀÍÓÚÃÕÂíóúãõâ", u"êçÔôÁáΦΓΩΠΨΣΘÊÀÍÓÚÃÕÂíóúãõâ"},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(static_cast<int>(t.langId));
        Encoded e = encode(common + t.own, 512);
        EXPECT_EQ(std::make_tuple(t.langId, false), std::make_tuple(e.langId, e.replaced));
        EXPECT_EQ(decode(e.septets, {t.langId != 0, false, t.langId, 0}), common + t.back);
    }
}

// Every conversion, on every kind of input and every destination size, keeps to destSize and srcLen:
// the source ends at its terminator and guard bytes follow the destination, so that a sanitized
// build sees a read past the source and any build sees a write past the destination.
TEST(MsgTextConvertBounds, NoConversionWritesPastDestSizeOrReadsPastSrcLen) {
    const unsigned char GUARD = 0xA5;
    const int GUARD_BYTES = 16;
    const std::vector<Bytes> inputs = {
        bytes(""),
        bytes("plain ascii"),
        bytes(u8"é€{ç}á ő中\U0001F600"),
        bytes("bad \xFF\xC3 utf8 \xE2\x82"),
        bytes("\xF0\x9F\x98"),
        ucs2(u"odd"),
        ucs2(u"a\xDC00\xD800"),
        {0x00, 'x', 0x00, 'y', 0x00},
        {0x1B},
        {0x00, 0x1B, 0x65, 0x7F, 0x1B},
        {0x80, 0xFF, 0x00},
        {0xB1, 0xDB, 0x93},
    };
    msg_test::LogCapture quiet;
    // The decoders read their tables from the language information: both kinds of shift.
    side.langInfo = {true, true, MSG_LANG_ID_PORTUGUESE, MSG_LANG_ID_TURKISH};
    for (const auto& [name, convert] : conversions()) {
        for (const Bytes& input : inputs) {
            const int srcLen = static_cast<int>(input.size());
            std::unique_ptr<unsigned char[]> src(new unsigned char[input.size() + 1]);
            std::copy(input.begin(), input.end(), src.get());
            for (int destSize = 0; destSize <= srcLen * 4 + 4; ++destSize) {
                Bytes dest(static_cast<size_t>(destSize) + GUARD_BYTES, GUARD);
                // srcLen 0 would mean "NUL-terminated" to some of them; the terminator is there.
                src[input.size()] = 0;
                int n = convert(dest.data(), destSize, src.get(), srcLen);
                ASSERT_LE(n, destSize) << name << " destSize " << destSize;
                for (int i = destSize; i < destSize + GUARD_BYTES; ++i)
                    ASSERT_EQ(dest[static_cast<size_t>(i)], GUARD) << name << " wrote past " << destSize;
            }
        }
    }
}

} // namespace
