// Connection, change notification and reading of the contacts service.
#include "ContactsHandles.h"
#include "ContactsSelect.h"

#include "contacts/ContactsAdmin.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <atomic>
#include <cstring>
#include <list>
#include <mutex>

namespace {

std::atomic<int> g_processConnections{0};
thread_local int t_threadConnections = 0;

struct ChangedCallback {
    const contacts_impl::ViewDef* view;
    contacts_db_changed_cb callback;
    void* userData;
    msg_device::ChangeFeed::Subscription subscription;
};

// Main loop only, like the change feed that drives it.
std::list<ChangedCallback>& changedCallbacks() {
    static std::list<ChangedCallback> callbacks;
    return callbacks;
}

std::list<ChangedCallback>::iterator findCallback(const contacts_impl::ViewDef* view,
                                                  contacts_db_changed_cb cb, void* userData) {
    auto& callbacks = changedCallbacks();
    for (auto it = callbacks.begin(); it != callbacks.end(); ++it) {
        if (it->view == view && it->callback == cb && it->userData == userData)
            return it;
    }
    return callbacks.end();
}

} // namespace

namespace contacts_impl {
bool contactsConnected() {
    return g_processConnections.load() > 0 || t_threadConnections > 0;
}
} // namespace contacts_impl

extern "C" {

int contacts_connect(void) {
    PLAT_RETV_IF(!contacts_impl::contactsDevice(), CONTACTS_ERROR_DB, "the device has no contacts database");
    ++g_processConnections;
    return CONTACTS_ERROR_NONE;
}

int contacts_disconnect(void) {
    int count = g_processConnections.load();
    do {
        PLAT_RETV_IF(count <= 0, CONTACTS_ERROR_DB, "contacts service is not connected");
    } while (!g_processConnections.compare_exchange_weak(count, count - 1));
    // The last disconnection drops the callbacks, whose user data may not outlive it.
    if (count == 1)
        changedCallbacks().clear();
    return CONTACTS_ERROR_NONE;
}

int contacts_connect_on_thread(void) {
    PLAT_RETV_IF(!contacts_impl::contactsDevice(), CONTACTS_ERROR_DB, "the device has no contacts database");
    ++t_threadConnections;
    return CONTACTS_ERROR_NONE;
}

int contacts_disconnect_on_thread(void) {
    PLAT_RETV_IF(t_threadConnections <= 0, CONTACTS_ERROR_DB, "this thread is not connected");
    --t_threadConnections;
    return CONTACTS_ERROR_NONE;
}

int contacts_db_add_changed_cb(const char* view_uri, contacts_db_changed_cb callback, void* user_data) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || !callback, CONTACTS_ERROR_INVALID_PARAMETER, "unknown view or null callback");
    PLAT_RETV_IF(!contacts_impl::contactsConnected(), CONTACTS_ERROR_DB, "contacts service is not connected");
    PLAT_RETV_IF(findCallback(view, callback, user_data) != changedCallbacks().end(),
                 CONTACTS_ERROR_INVALID_PARAMETER, "callback already registered for %s", view->uri);
    msg_device::Device* device = contacts_impl::contactsDevice();
    PLAT_RETV_IF(!device, CONTACTS_ERROR_DB, "no device");
    auto subscription = device->feed().subscribeScoped(
        contacts_admin::kChangeTopic, [view, callback, user_data](const msg_device::Change& change) {
            if (change.payload == view->changeGroup)
                callback(view->uri, user_data);
        });
    PLAT_RETV_IF(!subscription.active(), CONTACTS_ERROR_DB, "cannot watch the contacts database");
    changedCallbacks().push_back(ChangedCallback{view, callback, user_data, std::move(subscription)});
    return CONTACTS_ERROR_NONE;
}

int contacts_db_remove_changed_cb(const char* view_uri, contacts_db_changed_cb callback, void* user_data) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || !callback, CONTACTS_ERROR_INVALID_PARAMETER, "unknown view or null callback");
    auto it = findCallback(view, callback, user_data);
    PLAT_RETV_IF(it == changedCallbacks().end(), CONTACTS_ERROR_INVALID_PARAMETER,
                 "callback is not registered");
    changedCallbacks().erase(it);
    return CONTACTS_ERROR_NONE;
}

int contacts_db_get_records_with_query(contacts_query_h query, int offset, int limit,
                                       contacts_list_h* record_list) {
    PLAT_RETV_IF(!query || !record_list || offset < 0 || limit < 0, CONTACTS_ERROR_INVALID_PARAMETER,
                 "invalid arguments");
    contacts_impl::ContactsSelect select(query->view);
    if (query->filter && !select.where(*query->filter))
        return CONTACTS_ERROR_INVALID_PARAMETER;
    select.project(query->projection);
    select.distinct(query->distinct);
    if (query->sort)
        select.orderBy(query->sort, query->ascending);
    return select.run(offset, limit, record_list);
}

int contacts_db_get_all_records(const char* view_uri, int offset, int limit, contacts_list_h* record_list) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || !record_list || offset < 0 || limit < 0, CONTACTS_ERROR_INVALID_PARAMETER,
                 "invalid arguments");
    return contacts_impl::ContactsSelect(view).run(offset, limit, record_list);
}

int contacts_db_get_record(const char* view_uri, int record_id, contacts_record_h* record) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || !record || record_id <= 0, CONTACTS_ERROR_INVALID_PARAMETER, "invalid arguments");
    // Records by id exist for the views with an id of their own.
    PLAT_RETV_IF(view->properties.front().isString || std::strcmp(view->properties.front().column, "id") != 0,
                 CONTACTS_ERROR_INVALID_PARAMETER, "%s has no records by id", view->uri);
    contacts_impl::ContactsSelect select(view);
    select.whereRaw("id = ?", {record_id});
    contacts_list_h list = nullptr;
    int err = select.run(0, 1, &list);
    if (err != CONTACTS_ERROR_NONE)
        return err;
    if (list->records.empty()) {
        contacts_list_destroy(list, true);
        return CONTACTS_ERROR_NO_DATA;
    }
    *record = list->records.front();
    list->records.clear();
    contacts_list_destroy(list, true);
    return CONTACTS_ERROR_NONE;
}

int contacts_db_search_records_with_range(const char* view_uri, const char* keyword, int offset, int limit,
                                          int range, contacts_list_h* record_list) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || view != contacts_impl::findView(_contacts_person_number._uri),
                 CONTACTS_ERROR_INVALID_PARAMETER, "search is supported on the person-number view");
    PLAT_RETV_IF(!keyword || !*keyword || !record_list || offset < 0 || limit < 0,
                 CONTACTS_ERROR_INVALID_PARAMETER, "invalid arguments");
    constexpr int kKnownRanges = CONTACTS_SEARCH_RANGE_NAME | CONTACTS_SEARCH_RANGE_NUMBER;
    PLAT_RETV_IF(range <= 0 || (range & ~kKnownRanges), CONTACTS_ERROR_INVALID_PARAMETER,
                 "unknown range 0x%x", range);
    std::string pattern = contacts_impl::likePattern("%", keyword, "%");
    std::string clause;
    std::vector<std::variant<int, std::string>> values;
    if (range & CONTACTS_SEARCH_RANGE_NAME) {
        clause = "display_name LIKE ? ESCAPE '\\'";
        values.emplace_back(pattern);
    }
    if (range & CONTACTS_SEARCH_RANGE_NUMBER) {
        clause += std::string(clause.empty() ? "" : " OR ") + "number LIKE ? ESCAPE '\\'";
        values.emplace_back(pattern);
    }
    contacts_impl::ContactsSelect select(view);
    select.whereRaw(clause, std::move(values));
    return select.run(offset, limit, record_list);
}

int contacts_db_get_count(const char* view_uri, int* count) {
    const contacts_impl::ViewDef* view = contacts_impl::findView(view_uri);
    PLAT_RETV_IF(!view || !count, CONTACTS_ERROR_INVALID_PARAMETER, "invalid arguments");
    contacts_list_h list = nullptr;
    unsigned int first = view->properties.front().id;
    contacts_impl::ContactsSelect select(view);
    select.project({view->property(first)});
    int err = select.run(0, 0, &list);
    if (err != CONTACTS_ERROR_NONE)
        return err;
    *count = static_cast<int>(list->records.size());
    contacts_list_destroy(list, true);
    return CONTACTS_ERROR_NONE;
}

} // extern "C"
