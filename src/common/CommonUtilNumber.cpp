#include "common/CommonUtilNumber.h"

#include "common/MsgLog.h"

#include <cstring>

namespace msg_app {
namespace common_util {

namespace {

constexpr size_t kPhoneNumberMinLen = 3;
constexpr size_t kPhoneNumberMaxLen = 40;

bool isSeparator(char c) {
    return c != '\0' && std::strchr(" /-().", c) != nullptr;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isDialChar(char c) {
    return isDigit(c) || c == '#' || c == '*' || c == '+';
}

} // namespace

bool is_phone_number(const char* address) {
    MSG_RETV_IF(!address, false, "address is null");
    MSG_RETV_IF(!*address, false, "address is empty");

    size_t len = std::strlen(address);
    if (len < kPhoneNumberMinLen || len > kPhoneNumberMaxLen)
        return false;

    const char* p = address;
    if (*p == '+')
        ++p;
    for (; *p; ++p) {
        if (!isDigit(*p) && *p != '-' && *p != ' ' && *p != '#' && *p != '*')
            return false;
    }
    return true;
}

bool make_normalized_number(const char* number, std::string& out) {
    MSG_RETV_IF(!number || !*number, false, "number is empty");

    bool hasSeparator = false;
    for (const char* p = number; *p && !hasSeparator; ++p)
        hasSeparator = isSeparator(*p);

    if (!hasSeparator) {
        out = number;
        return true;
    }
    out.clear();
    for (const char* p = number; *p; ++p) {
        if (isDialChar(*p))
            out += *p;
    }
    return true;
}

void make_phonenumber_text_for_tts(const char* number, std::string& out) {
    MSG_RET_IF(!number, "number is null");
    for (const char* p = number; *p; ++p) {
        if (isDigit(*p)) {
            out += *p;
            out += ' ';
        } else if (isSeparator(*p)) {
            out += ' ';
        } else {
            out += *p;
        }
    }
}

} // namespace common_util
} // namespace msg_app
