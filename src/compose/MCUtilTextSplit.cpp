#include "compose/MCUtilTextSplit.h"

#include "compose/MCUtil.h"

#include "common/MsgLog.h"
#include "compose/textconverter/MsgTextConvert.h"
#include "textconverter/MsgUtf8.h"

#include <algorithm>

namespace msg_app {
namespace compose {

namespace {

constexpr gunichar LAST_BMP_CHAR = 0xFFFF;

int writeUtf16(gunichar ch, unsigned char* out) {
    if (ch <= LAST_BMP_CHAR) {
        out[0] = static_cast<unsigned char>(ch >> 8);
        out[1] = static_cast<unsigned char>(ch & 0xFF);
        return 2;
    }
    const gunichar offset = ch - 0x10000;
    const gunichar high = 0xD800 + (offset >> 10);
    const gunichar low = 0xDC00 + (offset & 0x3FF);
    out[0] = static_cast<unsigned char>(high >> 8);
    out[1] = static_cast<unsigned char>(high & 0xFF);
    out[2] = static_cast<unsigned char>(low >> 8);
    out[3] = static_cast<unsigned char>(low & 0xFF);
    return 4;
}

// What one character adds to a page: UCS-2 bytes, or GSM septets (two for an
// extension character). Measured from the tables directly, as opening a
// conversion per character would make splitting long texts slow.
int charCost(gunichar ch, bool ucs2) {
    unsigned char units[4];
    const int ucs2Bytes = writeUtf16(ch, units);
    if (ucs2)
        return ucs2Bytes;
    unsigned char septets[4];
    bool unknown = false;
    int count = MsgTextConvert::instance()->convertUCS2ToGSM7bitAuto(septets, sizeof(septets), units,
                                                                     ucs2Bytes, &unknown);
    return unknown || count < 1 ? ucs2Bytes : count;
}

} // namespace

void MCUtilTextSplit::getSmsSizeTextList(std::vector<std::string>& pages, std::string& text,
                                         bool reducedLimit) {
    if (text.empty())
        return;
    std::string valid = utf8::validText(text);
    int size = 0;
    const bool ucs2 =
        MCUtil::getEncodedTextSize(&valid[0], MSG_ENCODE_AUTO, &size, nullptr) == MSG_ENCODE_UCS2;
    const int limit = ucs2 ? MCUtil::SMS_UCS2_PAGE_BYTES
                           : (reducedLimit ? MCUtil::SMS_REDUCED_LIMIT : MCUtil::SMS_GSM7BIT_LIMIT);

    std::string page;
    int total = 0;
    for (size_t pos = 0; pos < valid.size();) {
        gunichar ch;
        size_t charLen;
        utf8::decodeChar(valid.data() + pos, valid.size() - pos, ch, charLen);
        const int cost = charCost(ch, ucs2);
        if (total + cost > limit && !page.empty()) {
            pages.push_back(std::move(page));
            page.clear();
            total = 0;
        }
        page.append(valid, pos, charLen);
        total += cost;
        pos += charLen;
        if (total >= limit) {
            pages.push_back(std::move(page));
            page.clear();
            total = 0;
        }
    }
    if (!page.empty())
        pages.push_back(std::move(page));
}

void MCUtilTextSplit::getMmsSizeTextList(std::string& text, int* smsPageCount, int* mmsPageCount,
                                         bool reducedLimit, std::vector<std::string>* pages) {
    int smsPages = 0;
    int mmsPages = 0;
    std::string valid = text.empty() ? text : utf8::validText(text);
    for (size_t pos = 0; pos < valid.size();) {
        int size = 0;
        int limit = 0;
        MCUtil::isTextOverSmsLimit(&valid[pos], nullptr, &size, &limit, reducedLimit);
        if (size < 1)
            break;
        int chars = size;
        if (size > limit) {
            ++mmsPages;
            chars = std::min(size, MCUtil::MMS_TEXT_CHAR_LIMIT);
        } else {
            ++smsPages;
        }
        const size_t end = utf8::advanceChars(valid, pos, static_cast<size_t>(chars));
        if (pages)
            pages->push_back(valid.substr(pos, end - pos));
        pos = end;
    }
    if (smsPageCount)
        *smsPageCount = smsPages;
    if (mmsPageCount)
        *mmsPageCount = mmsPages;
    MSG_LOGD("smsPageCount : %d, mmsPageCount : %d", smsPages, mmsPages);
}

} // namespace compose
} // namespace msg_app
