#ifndef MSG_TESTS_COMPOSE_TEXTCONVERTER_TEXTTESTUTIL_H
#define MSG_TESTS_COMPOSE_TEXTCONVERTER_TEXTTESTUTIL_H

#include <string>
#include <vector>

namespace text_test {

using Bytes = std::vector<unsigned char>;

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

inline std::string str(const Bytes& data, int len) {
    return std::string(data.begin(), data.begin() + len);
}

inline std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
}

} // namespace text_test

#endif
