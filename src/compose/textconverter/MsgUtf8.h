#ifndef MSG_APP_COMPOSE_TEXTCONVERTER_MSGUTF8_H
#define MSG_APP_COMPOSE_TEXTCONVERTER_MSGUTF8_H

#include <glib.h>

#include <cstddef>
#include <string>

// Walking UTF-8 text that may be malformed, without ever reading past its end.
namespace msg_app {
namespace compose {
namespace utf8 {

// Decodes the character at the front of text (len bytes, len > 0). A byte that
// starts no valid sequence counts as one character of its own; then false.
bool decodeChar(const char* text, std::size_t len, gunichar& ch, std::size_t& charLen);

// Characters of text, an invalid byte counting as one.
std::size_t countChars(const char* text, std::size_t len);

// The byte offset count characters after pos, or the end of text.
std::size_t advanceChars(const std::string& text, std::size_t pos, std::size_t count);

// The text itself when it is valid UTF-8 without NUL bytes; else a copy in
// which each invalid byte and NUL is U+FFFD, with an error logged.
std::string validText(const std::string& text);

} // namespace utf8
} // namespace compose
} // namespace msg_app

#endif
