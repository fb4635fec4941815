#include "common/addr/MCommonAddr.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/FormattedNumber.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "contacts.h"

#include <Elementary.h>
#include <libintl.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {

namespace {

constexpr const char* kTextDomain = "message";

bool hasStringIdPrefix(const std::string& address) {
    return address.compare(0, 4, "IDS_") == 0 || address.compare(0, 4, "WDS_") == 0;
}

// Names and addresses come from contacts and senders: one line of text, safe to lay out.
void toMarkup(const char* text, std::string& out) {
    out = common_ui_helper::to_label_markup(text ? text : "", false);
}

// Person id and display name of the first person holding exactly this number.
class PersonNumberQuery {
public:
    explicit PersonNumberQuery(const char* number) {
        if (contacts_query_create(_contacts_person_number._uri, &_query) != CONTACTS_ERROR_NONE ||
            contacts_filter_create(_contacts_person_number._uri, &_filter) != CONTACTS_ERROR_NONE)
            return;
        int err =
            contacts_filter_add_str(_filter, _contacts_person_number.number, CONTACTS_MATCH_EXACTLY, number);
        if (err == CONTACTS_ERROR_NONE)
            err = contacts_query_set_filter(_query, _filter);
        unsigned int projection[] = {_contacts_person_number.person_id, _contacts_person_number.display_name};
        if (err == CONTACTS_ERROR_NONE)
            err = contacts_query_set_projection(_query, projection, 2);
        if (err != CONTACTS_ERROR_NONE) {
            MSG_LOGE("ct_err(%d)", err);
            return;
        }
        err = contacts_db_get_records_with_query(_query, 0, 1, &_list);
        if (err != CONTACTS_ERROR_NONE) {
            MSG_LOGE("contacts_db_get_records_with_query is failed error_code = %d", err);
            _list = nullptr;
        }
    }
    ~PersonNumberQuery() {
        if (_list)
            contacts_list_destroy(_list, true);
        if (_query)
            contacts_query_destroy(_query);
        if (_filter)
            contacts_filter_destroy(_filter);
    }
    PersonNumberQuery(const PersonNumberQuery&) = delete;
    PersonNumberQuery& operator=(const PersonNumberQuery&) = delete;

    // Calls fn(personId, displayName) for each record until it returns true.
    template <typename Fn> void forEach(Fn fn) {
        if (!_list || contacts_list_first(_list) != CONTACTS_ERROR_NONE)
            return;
        do {
            contacts_record_h record = nullptr;
            if (contacts_list_get_current_record_p(_list, &record) != CONTACTS_ERROR_NONE || !record)
                continue;
            int personId = 0;
            char* name = nullptr;
            contacts_record_get_int(record, _contacts_person_number.person_id, &personId);
            contacts_record_get_str_p(record, _contacts_person_number.display_name, &name);
            if (fn(personId, name))
                return;
        } while (contacts_list_next(_list) == CONTACTS_ERROR_NONE);
    }

private:
    contacts_query_h _query = nullptr;
    contacts_filter_h _filter = nullptr;
    contacts_list_h _list = nullptr;
};

} // namespace

MCommonAddr::MCommonAddr(const char* address, const char* contactName, int contactId)
    : _contactId(contactId), _address(address ? address : "") {
    if (contactName)
        _contactName = std::make_unique<std::string>(contactName);
    _isStringIdAddr = hasStringIdPrefix(_address) && !common_util::is_phone_number(_address.c_str());
}

MCommonAddr::MCommonAddr(const char* address, const std::function<void(const char*)>& onDestroy) {
    if (onDestroy)
        _onDestroy = std::make_unique<std::function<void(const char*)>>(onDestroy);
    if (address && std::strncmp(address, "-1", 2) == 0) {
        MSG_LOGW("unknown address. address is wrong.");
        return;
    }
    if (address)
        _address = address;
}

MCommonAddr::~MCommonAddr() {
    if (_onDestroy && *_onDestroy)
        (*_onDestroy)(_address.c_str());
}

void MCommonAddr::doContactSync() {
    if (_contactId != NONSYNC_CID) {
        MSG_LOGD("contact-synced addr");
        return;
    }
    _doContactSync(MCommonAddrMgr::getInstance()->isContactConnected());
}

void MCommonAddr::_doContactSync(bool isContactConnected) {
    if (_contactId != NONSYNC_CID) {
        MSG_LOGD("contact-synced addr");
        return;
    }
    if (!isContactConnected) {
        // A string id needs no contact: it is translated whether or not the contacts answer.
        _isStringIdAddr = hasStringIdPrefix(_address) && !common_util::is_phone_number(_address.c_str());
        MSG_LOGE("contact is not connected.");
        return;
    }
    _contactName.reset();
    _contactId = 0;
    MSG_RET_IF(_address.empty(), "address is empty.");
    if (!common_util::is_phone_number(_address.c_str())) {
        _isStringIdAddr = hasStringIdPrefix(_address);
        return;
    }
    _lookupContact();
}

void MCommonAddr::_lookupContact() {
    PersonNumberQuery query(_address.c_str());
    query.forEach([this](int personId, const char* name) {
        if (personId <= 0) {
            MSG_LOGE("contactId(%d) is invalid.", personId);
            return false;
        }
        _contactId = personId;
        if (!name)
            MSG_LOGE("failed to get contact name.");
        else if (!*name)
            MSG_LOGE("empty contact name.");
        else
            _contactName = std::make_unique<std::string>(name);
        return true;
    });
}

int MCommonAddr::getContactId() {
    if (_contactId == NONSYNC_CID)
        doContactSync();
    return _contactId;
}

void MCommonAddr::getContactName(std::string& out) {
    if (_contactId == NONSYNC_CID)
        doContactSync();
    if (_contactName)
        out = *_contactName;
}

void MCommonAddr::clearContactInfo() {
    _contactId = NONSYNC_CID;
    _contactName.reset();
    _isStringIdAddr = false;
}

void MCommonAddr::getDisplayName(std::shared_ptr<MCommonAddr>& addr, std::string& out, bool* isStringId,
                                 int* formatBudget) {
    MSG_RET_IF(!addr, "addr is null");
    std::string name;
    addr->getContactName(name);
    if (!name.empty()) {
        toMarkup(name.c_str(), out);
        return;
    }
    const std::string& address = addr->_address;
    MSG_RET_IF(address.empty(), "address is empty");
    if (addr->isStringIdAddr()) {
        if (isStringId)
            *isStringId = true;
        out = dgettext(kTextDomain, address.c_str());
        return;
    }
    // Anything that is not a number (an e-mail address) is user text: shown as text, never as markup.
    if (!common_util::is_phone_number(address.c_str())) {
        toMarkup(address.c_str(), out);
        return;
    }
    if (!formatBudget || *formatBudget < 1) {
        out = address;
    } else {
        std::string markup;
        toMarkup(address.c_str(), markup);
        formatted_number::get(markup.c_str(), out);
        --*formatBudget;
    }
    common_util::add_ltr_mark(out);
}

} // namespace msg_app
