/*
 * Line-break and bidirectional-mark helpers for message text.
 */
#ifndef MSG_APP_COMMON_COMMONUTILTEXT_H
#define MSG_APP_COMMON_COMMONUTILTEXT_H

#include <string>

namespace msg_app {
namespace common_util {

// A new string (free() it) where every carriage return not followed by a line feed is one;
// null for null.
char* convert_cr_to_nl(const char* text);

// Left-to-right mark (U+200E) in front, pop-directional-formatting mark (U+202C) at the end.
bool has_ltr_prefix(const char* text);
void add_ltr_mark(std::string& text);
// Removes the front mark when present and everything from the first end mark on.
void del_ltr_mark(std::string& text);

} // namespace common_util
} // namespace msg_app

#endif
