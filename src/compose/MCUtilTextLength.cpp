#include "compose/MCUtilTextLength.h"

#include "compose/MCUtil.h"

#include "common/MsgLog.h"
#include "compose/textconverter/MsgTextConvert.h"
#include "textconverter/MsgUtf8.h"

#include <climits>
#include <cstring>
#include <vector>

namespace msg_app {
namespace compose {

namespace {

// Octets of user data in one SMS, and in each SMS of a concatenated message
// (the rest carries the concatenation header).
constexpr int SMS_USER_DATA_BYTES = 140;
constexpr int CONCAT_USER_DATA_BYTES = 134;
// A national language shift takes a three-octet header element; a single SMS
// then also needs the header's length octet.
constexpr int NATIONAL_HEADER_BYTES = 3;
constexpr int HEADER_LENGTH_BYTES = 1;
constexpr int SCRATCH_BYTES_PER_TEXT_BYTE = 4;

constexpr unsigned int septetsIn(int bytes) {
    return static_cast<unsigned int>(bytes * 8 / 7);
}

unsigned int gsmSegmentSize(int septets, bool national) {
    const int header = national ? NATIONAL_HEADER_BYTES : 0;
    if (septets + header > MCUtilTextLength::SMS_GSM7BIT_LIMIT)
        return septetsIn(CONCAT_USER_DATA_BYTES - header);
    const int lengthByte = national ? HEADER_LENGTH_BYTES : 0;
    return septetsIn(SMS_USER_DATA_BYTES - lengthByte - header);
}

unsigned int ucs2SegmentSize(int bytes) {
    return bytes <= SMS_USER_DATA_BYTES ? SMS_USER_DATA_BYTES : CONCAT_USER_DATA_BYTES;
}

} // namespace

bool MCUtilTextLength::CalculateTextLength(const char* msgText, unsigned char msgEncodeTypeTo,
                                           unsigned int* outTextSize, unsigned int* segmentSize,
                                           unsigned char* encodeType) {
    MSG_RETV_IF(!msgText, false, "msgText is nullptr");
    MSG_RETV_IF(!outTextSize, false, "outTextSize is nullptr");
    MSG_RETV_IF(!segmentSize, false, "segmentSize is nullptr");
    MSG_RETV_IF(!encodeType, false, "encodeType is nullptr");
    *outTextSize = 0;
    *segmentSize = 0;

    const size_t textLen = std::strlen(msgText);
    MSG_RETV_IF(textLen > INT_MAX / SCRATCH_BYTES_PER_TEXT_BYTE, false, "text of %zu bytes is too long",
                textLen);
    const int srcLen = static_cast<int>(textLen);
    const auto* src = reinterpret_cast<const unsigned char*>(msgText);
    // On the heap: a long text would overflow the stack.
    std::vector<unsigned char> scratch(std::max<size_t>(textLen, 1) * SCRATCH_BYTES_PER_TEXT_BYTE);
    const int scratchSize = static_cast<int>(scratch.size());
    MsgTextConvert* convert = MsgTextConvert::instance();

    int len = 0;
    unsigned char type = MSG_ENCODE_GSM7BIT;
    switch (msgEncodeTypeTo) {
    case MSG_ENCODE_GSM7BIT: {
        unsigned char langId = MSG_LANG_ID_RESERVED;
        bool replaced = false;
        len = convert->convertUTF8ToGSM7bit(scratch.data(), scratchSize, src, srcLen, &langId, &replaced);
        MSG_RETV_IF(len < 0, false, "text cannot be encoded in GSM 7-bit");
        *segmentSize = gsmSegmentSize(len, langId != MSG_LANG_ID_RESERVED);
        type = replaced ? MSG_ENCODE_GSM7BIT_ABNORMAL : MSG_ENCODE_GSM7BIT;
        break;
    }
    case MSG_ENCODE_UCS2:
        len = srcLen > 0 ? convert->convertUTF8ToUCS2(scratch.data(), scratchSize, src, srcLen) : 0;
        MSG_RETV_IF(len < 0, false, "text cannot be encoded in UCS-2");
        *segmentSize = ucs2SegmentSize(len);
        type = MSG_ENCODE_UCS2;
        break;
    case MSG_ENCODE_AUTO: {
        unsigned char charType = MSG_ENCODE_GSM7BIT;
        len = convert->convertUTF8ToAuto(scratch.data(), scratchSize, src, srcLen, &charType);
        if (len < 0 || charType == MSG_ENCODE_8BIT) {
            MSG_LOGE("Unsupported encode type. msgEncodeTypeTo : %d, encodeType : %d", msgEncodeTypeTo,
                     charType);
            return false;
        }
        *segmentSize = charType == MSG_ENCODE_UCS2 ? ucs2SegmentSize(len) : gsmSegmentSize(len, false);
        type = charType;
        break;
    }
    default:
        MSG_LOGE("Unsupported encode type. msgEncodeTypeTo : %d", msgEncodeTypeTo);
        return false;
    }
    *outTextSize = static_cast<unsigned int>(len);
    *encodeType = type;
    return true;
}

int MCUtilTextLength::getEncodedTextSize(char* text, int encodeMode, int* encodedTextSize, int* segmentSize) {
    MSG_RETV_IF(!text, MSG_ENCODE_AUTO, "text is nullptr");
    MSG_RETV_IF(!encodedTextSize, MSG_ENCODE_AUTO, "encodedTextSize is nullptr");
    unsigned int size = 0;
    unsigned int segment = 0;
    unsigned char encodeType = MSG_ENCODE_GSM7BIT;
    if (text[0] != '\0' &&
        !CalculateTextLength(text, static_cast<unsigned char>(encodeMode), &size, &segment, &encodeType))
        MSG_LOGE("CalculateTextLength is error.");
    *encodedTextSize = static_cast<int>(size);
    if (segmentSize)
        *segmentSize = static_cast<int>(segment);

    switch (encodeMode) {
    case MSG_ENCODE_UCS2:
        return MSG_ENCODE_UCS2;
    case MSG_ENCODE_AUTO:
        return encodeType == MSG_ENCODE_GSM7BIT ? MSG_ENCODE_GSM7BIT : MSG_ENCODE_UCS2;
    case MSG_ENCODE_GSM7BIT:
        // 1 here means "GSM 7-bit with replaced characters", not 8-bit data.
        return encodeType == MSG_ENCODE_GSM7BIT_ABNORMAL ? 1 : MSG_ENCODE_GSM7BIT;
    default:
        MSG_LOGE("unsupported encode mode %d", encodeMode);
        return MSG_ENCODE_AUTO;
    }
}

bool MCUtilTextLength::isTextOverSmsLimit(char* text, int* overCount, int* textSize, int* limit,
                                          bool reducedLimit) {
    MSG_RETV_IF(!text, false, "text is nullptr");
    int size = 0;
    int smsLimit = SMS_GSM7BIT_LIMIT;
    if (text[0] != '\0') {
        int segment = 0;
        int type = getEncodedTextSize(text, MSG_ENCODE_AUTO, &size, &segment);
        if (reducedLimit) {
            smsLimit = SMS_REDUCED_LIMIT;
        } else if (type == MSG_ENCODE_UCS2) {
            smsLimit = SMS_UCS2_CHAR_LIMIT;
            size /= 2;
        } else if (type == MSG_ENCODE_GSM7BIT || type == 1) {
            smsLimit = SMS_GSM7BIT_LIMIT;
        } else {
            smsLimit = 0;
        }
    }
    if (textSize)
        *textSize = size;
    if (limit)
        *limit = smsLimit;
    if (size <= smsLimit)
        return false;
    if (overCount)
        *overCount = size - smsLimit;
    return true;
}

bool MCUtilTextLength::isTextOverMmsLimit(char* text, int* overCount, int* textSize, int* limit,
                                          bool reducedLimit) {
    (void)textSize;
    (void)limit;
    (void)reducedLimit;
    MSG_RETV_IF(!text, false, "text is nullptr");
    const size_t count = utf8::countChars(text, std::strlen(text));
    if (count <= static_cast<size_t>(MMS_TEXT_CHAR_LIMIT))
        return false;
    if (overCount)
        *overCount = static_cast<int>(std::min<size_t>(count - MMS_TEXT_CHAR_LIMIT, INT_MAX));
    return true;
}

} // namespace compose
} // namespace msg_app
