#include "compose/textconverter/MsgTextConvert.h"

#include "LogCapture.h"
#include "TextTestUtil.h"

#include <gtest/gtest.h>
#include <memory>

using namespace msg_app::compose;
using namespace text_test;

namespace {

// Every conversion, on every kind of input and every destination size, keeps
// to destSize and srcLen. The source sits in a buffer of exactly srcLen bytes
// and the destination is followed by guard bytes, so that a sanitized build
// sees a read past the source and any build sees a write past the destination.
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

TEST(MsgTextConvertBounds, NoConversionWritesPastDestSizeOrReadsPastSrcLen) {
    msg_test::LogCapture quiet;
    // The decoders read their tables from the language information: both kinds of shift.
    side().langInfo = {true, true, MSG_LANG_ID_PORTUGUESE, MSG_LANG_ID_TURKISH};
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
