#include "MsgUtf8.h"

#include "common/MsgLog.h"

#include <algorithm>

namespace msg_app {
namespace compose {
namespace utf8 {

bool decodeChar(const char* text, std::size_t len, gunichar& ch, std::size_t& charLen) {
    gssize maxLen = static_cast<gssize>(std::min<std::size_t>(len, 4));
    gunichar decoded = g_utf8_get_char_validated(text, maxLen);
    if (decoded == static_cast<gunichar>(-1) || decoded == static_cast<gunichar>(-2)) {
        ch = static_cast<unsigned char>(text[0]);
        charLen = 1;
        return false;
    }
    ch = decoded;
    charLen = static_cast<std::size_t>(g_utf8_skip[static_cast<unsigned char>(text[0])]);
    return true;
}

std::size_t countChars(const char* text, std::size_t len) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < len; ++count) {
        gunichar ch;
        std::size_t charLen;
        decodeChar(text + pos, len - pos, ch, charLen);
        pos += charLen;
    }
    return count;
}

std::size_t advanceChars(const std::string& text, std::size_t pos, std::size_t count) {
    for (; count > 0 && pos < text.size(); --count) {
        gunichar ch;
        std::size_t charLen;
        decodeChar(text.data() + pos, text.size() - pos, ch, charLen);
        pos += charLen;
    }
    return pos;
}

std::string validText(const std::string& text) {
    if (g_utf8_validate_len(text.data(), text.size(), nullptr))
        return text;
    MSG_LOGE("text of %zu bytes is not valid UTF-8: invalid bytes become U+FFFD", text.size());
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

} // namespace utf8
} // namespace compose
} // namespace msg_app
