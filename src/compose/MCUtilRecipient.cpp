#include "compose/MCUtilRecipient.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "compose/MCUtil.h"

#include <cctype>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {

constexpr size_t EMAIL_MAX_LEN = 256;
constexpr size_t RECIPIENT_MIN_LEN = 3;
constexpr size_t INTERNATIONAL_RECIPIENT_MIN_LEN = 4;

bool isAsciiAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool isDialDigit(char c) {
    return (c >= '0' && c <= '9') || c == '#' || c == '*';
}

bool isLooseSeparator(char c) {
    return std::strchr(" /-().", c) != nullptr;
}

} // namespace

bool MCUtilRecipient::isValidPhoneNumber(const char* address, bool strict) {
    MSG_RETV_IF(!address, false, "address is nullptr");
    if (!*address) {
        MSG_LOGD("Too short address");
        return false;
    }
    const char* p = address;
    if (*p == '+')
        ++p;
    bool hasDigit = false;
    for (; *p; ++p) {
        if (isDialDigit(*p)) {
            hasDigit = hasDigit || std::isdigit(static_cast<unsigned char>(*p));
            continue;
        }
        if (strict) {
            MSG_LOGD("Invalid phone number");
            return false;
        }
        if (!isLooseSeparator(*p)) {
            MSG_LOGD("Invalid address");
            return false;
        }
    }
    return hasDigit;
}

bool MCUtilRecipient::isValidEmailAddress(const std::string& address) {
    MSG_RETV_IF(address.empty(), false, "address is empty");
    if (address.size() > EMAIL_MAX_LEN)
        return false;
    size_t i = 0;
    bool localPart = false;
    for (; i < address.size() && address[i] != '@'; ++i) {
        char c = address[i];
        if (c == ' ')
            continue;
        if (!isAsciiAlnum(c) && c != '-' && c != '.' && c != '_')
            return false;
        localPart = true;
    }
    if (i == address.size() || !localPart)
        return false;
    // The domain starts at its first letter, digit, "_" or "-"; a letter or digit after its
    // first dot is enough.
    bool inDomain = false;
    bool afterDot = false;
    for (++i; i < address.size(); ++i) {
        char c = address[i];
        if (c == ' ')
            continue;
        if (!inDomain) {
            inDomain = isAsciiAlnum(c) || c == '_' || c == '-';
            continue;
        }
        if (afterDot && isAsciiAlnum(c))
            return true;
        afterDot = afterDot || c == '.';
    }
    return false;
}

int MCUtilRecipient::getAddressType(const std::string& address) {
    if (address.empty()) {
        MSG_LOGD("address is empty");
        return ADDRESS_TYPE_INVALID;
    }
    if (common_util::is_phone_number(address.c_str()))
        return ADDRESS_TYPE_NUMBER;
    if (isValidEmailAddress(address))
        return ADDRESS_TYPE_EMAIL;
    return ADDRESS_TYPE_INVALID;
}

bool MCUtilRecipient::isValidRecipient(const std::string& address) {
    if (address.empty()) {
        MSG_LOGD("number is empty.");
        return false;
    }
    if (getAddressType(address) != ADDRESS_TYPE_NUMBER)
        return false;
    if (address[0] == '+' && address.size() < INTERNATIONAL_RECIPIENT_MIN_LEN) {
        MSG_LOGD("NUMBER type recipient Too Short, with International Number [%d]",
                 static_cast<int>(address.size()));
        return false;
    }
    if (address.size() < RECIPIENT_MIN_LEN) {
        MSG_LOGD("NUMBER type recipient Too Short [%d]", static_cast<int>(address.size()));
        return false;
    }
    return true;
}

void MCUtilRecipient::getRecipientListBySeparator(const std::string& text, const char* separators,
                                                  std::vector<std::string>& out) {
    MSG_RET_IF(!separators, "separators is nullptr");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            return;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

void MCUtilRecipient::getNormalizedRecipientList(std::string& text, std::vector<std::string>& out) {
    std::vector<std::string> pieces;
    getRecipientListBySeparator(text, ",;", pieces);
    if (pieces.size() < 2) {
        // A lone piece drops its trailing separator ("1234;") before it is normalised.
        if (!pieces.empty())
            text = pieces.front();
        std::string normalized;
        if (common_util::make_normalized_number(text.c_str(), normalized) && !normalized.empty())
            text = normalized;
        if (!text.empty())
            out.push_back(text);
        return;
    }
    // An empty piece ("1234,,5678") is no recipient; counting it would make a group message.
    for (auto& piece : pieces) {
        if (piece.empty())
            continue;
        std::string normalized;
        if (common_util::make_normalized_number(piece.c_str(), normalized) && !normalized.empty())
            piece = normalized;
        out.push_back(piece);
    }
}

} // namespace compose
} // namespace msg_app
