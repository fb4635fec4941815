/*
 * Recipient validation and the splitting of recipient lists.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_MCUTILRECIPIENT_H
#define MSG_APP_COMPOSE_MCUTILRECIPIENT_H

#include <string>
#include <vector>

namespace msg_app {
namespace compose {

struct MCUtilRecipient {
    enum AddressType : int {
        ADDRESS_TYPE_INVALID = 0,
        ADDRESS_TYPE_NUMBER = 1,
        ADDRESS_TYPE_EMAIL = 2,
    };

    // Digits with "#" and "*" after an optional "+"; outside strict mode the usual separators too.
    static bool isValidPhoneNumber(const char* address, bool strict);
    static bool isValidEmailAddress(const std::string& address);
    static int getAddressType(const std::string& address);
    // Only phone numbers long enough to dial are recipients.
    static bool isValidRecipient(const std::string& address);
    // Appends the pieces of text between any of the separators; a trailing separator adds none.
    static void getRecipientListBySeparator(const std::string& text, const char* separators,
                                            std::vector<std::string>& out);
    // Splits at "," and ";" and normalises each number.
    static void getNormalizedRecipientList(std::string& text, std::vector<std::string>& out);
};

} // namespace compose
} // namespace msg_app

#endif
