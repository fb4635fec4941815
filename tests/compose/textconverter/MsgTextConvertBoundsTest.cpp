#include "compose/textconverter/MsgTextConvert.h"

#include "LogCapture.h"
#include "TextTestUtil.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace msg_app::compose;
using namespace text_test;

namespace {

// Every conversion, on every kind of input and every destination size, keeps
// to destSize and srcLen. The source sits in a buffer of exactly srcLen bytes
// and the destination is followed by guard bytes, so that a sanitized build
// sees a read past the source and any build sees a write past the destination.
using Conversion = std::function<int(unsigned char*, int, const unsigned char*, int)>;

constexpr unsigned char GUARD = 0xA5;
constexpr int GUARD_BYTES = 16;

const std::vector<Bytes>& inputs() {
    static const std::vector<Bytes> all = [] {
        std::vector<Bytes> v = {
            bytes(""),
            bytes("plain ascii"),
            bytes(u8"é€{ç}á ő中\U0001F600"),
            bytes("bad \xFF\xC3 utf8 \xE2\x82"),
            bytes("\xF0\x9F\x98"),
            ucs2(u"odd"),
            ucs2(u"a\xDC00\xD800"),
            {0x1B},
            {0x00, 0x1B, 0x65, 0x7F, 0x1B},
            {0x80, 0xFF, 0x00},
            {0xB1, 0xDB, 0x93},
        };
        Bytes odd = ucs2(u"xyz");
        odd.pop_back();
        v.push_back(odd);
        return v;
    }();
    return all;
}

std::vector<std::pair<const char*, Conversion>> conversions() {
    MsgTextConvert* c = MsgTextConvert::instance();
    static unsigned char langId;
    static bool flag;
    static unsigned char charType;
    static _MSG_LANG_INFO_S langInfos[] = {
        {true, true, MSG_LANG_ID_TURKISH, MSG_LANG_ID_TURKISH},
        {true, true, MSG_LANG_ID_PORTUGUESE, MSG_LANG_ID_PORTUGUESE},
    };
    using namespace std::placeholders;
    return {
        {"UTF8ToUCS2", std::bind(&MsgTextConvert::convertUTF8ToUCS2, c, _1, _2, _3, _4)},
        {"UCS2ToUTF8", std::bind(&MsgTextConvert::convertUCS2ToUTF8, c, _1, _2, _3, _4)},
        {"EUCKRToUTF8", std::bind(&MsgTextConvert::convertEUCKRToUTF8, c, _1, _2, _3, _4)},
        {"SHIFTJISToUTF8", std::bind(&MsgTextConvert::convertSHIFTJISToUTF8, c, _1, _2, _3, _4)},
        {"UCS2ToASCII", std::bind(&MsgTextConvert::convertUCS2ToASCII, c, _1, _2, _3, _4, &flag)},
        {"UCS2ToGSM7bit",
         std::bind(&MsgTextConvert::convertUCS2ToGSM7bit, c, _1, _2, _3, _4, &langId, &flag)},
        {"UTF8ToGSM7bit",
         std::bind(&MsgTextConvert::convertUTF8ToGSM7bit, c, _1, _2, _3, _4, &langId, &flag)},
        {"UCS2ToGSM7bitAuto", std::bind(&MsgTextConvert::convertUCS2ToGSM7bitAuto, c, _1, _2, _3, _4, &flag)},
        {"UTF8ToAuto", std::bind(&MsgTextConvert::convertUTF8ToAuto, c, _1, _2, _3, _4, &charType)},
        {"GSM7bitToUCS2", std::bind(&MsgTextConvert::convertGSM7bitToUCS2, c, _1, _2, _3, _4, &langInfos[0])},
        {"GSM7bitToUTF8", std::bind(&MsgTextConvert::convertGSM7bitToUTF8, c, _1, _2, _3, _4, &langInfos[1])},
    };
}

TEST(MsgTextConvertBounds, NoConversionWritesPastDestSizeOrReadsPastSrcLen) {
    msg_test::LogCapture quiet;
    for (const auto& [name, convert] : conversions()) {
        for (const Bytes& input : inputs()) {
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
