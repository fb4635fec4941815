/*
 * How long a text is in each SMS encoding, and whether it fits one SMS or one MMS.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_MCUTILTEXTLENGTH_H
#define MSG_APP_COMPOSE_MCUTILTEXTLENGTH_H

namespace msg_app {
namespace compose {

struct MCUtilTextLength {
    static constexpr int SMS_GSM7BIT_LIMIT = 160;    // septets of one SMS
    static constexpr int SMS_UCS2_CHAR_LIMIT = 70;   // characters of one UCS-2 SMS
    static constexpr int SMS_REDUCED_LIMIT = 140;    // septets or bytes, with the reduced limit
    static constexpr int SMS_UCS2_PAGE_BYTES = 140;  // bytes of one UCS-2 SMS page
    static constexpr int MMS_TEXT_CHAR_LIMIT = 1000; // characters of one MMS text

    // Measures msgText in the encoding msgEncodeTypeTo (MsgEncodeType 0, 2 or
    // 3): its size in units of that encoding (septets or bytes), the size of one
    // SMS segment, and the encoding used (0, 2 or 4). False when the text cannot
    // be measured so.
    static bool CalculateTextLength(const char* msgText, unsigned char msgEncodeTypeTo,
                                    unsigned int* outTextSize, unsigned int* segmentSize,
                                    unsigned char* encodeType);
    // The size of text in encodeMode; returns 0 for GSM 7-bit, 1 for GSM 7-bit
    // with replaced characters, 2 for UCS-2 and 3 on error.
    static int getEncodedTextSize(char* text, int encodeMode, int* encodedTextSize, int* segmentSize);
    // Whether text exceeds one SMS; every out-parameter may be null.
    static bool isTextOverSmsLimit(char* text, int* overCount, int* textSize, int* limit, bool reducedLimit);
    // Whether text has more characters than one MMS takes.
    static bool isTextOverMmsLimit(char* text, int* overCount, int* textSize, int* limit, bool reducedLimit);
};

} // namespace compose
} // namespace msg_app

#endif
