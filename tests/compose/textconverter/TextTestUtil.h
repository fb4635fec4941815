#ifndef MSG_TESTS_COMPOSE_TEXTCONVERTER_TEXTTESTUTIL_H
#define MSG_TESTS_COMPOSE_TEXTCONVERTER_TEXTTESTUTIL_H

#include "compose/textconverter/MsgTextConvert.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace text_test {

using Bytes = std::vector<unsigned char>;
using msg_app::compose::_MSG_LANG_INFO_S;
using msg_app::compose::MsgTextConvert;

// Big-endian UCS-2 bytes of a UTF-16 text.
inline Bytes ucs2(const std::u16string& text) {
    Bytes out;
    for (char16_t unit : text) {
        out.push_back(static_cast<unsigned char>(unit >> 8));
        out.push_back(static_cast<unsigned char>(unit & 0xFF));
    }
    return out;
}

inline Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The bytes of a text with its terminator.
inline Bytes nul(const std::string& text) {
    Bytes out = bytes(text);
    out.push_back(0);
    return out;
}

inline std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
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

inline SideOutput& side() {
    static SideOutput output;
    return output;
}

using Conversion = std::function<int(unsigned char*, int, const unsigned char*, int)>;

// Every conversion by name, with its side outputs kept in side().
inline const std::map<std::string, Conversion>& conversions() {
    static const std::map<std::string, Conversion> all = [] {
        MsgTextConvert* c = MsgTextConvert::instance();
        std::map<std::string, Conversion> m;
        m["UTF8ToUCS2"] = [c](auto... a) { return c->convertUTF8ToUCS2(a...); };
        m["UCS2ToUTF8"] = [c](auto... a) { return c->convertUCS2ToUTF8(a...); };
        m["EUCKRToUTF8"] = [c](auto... a) { return c->convertEUCKRToUTF8(a...); };
        m["SHIFTJISToUTF8"] = [c](auto... a) { return c->convertSHIFTJISToUTF8(a...); };
        m["UCS2ToASCII"] = [c](auto... a) { return c->convertUCS2ToASCII(a..., &side().flag); };
        m["UCS2ToGSM7bit"] = [c](auto... a) {
            return c->convertUCS2ToGSM7bit(a..., &side().langId, &side().flag);
        };
        m["UTF8ToGSM7bit"] = [c](auto... a) {
            return c->convertUTF8ToGSM7bit(a..., &side().langId, &side().flag);
        };
        m["UCS2ToGSM7bitAuto"] = [c](auto... a) { return c->convertUCS2ToGSM7bitAuto(a..., &side().flag); };
        m["UTF8ToAuto"] = [c](auto... a) { return c->convertUTF8ToAuto(a..., &side().charType); };
        m["GSM7bitToUCS2"] = [c](auto... a) { return c->convertGSM7bitToUCS2(a..., &side().langInfo); };
        m["GSM7bitToUTF8"] = [c](auto... a) { return c->convertGSM7bitToUTF8(a..., &side().langInfo); };
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

inline void checkConversions(const std::vector<ConversionCase>& cases) {
    int row = 0;
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(std::string(c.conversion) + " row " + std::to_string(++row));
        side() = SideOutput{};
        Bytes src = c.src;
        src.push_back(0);
        Bytes dest(static_cast<size_t>(c.destSize) + 1, 0xAA);
        const int srcLen = c.srcLen == WHOLE ? static_cast<int>(c.src.size()) : c.srcLen;
        EXPECT_EQ(c.result, conversions().at(c.conversion)(dest.data(), c.destSize, src.data(), srcLen));
        EXPECT_EQ(c.written, Bytes(dest.begin(), dest.begin() + static_cast<long>(c.written.size())));
        if (c.sideOutput != UNCHECKED) {
            EXPECT_EQ(c.sideOutput, side().last());
        }
    }
}

} // namespace text_test

#endif
