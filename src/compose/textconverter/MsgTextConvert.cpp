#include "compose/textconverter/MsgTextConvert.h"

#include "MsgGsmTables.h"
#include "MsgIconv.h"
#include "common/MsgLog.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace msg_app {
namespace compose {

namespace {

constexpr unsigned char GSM_ESCAPE = 0x1B;
constexpr unsigned short UCS2_ESCAPE = 0x001B;
constexpr unsigned short UCS2_SPACE = 0x0020;
constexpr unsigned short CEDILLA_SMALL_C = 0x00E7;
constexpr unsigned char UNKNOWN_CHAR = '?';
constexpr unsigned char UTF8_REPLACEMENT[] = {0xEF, 0xBF, 0xBD}; // U+FFFD
// Scratch buffers hold four bytes per source byte, which any of the
// intermediate encodings fits in.
constexpr int SCRATCH_BYTES_PER_SOURCE_BYTE = 4;

enum LanguageClass : unsigned char {
    CLASS_NONE = 0,
    CLASS_EXTENSION = 1,
    CLASS_TURKISH = 2,
    CLASS_SPANISH = 3,
    CLASS_PORTUGUESE = 4,
};

bool hasBuffers(const unsigned char* dest, int destSize, const unsigned char* src) {
    return dest && destSize > 0 && src;
}

unsigned short readUnit(const unsigned char* src, int index) {
    return static_cast<unsigned short>((src[2 * index] << 8) | src[2 * index + 1]);
}

// Appends a code of a shift table behind its escape; false, with nothing written, when the pair
// does not fit.
bool putEscaped(unsigned char* dest, int destSize, int& written, unsigned char code) {
    if (written + 1 >= destSize)
        return false;
    dest[written++] = GSM_ESCAPE;
    dest[written++] = code;
    return true;
}

bool isHighSurrogate(unsigned short unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Scratch buffers live on the heap: four bytes per source byte of a long text
// would overflow the stack.
bool allocScratch(int srcLen, std::vector<unsigned char>& scratch) {
    if (srcLen > INT_MAX / SCRATCH_BYTES_PER_SOURCE_BYTE) {
        MSG_LOGE("text of %d bytes is too long to convert", srcLen);
        return false;
    }
    scratch.resize(static_cast<size_t>(srcLen) * SCRATCH_BYTES_PER_SOURCE_BYTE);
    return true;
}

// The shift tables give a space for every code they leave free, so spaces are
// not inverted; the default alphabet is inverted whole.
void invertInto(MsgCharMap& map, const gsm_tables::DecodeTable& table, bool skipSpaces,
                unsigned short excluded = 0) {
    for (size_t code = 0; code < table.size(); ++code) {
        if ((skipSpaces && table[code] == UCS2_SPACE) || (excluded && table[code] == excluded))
            continue;
        map.insert(table[code], static_cast<unsigned char>(code));
    }
}

// The language class of the whole text: the highest class found wins, but ç
// counts as Turkish until a Spanish or Portuguese letter has been seen.
unsigned char textLanguageClass(const MsgCharMap& classMap, const unsigned char* src, int units) {
    unsigned char langClass = CLASS_NONE;
    for (int i = 0; i < units; ++i) {
        unsigned short unit = readUnit(src, i);
        unsigned char found;
        if (!classMap.find(unit, found) || found < langClass)
            continue;
        if (langClass <= CLASS_TURKISH && unit == CEDILLA_SMALL_C)
            langClass = CLASS_TURKISH;
        else
            langClass = found;
    }
    return langClass;
}

} // namespace

MsgTextConvert* MsgTextConvert::instance() {
    static MsgTextConvert* pInstance = new MsgTextConvert();
    return pInstance;
}

MsgTextConvert::MsgTextConvert() {
    _fillMaps();
}

void MsgTextConvert::_fillMaps() {
    using namespace gsm_tables;
    for (size_t i = 0; i < LANGUAGE_CLASS_COUNT; ++i)
        _languageClassMap.insert(LANGUAGE_CLASSES[i].ch, LANGUAGE_CLASSES[i].value);

    invertInto(_defaultMap, DEFAULT_ALPHABET, false);
    invertInto(_extensionMap, DEFAULT_EXTENSION, true);
    invertInto(_turkishMap, TURKISH_SINGLE_SHIFT, true);
    for (size_t i = 0; i < TURKISH_SHIFT_ALIAS_COUNT; ++i)
        _turkishMap.insert(TURKISH_SHIFT_ALIASES[i].ch, TURKISH_SHIFT_ALIASES[i].value);
    // A ç among Spanish letters selects the Portuguese table, so the Spanish
    // map never needs it.
    invertInto(_spanishMap, SPANISH_SINGLE_SHIFT, true, CEDILLA_SMALL_C);
    invertInto(_portugueseMap, PORTUGUESE_SINGLE_SHIFT, true);

    for (size_t i = 0; i < REPLACEMENT_COUNT; ++i) {
        for (const char16_t* ch = REPLACEMENTS[i].chars; *ch; ++ch)
            _replacementMap.insert(static_cast<unsigned short>(*ch),
                                   static_cast<unsigned char>(REPLACEMENTS[i].letter));
    }
}

int MsgTextConvert::convertUTF8ToUCS2(unsigned char* dest, int destSize, const unsigned char* src,
                                      int srcLen) {
    if (!hasBuffers(dest, destSize, src) || srcLen < -1) {
        MSG_LOGE("UTF8 to UCS2 Failed as text length is 0");
        return -1;
    }
    size_t inLeft =
        srcLen == -1 ? std::strlen(reinterpret_cast<const char*>(src)) : static_cast<size_t>(srcLen);
    size_t outLeft = static_cast<size_t>(destSize);
    unsigned char* out = dest;
    MsgIconv iconv("UTF16BE", "UTF8");
    MsgIconv::Result result = iconv.convert(src, inLeft, out, outLeft);
    if (result.failed()) {
        MSG_LOGE("Error in g_iconv. err : %d", result.error);
        return -1;
    }
    return static_cast<int>(out - dest);
}

int MsgTextConvert::convertUCS2ToUTF8(unsigned char* dest, int destSize, const unsigned char* src,
                                      int srcLen) {
    int written = _convertToUTF8("UTF16BE", 2, dest, destSize, src, srcLen);
    if (written < 0) {
        MSG_LOGE("UCS2 to UTF8 Failed as text length is 0");
        return 0;
    }
    return written;
}

int MsgTextConvert::convertEUCKRToUTF8(unsigned char* dest, int destSize, const unsigned char* src,
                                       int srcLen) {
    return std::max(0, _convertToUTF8("EUCKR", 1, dest, destSize, src, srcLen));
}

int MsgTextConvert::convertSHIFTJISToUTF8(unsigned char* dest, int destSize, const unsigned char* src,
                                          int srcLen) {
    return std::max(0, _convertToUTF8("SHIFT-JIS", 1, dest, destSize, src, srcLen));
}

// A received text may hold a broken unit (a surrogate half of a pair split
// across segments, a stray byte): it becomes U+FFFD and the rest of the text
// is still converted. The NUL always fits, as one byte of dest is kept for it.
// Bad arguments give -1, with an empty text in dest when it has room.
int MsgTextConvert::_convertToUTF8(const char* fromCode, int unitSize, unsigned char* dest, int destSize,
                                   const unsigned char* src, int srcLen) {
    if (!hasBuffers(dest, destSize, src) || srcLen <= 0) {
        if (dest && destSize > 0)
            dest[0] = '\0';
        return -1;
    }
    const unsigned char* in = src;
    size_t inLeft = static_cast<size_t>(srcLen);
    unsigned char* out = dest;
    size_t outLeft = static_cast<size_t>(destSize) - 1;
    MsgIconv iconv("UTF8", fromCode);
    bool logged = false;
    while (true) {
        MsgIconv::Result result = iconv.convert(in, inLeft, out, outLeft);
        if (result.value != 0 && !logged) {
            MSG_LOGE("g_iconv() return value = %d", static_cast<int>(result.value));
            logged = true;
        }
        if (!result.failed() || result.error != EILSEQ || inLeft < static_cast<size_t>(unitSize) ||
            outLeft < sizeof(UTF8_REPLACEMENT))
            break;
        std::memcpy(out, UTF8_REPLACEMENT, sizeof(UTF8_REPLACEMENT));
        out += sizeof(UTF8_REPLACEMENT);
        outLeft -= sizeof(UTF8_REPLACEMENT);
        in += unitSize;
        inLeft -= static_cast<size_t>(unitSize);
    }
    *out = '\0';
    return static_cast<int>(out - dest);
}

int MsgTextConvert::convertUCS2ToASCII(unsigned char* dest, int destSize, const unsigned char* src,
                                       int srcLen, bool* outUnknown) {
    if (!hasBuffers(dest, destSize, src) || srcLen < 0 || !outUnknown) {
        MSG_LOGE("UCS2 to ASCII Failed: invalid argument");
        return -1;
    }
    const int units = srcLen / 2;
    int written = 0;
    for (int i = 0; i < units && written < destSize; ++i) {
        unsigned short unit = readUnit(src, i);
        if (unit >= 0x80) {
            *outUnknown = true;
            return 0;
        }
        dest[written++] = static_cast<unsigned char>(unit);
    }
    return written;
}

const MsgCharMap* MsgTextConvert::_shiftMap(unsigned char langClass, unsigned char* outLangId) const {
    switch (langClass) {
    case CLASS_EXTENSION:
        return &_extensionMap;
    case CLASS_TURKISH:
        *outLangId = MSG_LANG_ID_TURKISH;
        return &_turkishMap;
    case CLASS_SPANISH:
        *outLangId = MSG_LANG_ID_SPANISH;
        return &_spanishMap;
    case CLASS_PORTUGUESE:
        *outLangId = MSG_LANG_ID_PORTUGUESE;
        return &_portugueseMap;
    default:
        return nullptr;
    }
}

int MsgTextConvert::convertUCS2ToGSM7bit(unsigned char* dest, int destSize, const unsigned char* src,
                                         int srcLen, unsigned char* outLangId, bool* outReplaced) {
    if (!hasBuffers(dest, destSize, src) || !outLangId || !outReplaced) {
        MSG_LOGE("UCS2 to GSM7bit Failed: invalid argument");
        return -1;
    }
    *outLangId = MSG_LANG_ID_RESERVED;
    *outReplaced = false;
    if (srcLen < 1)
        return 0;

    const int units = srcLen / 2;
    const unsigned char langClass = textLanguageClass(_languageClassMap, src, units);
    int written = 0;
    for (int i = 0; i < units && written < destSize; ++i) {
        unsigned short unit = readUnit(src, i);
        unsigned char code;
        if (_defaultMap.find(unit, code)) {
            dest[written++] = code;
            continue;
        }
        const MsgCharMap* shiftMap = _shiftMap(langClass, outLangId);
        if (shiftMap && shiftMap->find(unit, code)) {
            if (!putEscaped(dest, destSize, written, code))
                break;
            continue;
        }
        if (!_replacementMap.find(unit, code))
            code = UNKNOWN_CHAR;
        dest[written++] = code;
        *outReplaced = true;
    }
    return written;
}

int MsgTextConvert::convertUTF8ToGSM7bit(unsigned char* dest, int destSize, const unsigned char* src,
                                         int srcLen, unsigned char* outLangId, bool* outReplaced) {
    if (!hasBuffers(dest, destSize, src) || !outLangId || !outReplaced) {
        MSG_LOGE("UTF8 to GSM7bit Failed: invalid argument");
        return -1;
    }
    if (srcLen < 1)
        srcLen = static_cast<int>(std::min<size_t>(std::strlen(reinterpret_cast<const char*>(src)), INT_MAX));
    if (srcLen == 0) {
        *outLangId = MSG_LANG_ID_RESERVED;
        *outReplaced = false;
        return 0;
    }
    std::vector<unsigned char> ucs2;
    if (!allocScratch(srcLen, ucs2))
        return -1;
    int ucs2Len = convertUTF8ToUCS2(ucs2.data(), static_cast<int>(ucs2.size()), src, srcLen);
    if (ucs2Len < 0)
        return -1;
    return convertUCS2ToGSM7bit(dest, destSize, ucs2.data(), ucs2Len, outLangId, outReplaced);
}

int MsgTextConvert::convertUCS2ToGSM7bitAuto(unsigned char* dest, int destSize, const unsigned char* src,
                                             int srcLen, bool* outUnknown) {
    if (!hasBuffers(dest, destSize, src) || !outUnknown) {
        MSG_LOGE("UCS2 to GSM7bit Failed: invalid argument");
        return -1;
    }
    *outUnknown = false;
    const int units = srcLen / 2;
    int written = 0;
    for (int i = 0; i < units && written < destSize; ++i) {
        unsigned short unit = readUnit(src, i);
        unsigned char code;
        if (_defaultMap.find(unit, code)) {
            dest[written++] = code;
        } else if (_extensionMap.find(unit, code)) {
            if (!putEscaped(dest, destSize, written, code))
                break;
        } else {
            *outUnknown = true;
            return 0;
        }
    }
    return written;
}

int MsgTextConvert::convertUTF8ToAuto(unsigned char* dest, int destSize, const unsigned char* src, int srcLen,
                                      unsigned char* outCharType) {
    if (!hasBuffers(dest, destSize, src) || srcLen < 0 || !outCharType) {
        MSG_LOGE("UTF8 to Auto Failed: invalid argument");
        return -1;
    }
    if (srcLen == 0) {
        *outCharType = MSG_ENCODE_GSM7BIT;
        return 0;
    }
    std::vector<unsigned char> ucs2;
    if (!allocScratch(srcLen, ucs2))
        return -1;
    int ucs2Len = convertUTF8ToUCS2(ucs2.data(), static_cast<int>(ucs2.size()), src, srcLen);
    if (ucs2Len < 0) {
        int copied = std::min(srcLen, destSize);
        std::memcpy(dest, src, static_cast<size_t>(copied));
        *outCharType = MSG_ENCODE_8BIT;
        return copied;
    }
    bool unknown = false;
    int septets = convertUCS2ToGSM7bitAuto(dest, destSize, ucs2.data(), ucs2Len, &unknown);
    if (!unknown) {
        *outCharType = MSG_ENCODE_GSM7BIT;
        return septets;
    }
    // Only whole code units, and never half of a surrogate pair, are copied.
    int copied = std::min(ucs2Len, destSize) & ~1;
    if (copied > 0 && copied < ucs2Len && isHighSurrogate(readUnit(ucs2.data(), copied / 2 - 1)))
        copied -= 2;
    std::memcpy(dest, ucs2.data(), static_cast<size_t>(copied));
    *outCharType = MSG_ENCODE_UCS2;
    return copied;
}

const unsigned short* MsgTextConvert::_baseTable(const _MSG_LANG_INFO_S& langInfo) {
    if (langInfo.lockingShift && langInfo.lockingShiftLanguage == MSG_LANG_ID_TURKISH)
        return gsm_tables::TURKISH_LOCKING_SHIFT.data();
    if (langInfo.lockingShift && langInfo.lockingShiftLanguage == MSG_LANG_ID_PORTUGUESE)
        return gsm_tables::PORTUGUESE_LOCKING_SHIFT.data();
    // No Spanish locking-shift table exists: the default alphabet stands in.
    return gsm_tables::DEFAULT_ALPHABET.data();
}

const unsigned short* MsgTextConvert::_singleShiftTable(const _MSG_LANG_INFO_S& langInfo) {
    if (langInfo.singleShift) {
        switch (langInfo.singleShiftLanguage) {
        case MSG_LANG_ID_TURKISH:
            return gsm_tables::TURKISH_SINGLE_SHIFT.data();
        case MSG_LANG_ID_SPANISH:
            return gsm_tables::SPANISH_SINGLE_SHIFT.data();
        case MSG_LANG_ID_PORTUGUESE:
            return gsm_tables::PORTUGUESE_SINGLE_SHIFT.data();
        default:
            break;
        }
    }
    return gsm_tables::DEFAULT_EXTENSION.data();
}

int MsgTextConvert::convertGSM7bitToUCS2(unsigned char* dest, int destSize, const unsigned char* src,
                                         int srcLen, _MSG_LANG_INFO_S* langInfo) {
    if (!hasBuffers(dest, destSize, src) || !langInfo) {
        MSG_LOGE("UCS2 to GSM7bit Failed as text length is 0");
        return -1;
    }
    if (srcLen < 1)
        return 0;
    for (int i = 0; i < srcLen; ++i) {
        if (src[i] >= 0x80) {
            MSG_LOGE(">>>>>>>a_pTextString[i]=%x, The alpha isn't the gsm 7bit code, Never Come here!!!",
                     src[i]);
            return -1;
        }
    }
    const unsigned short* base = _baseTable(*langInfo);
    const unsigned short* shift = _singleShiftTable(*langInfo);
    int written = 0;
    for (int i = 0; i < srcLen && written + 1 < destSize; ++i) {
        unsigned short ch = base[src[i]];
        if (ch == UCS2_ESCAPE) {
            // An escape with no code behind it stands for nothing the table
            // could show: a space, as for any code the table leaves free.
            ch = i + 1 < srcLen ? shift[src[++i]] : UCS2_SPACE;
        }
        dest[written++] = static_cast<unsigned char>(ch >> 8);
        dest[written++] = static_cast<unsigned char>(ch & 0xFF);
    }
    return written;
}

int MsgTextConvert::convertGSM7bitToUTF8(unsigned char* dest, int destSize, const unsigned char* src,
                                         int srcLen, _MSG_LANG_INFO_S* langInfo) {
    if (!hasBuffers(dest, destSize, src) || !langInfo) {
        MSG_LOGE("GSM7bit to UTF8 Failed: invalid argument");
        return -1;
    }
    if (srcLen < 1) {
        dest[0] = '\0';
        return 0;
    }
    std::vector<unsigned char> ucs2;
    if (!allocScratch(srcLen, ucs2))
        return -1;
    int ucs2Len = convertGSM7bitToUCS2(ucs2.data(), static_cast<int>(ucs2.size()), src, srcLen, langInfo);
    if (ucs2Len < 0)
        return -1;
    return convertUCS2ToUTF8(dest, destSize, ucs2.data(), ucs2Len);
}

void MsgTextConvert::convertDumpTextToHex(const unsigned char* text, int length) {
    (void)text;
    (void)length;
}

} // namespace compose
} // namespace msg_app
