#include "MsgAddress.h"

namespace msg_service {

bool isValidNumber(const std::string& number) {
    if (number.empty() || number.size() > kMaxNumberLength)
        return false;
    bool digit = false;
    for (size_t i = 0; i < number.size(); ++i) {
        char c = number[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (!(c == '*' || c == '#' || (c == '+' && i == 0)))
            return false;
    }
    return digit;
}

} // namespace msg_service
