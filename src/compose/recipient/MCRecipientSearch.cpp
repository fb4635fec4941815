#include "compose/recipient/MCRecipientSearch.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "compose/MCUtil.h"

#include <Elementary.h>
#include <glib.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* NUMBER_SEPARATORS = " -()./";

// The address manager holds the process's contacts connection; a search may come first.
bool contactsConnected() {
    MCommonAddrMgr* addrMgr = MCommonAddrMgr::getInstance();
    return addrMgr->isContactConnected() || addrMgr->connectContact();
}

int handOver(contacts_list_h list, contacts_list_h* out) {
    int count = 0;
    contacts_list_get_count(list, &count);
    if (out)
        *out = list;
    else
        contacts_list_destroy(list, true);
    return count;
}

std::string escaped(const std::string& text) {
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    std::string out = markup ? markup : "";
    free(markup);
    return out;
}

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// The end of the keyword matched at start, or npos; a number's separators in the source are
// passed over when the keyword has none there.
size_t matchAt(const std::string& source, size_t start, const std::string& keyword, bool skipSeparators) {
    size_t s = start;
    for (char k : keyword) {
        while (skipSeparators && s < source.size() && s > start && source[s] != k &&
               std::strchr(NUMBER_SEPARATORS, source[s]))
            ++s;
        if (s >= source.size() || !sameLetter(source[s], k))
            return std::string::npos;
        ++s;
    }
    return s;
}

} // namespace

MCRecipientSearch::Range MCRecipientSearch::getRange(const char* keyword) {
    if (!keyword || !*keyword) {
        MSG_LOGD("keyword is empty.");
        return Range::NONE;
    }
    glong length = g_utf8_strlen(keyword, -1);
    if (length > 2)
        return Range::NAME_AND_NUMBER;
    if (length == 2)
        return MCUtil::isValidPhoneNumber(keyword, false) ? Range::NONE : Range::NAME;
    return Range::NONE;
}

int MCRecipientSearch::searchFromContact(const char* keyword, int limit, contacts_list_h* out) {
    MSG_RETV_IF(!keyword, 0, "keyword is nullptr");
    Range range = getRange(keyword);
    MSG_RETV_IF(range == Range::NONE, 0, "range is NONE");
    MSG_RETV_IF(!contactsConnected(), 0, "contact is not connected yet.");
    int searchRange = range == Range::NAME_AND_NUMBER
                          ? CONTACTS_SEARCH_RANGE_NAME | CONTACTS_SEARCH_RANGE_NUMBER
                          : CONTACTS_SEARCH_RANGE_NAME;
    contacts_list_h list = nullptr;
    int err = contacts_db_search_records_with_range(_contacts_person_number._uri, keyword, 0, limit,
                                                    searchRange, &list);
    if (err != CONTACTS_ERROR_NONE) {
        MSG_LOGE("contacts_db_search_records_with_range is failed err = %x", err);
        return 0;
    }
    return handOver(list, out);
}

int MCRecipientSearch::searchFromLog(const char* keyword, int limit, contacts_list_h* out) {
    MSG_RETV_IF(!keyword, 0, "keyword is nullptr");
    if (!MCUtil::isValidPhoneNumber(keyword, false))
        return 0;
    MSG_RETV_IF(!contactsConnected(), 0, "contact is not connected yet.");
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    contacts_list_h list = nullptr;
    int count = 0;
    int ret = contacts_query_create(_contacts_person_phone_log._uri, &query);
    if (ret == CONTACTS_ERROR_NONE)
        ret = contacts_filter_create(_contacts_person_phone_log._uri, &filter);
    if (ret == CONTACTS_ERROR_NONE) {
        contacts_filter_add_str(filter, _contacts_person_phone_log.address, CONTACTS_MATCH_CONTAINS, keyword);
        contacts_filter_add_operator(filter, CONTACTS_FILTER_OPERATOR_AND);
        // Numbers of a contact are listed with the contact already.
        contacts_filter_add_int(filter, _contacts_person_phone_log.person_id, CONTACTS_MATCH_NONE, 0);
        contacts_query_set_filter(query, filter);
        unsigned int projection[] = {_contacts_person_phone_log.address,
                                     _contacts_person_phone_log.person_id};
        ret = contacts_query_set_projection(query, projection, 2);
        if (ret != CONTACTS_ERROR_NONE)
            MSG_LOGE("contacts_query_set_projection is failed, ret = %d", ret);
    }
    if (ret == CONTACTS_ERROR_NONE) {
        ret = contacts_query_set_distinct(query, true);
        if (ret != CONTACTS_ERROR_NONE)
            MSG_LOGE("contacts_query_set_distinct is failed, ret = %d", ret);
    }
    if (ret == CONTACTS_ERROR_NONE) {
        ret = contacts_db_get_records_with_query(query, 0, limit, &list);
        if (ret != CONTACTS_ERROR_NONE)
            MSG_LOGE("contacts_db_get_records_with_query is failed err = %d", ret);
        else
            count = handOver(list, out);
    }
    if (filter)
        contacts_filter_destroy(filter);
    if (query)
        contacts_query_destroy(query);
    return count;
}

void MCRecipientSearch::setKeywordColor(const char* keyword, const char* source, std::string& out) {
    MSG_RET_IF(!keyword || !*keyword, "keyword is empty");
    MSG_RET_IF(!source, "source is nullptr");
    std::string text = common_ui_helper::to_layout_safe(source);
    std::string key = keyword;
    bool number = MCUtil::isValidPhoneNumber(keyword, false);
    for (size_t start = 0; start < text.size(); ++start) {
        size_t end = matchAt(text, start, key, number);
        if (end == std::string::npos)
            continue;
        out = escaped(text.substr(0, start)) + MATCH_BEGIN + escaped(text.substr(start, end - start)) +
              MATCH_END + escaped(text.substr(end));
        return;
    }
    out = escaped(text);
}

} // namespace compose
} // namespace msg_app
