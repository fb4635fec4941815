#ifndef MSG_APP_COMPOSE_TEXTCONVERTER_MSGTEXTCONVERT_H
#define MSG_APP_COMPOSE_TEXTCONVERTER_MSGTEXTCONVERT_H

#include "compose/textconverter/MsgCharMap.h"

namespace msg_app {
namespace compose {

// Encodings of message text: what a caller asks for, and what a measurement found.
enum MsgEncodeType : unsigned char {
    MSG_ENCODE_GSM7BIT = 0,
    MSG_ENCODE_8BIT = 1, // raw bytes: only when automatic choice cannot read the UTF-8 input
    MSG_ENCODE_UCS2 = 2,
    MSG_ENCODE_AUTO = 3,             // input only
    MSG_ENCODE_GSM7BIT_ABNORMAL = 4, // GSM 7-bit in which characters were replaced; output only
};

// National languages of the GSM 7-bit shift tables.
enum MsgLangId : unsigned char {
    MSG_LANG_ID_RESERVED = 0,
    MSG_LANG_ID_TURKISH = 1,
    MSG_LANG_ID_SPANISH = 2,
    MSG_LANG_ID_PORTUGUESE = 3,
};

// Language information of a GSM 7-bit text.
struct _MSG_LANG_INFO_S {
    bool singleShift;                   // escaped codes use the national single-shift table
    bool lockingShift;                  // the base table is the national locking-shift table
    unsigned char singleShiftLanguage;  // MsgLangId
    unsigned char lockingShiftLanguage; // MsgLangId
};

// Converts message text between UTF-8, UCS-2 (big-endian), GSM 7-bit (one
// septet per byte), EUC-KR, Shift-JIS and ASCII.
//
// Every function writes at most destSize bytes into dest and reads at most
// srcLen bytes of src; it returns the count of bytes (septets for GSM 7-bit)
// written, or a negative value on failure.
class MsgTextConvert {
public:
    // Created on first use and never destroyed.
    static MsgTextConvert* instance();

    MsgTextConvert(const MsgTextConvert&) = delete;
    MsgTextConvert& operator=(const MsgTextConvert&) = delete;

    // srcLen -1: src is NUL-terminated. Fails (-1) on invalid UTF-8 or when dest is too small.
    int convertUTF8ToUCS2(unsigned char* dest, int destSize, const unsigned char* src, int srcLen);
    // These write a NUL behind the output (within destSize) and return the bytes before it.
    // An invalid code unit or byte becomes U+FFFD; a truncated one at the end is dropped.
    int convertUCS2ToUTF8(unsigned char* dest, int destSize, const unsigned char* src, int srcLen);
    int convertEUCKRToUTF8(unsigned char* dest, int destSize, const unsigned char* src, int srcLen);
    int convertSHIFTJISToUTF8(unsigned char* dest, int destSize, const unsigned char* src, int srcLen);

    // Copies code units below 0x80 as bytes; returns 0 and sets *outUnknown at the first other one.
    int convertUCS2ToASCII(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                           bool* outUnknown);
    // GSM 7-bit with a national single-shift table when the text needs one, and
    // plain letters (or '?') for characters that no table holds.
    int convertUCS2ToGSM7bit(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                             unsigned char* outLangId, bool* outReplaced);
    // srcLen below 1: src is NUL-terminated.
    int convertUTF8ToGSM7bit(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                             unsigned char* outLangId, bool* outReplaced);
    // Default alphabet and extension table only; returns 0 and sets *outUnknown
    // at the first character that neither holds.
    int convertUCS2ToGSM7bitAuto(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                                 bool* outUnknown);
    // GSM 7-bit when the default alphabet suffices, else UCS-2, else (unreadable
    // UTF-8) the raw bytes; *outCharType tells which (MsgEncodeType 0, 2 or 1).
    int convertUTF8ToAuto(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                          unsigned char* outCharType);

    // Decoding; fails (-1) on a byte that is not a 7-bit code.
    int convertGSM7bitToUCS2(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                             _MSG_LANG_INFO_S* langInfo);
    int convertGSM7bitToUTF8(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                             _MSG_LANG_INFO_S* langInfo);

    void convertDumpTextToHex(const unsigned char* text, int length);

private:
    MsgTextConvert();

    void _fillMaps();
    const MsgCharMap* _shiftMap(unsigned char langClass, unsigned char* outLangId) const;
    int _convertToUTF8(const char* fromCode, int unitSize, unsigned char* dest, int destSize,
                       const unsigned char* src, int srcLen);
    static const unsigned short* _baseTable(const _MSG_LANG_INFO_S& langInfo);
    static const unsigned short* _singleShiftTable(const _MSG_LANG_INFO_S& langInfo);

    MsgCharMap _languageClassMap;
    MsgCharMap _defaultMap;
    MsgCharMap _extensionMap;
    MsgCharMap _turkishMap;
    MsgCharMap _spanishMap;
    MsgCharMap _portugueseMap;
    MsgCharMap _replacementMap;
};

} // namespace compose
} // namespace msg_app

#endif
