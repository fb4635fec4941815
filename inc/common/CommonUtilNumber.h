/*
 * Phone-number checks and spellings for the screen and for the screen reader.
 */
#ifndef MSG_APP_COMMON_COMMONUTILNUMBER_H
#define MSG_APP_COMMON_COMMONUTILNUMBER_H

#include <string>

namespace msg_app {
namespace common_util {

// 3 to 40 bytes (a leading "+" counted), then digits, "-", " ", "#" and "*" only.
bool is_phone_number(const char* address);
// The number without its separators (" /-().") and anything else that is not a digit, "#", "*"
// or "+"; a number without separators is copied unchanged. False for null or empty.
bool make_normalized_number(const char* number, std::string& out);
// Appends the number spelled for a screen reader: each digit followed by a space, each separator
// read as a space.
void make_phonenumber_text_for_tts(const char* number, std::string& out);

} // namespace common_util
} // namespace msg_app

#endif
