/*
 * Searching a typed recipient in the device's contacts and call log, and
 * marking the typed part in what is found.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTSEARCH_H
#define MSG_APP_COMPOSE_MCRECIPIENTSEARCH_H

#include "contacts.h"

#include <string>

namespace msg_app {
namespace compose {

class MCRecipientSearch {
public:
    enum class Range : int {
        NONE = 0,
        NAME = 1,
        NAME_AND_NUMBER = 2,
    };
    static constexpr const char* MATCH_BEGIN = "<match>";
    static constexpr const char* MATCH_END = "</match>";

    MCRecipientSearch() = delete;

    // What a keyword is searched in: nothing below two characters, names only for two that are
    // not a number, names and numbers from three on.
    static Range getRange(const char* keyword);
    // The number of records found; out (when not null) receives the list, else it is destroyed.
    // limit 0 means no limit.
    static int searchFromContact(const char* keyword, int limit, contacts_list_h* out);
    // Numbers of the call log that belong to no contact and contain the keyword, once each.
    static int searchFromLog(const char* keyword, int limit, contacts_list_h* out);
    // out: source as markup, its first match of the keyword (letter case and a number's
    // separators aside) between MATCH_BEGIN and MATCH_END.
    static void setKeywordColor(const char* keyword, const char* source, std::string& out);
};

} // namespace compose
} // namespace msg_app

#endif
