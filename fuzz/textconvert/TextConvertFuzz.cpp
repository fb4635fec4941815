// Feeds arbitrary bytes to every conversion and measuring function, with
// destination buffers of exactly the size passed, and checks what must always
// hold: no function writes more than it was given room for, text survives a
// round trip, and pages always give back the text.
#include "compose/MCUtil.h"
#include "compose/textconverter/MsgTextConvert.h"
#include "dlog.h"

#include <glib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace msg_app::compose;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// An input: a byte choosing the destination size, a byte of flags, the text.
struct Input {
    const unsigned char* src;
    int srcLen;
    int destSize;
    unsigned char flags;
};

// Runs one conversion into a heap buffer of exactly destSize bytes, so that
// the address sanitizer sees any write past it.
template <typename Convert>
int intoExactBuffer(int destSize, std::vector<unsigned char>* out, Convert convert) {
    std::unique_ptr<unsigned char[]> dest(new unsigned char[static_cast<size_t>(destSize)]);
    int n = convert(dest.get(), destSize);
    check(n <= destSize);
    if (out && n > 0)
        out->assign(dest.get(), dest.get() + n);
    return n;
}

void fuzzConversions(const Input& in) {
    MsgTextConvert* c = MsgTextConvert::instance();
    bool flag = false;
    unsigned char langId = 0;
    unsigned char type = 0;
    _MSG_LANG_INFO_S info{(in.flags & 1) != 0, (in.flags & 2) != 0,
                          static_cast<unsigned char>((in.flags >> 2) & 3),
                          static_cast<unsigned char>((in.flags >> 4) & 3)};
    const int d = in.destSize;
    const unsigned char* s = in.src;
    const int n = in.srcLen;

    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertUTF8ToUCS2(o, size, s, n); });
    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertUCS2ToUTF8(o, size, s, n); });
    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertEUCKRToUTF8(o, size, s, n); });
    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertSHIFTJISToUTF8(o, size, s, n); });
    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertUCS2ToASCII(o, size, s, n, &flag); });
    intoExactBuffer(d, nullptr, [&](unsigned char* o, int size) {
        return c->convertUCS2ToGSM7bit(o, size, s, n, &langId, &flag);
    });
    // A length below 1 asks for a NUL-terminated text.
    const unsigned char empty[] = "";
    intoExactBuffer(d, nullptr, [&](unsigned char* o, int size) {
        return c->convertUTF8ToGSM7bit(o, size, n > 0 ? s : empty, n, &langId, &flag);
    });
    intoExactBuffer(d, nullptr, [&](unsigned char* o, int size) {
        return c->convertUCS2ToGSM7bitAuto(o, size, s, n, &flag);
    });
    intoExactBuffer(d, nullptr,
                    [&](unsigned char* o, int size) { return c->convertUTF8ToAuto(o, size, s, n, &type); });
    intoExactBuffer(d, nullptr, [&](unsigned char* o, int size) {
        return c->convertGSM7bitToUCS2(o, size, s, n, &info);
    });
    intoExactBuffer(d, nullptr, [&](unsigned char* o, int size) {
        return c->convertGSM7bitToUTF8(o, size, s, n, &info);
    });
}

// Valid UTF-8 goes to UCS-2 and back unchanged; text of the default alphabet
// goes to GSM 7-bit and back unchanged (an ESC character aside, which is the
// escape code itself).
void fuzzRoundTrips(const Input& in) {
    if (in.srcLen < 1 || !g_utf8_validate(reinterpret_cast<const gchar*>(in.src), in.srcLen, nullptr))
        return;
    MsgTextConvert* c = MsgTextConvert::instance();
    const int room = in.srcLen * 4 + 4;
    std::vector<unsigned char> ucs2;
    int units = intoExactBuffer(room, &ucs2, [&](unsigned char* o, int size) {
        return c->convertUTF8ToUCS2(o, size, in.src, in.srcLen);
    });
    check(units > 0);
    std::vector<unsigned char> utf8;
    intoExactBuffer(room, &utf8, [&](unsigned char* o, int size) {
        return c->convertUCS2ToUTF8(o, size, ucs2.data(), static_cast<int>(ucs2.size()));
    });
    check(utf8 == std::vector<unsigned char>(in.src, in.src + in.srcLen));

    if (std::memchr(in.src, 0x1B, static_cast<size_t>(in.srcLen)))
        return;
    std::vector<unsigned char> septets;
    unsigned char type = 0;
    intoExactBuffer(room, &septets, [&](unsigned char* o, int size) {
        return c->convertUTF8ToAuto(o, size, in.src, in.srcLen, &type);
    });
    if (type != MSG_ENCODE_GSM7BIT)
        return;
    _MSG_LANG_INFO_S info{};
    std::vector<unsigned char> decoded;
    intoExactBuffer(room, &decoded, [&](unsigned char* o, int size) {
        return c->convertGSM7bitToUTF8(o, size, septets.data(), static_cast<int>(septets.size()), &info);
    });
    check(decoded == std::vector<unsigned char>(in.src, in.src + in.srcLen));
}

std::string validText(const std::string& text) {
    if (g_utf8_validate_len(text.data(), text.size(), nullptr))
        return text;
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

void checkPages(const std::vector<std::string>& pages, const std::string& expected) {
    std::string joined;
    for (const std::string& page : pages) {
        check(!page.empty());
        check(g_utf8_validate_len(page.data(), page.size(), nullptr));
        joined += page;
    }
    check(joined == expected);
}

void fuzzMeasuring(const Input& in) {
    std::string text(reinterpret_cast<const char*>(in.src), static_cast<size_t>(in.srcLen));
    const bool reduced = (in.flags & 0x40) != 0;
    for (unsigned char mode = 0; mode <= 4; ++mode) {
        unsigned int size = 0;
        unsigned int segment = 0;
        unsigned char type = 0;
        MCUtil::CalculateTextLength(text.c_str(), mode, &size, &segment, &type);
        int encoded = 0;
        MCUtil::getEncodedTextSize(&text[0], mode, &encoded, nullptr);
    }
    int over = 0;
    int size = 0;
    int limit = 0;
    MCUtil::isTextOverSmsLimit(&text[0], &over, &size, &limit, reduced);
    MCUtil::isTextOverMmsLimit(&text[0], &over, &size, &limit, reduced);

    const std::string expected = validText(text);
    std::vector<std::string> smsPages;
    MCUtil::getSmsSizeTextList(smsPages, text, reduced);
    checkPages(smsPages, expected);

    std::vector<std::string> mmsPages;
    int smsCount = -1;
    int mmsCount = -1;
    MCUtil::getMmsSizeTextList(text, &smsCount, &mmsCount, reduced, &mmsPages);
    checkPages(mmsPages, expected);
    check(static_cast<size_t>(smsCount + mmsCount) == mmsPages.size());

    std::string popup;
    MCUtil::getSmsPageOverPopupText(popup, (in.flags & 0x80) != 0, in.destSize);
    check(popup.size() <= 1024);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every malformed input logs an error; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 1 << 16)
        return 0;
    Input in;
    in.src = data + 2;
    in.srcLen = static_cast<int>(size - 2);
    // The first byte spreads destination sizes from 0 to more than any output needs.
    in.destSize = data[0] * (in.srcLen * 4 + 8) / 255;
    in.flags = data[1];
    fuzzConversions(in);
    fuzzRoundTrips(in);
    fuzzMeasuring(in);
    return 0;
}
