/*
 * Stateless helpers every screen leans on: phone-number and bidirectional
 * text functions, web-link matchers, device and policy queries, launch
 * request accessors, resource paths and the application's start and stop.
 */
#ifndef MSG_APP_COMMON_COMMONUTIL_H
#define MSG_APP_COMMON_COMMONUTIL_H

#include <string>

namespace msg_app {
namespace common_util {

// ---- Phone numbers ------------------------------------------------------

// 3 to 40 bytes (a leading "+" counted), then digits, "-", " ", "#" and "*" only.
bool is_phone_number(const char* address);
// The number without its separators (" /-().") and anything else that is not a digit, "#", "*"
// or "+"; a number without separators is copied unchanged. False for null or empty.
bool make_normalized_number(const char* number, std::string& out);
// Appends the number spelled for a screen reader: each digit followed by a space, each separator
// read as a space.
void make_phonenumber_text_for_tts(const char* number, std::string& out);

// ---- Text ---------------------------------------------------------------

// A new string (free() it) where every carriage return not followed by a line feed is one;
// null for null.
char* convert_cr_to_nl(const char* text);

// Left-to-right mark (U+200E) in front, pop-directional-formatting mark (U+202C) at the end.
bool has_ltr_prefix(const char* text);
void add_ltr_mark(std::string& text);
// Removes the front mark when present and everything from the first end mark on.
void del_ltr_mark(std::string& text);

// ---- Web links ----------------------------------------------------------

// Whether the url, without a leading "<scheme>://", starts with prefix.
bool is_url_prefix_match(const char* url, const char* prefix);
bool is_google_map_url_match(const char* url);
bool is_hulm_app_url_match(const char* url);
bool is_glympse_url_match(const char* url);
bool is_here_map_url_match(const char* url);

} // namespace common_util
} // namespace msg_app

#endif
