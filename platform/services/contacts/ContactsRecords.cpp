// Records and record lists of the contacts service.
#include "ContactsHandles.h"

#include "log/PlatformLog.h"

#include <cstdlib>
#include <cstring>

namespace {

const _contacts_record_s::Value* findValue(contacts_record_h record, unsigned int propertyId,
                                           bool wantString) {
    auto it = record->values.find(propertyId);
    if (it == record->values.end() || it->second.isString != wantString)
        return nullptr;
    return &it->second;
}

} // namespace

extern "C" {

int contacts_list_get_count(contacts_list_h list, int* count) {
    PLAT_RETV_IF(!list || !count, CONTACTS_ERROR_INVALID_PARAMETER, "list or count is null");
    *count = static_cast<int>(list->records.size());
    return CONTACTS_ERROR_NONE;
}

int contacts_list_get_current_record_p(contacts_list_h list, contacts_record_h* record) {
    PLAT_RETV_IF(!list || !record, CONTACTS_ERROR_INVALID_PARAMETER, "list or record is null");
    if (list->cursor >= list->records.size())
        return CONTACTS_ERROR_NO_DATA;
    *record = list->records[list->cursor];
    return CONTACTS_ERROR_NONE;
}

int contacts_list_first(contacts_list_h list) {
    PLAT_RETV_IF(!list, CONTACTS_ERROR_INVALID_PARAMETER, "list is null");
    list->cursor = 0;
    return CONTACTS_ERROR_NONE;
}

int contacts_list_next(contacts_list_h list) {
    PLAT_RETV_IF(!list, CONTACTS_ERROR_INVALID_PARAMETER, "list is null");
    if (list->cursor + 1 >= list->records.size()) {
        list->cursor = list->records.size();
        return CONTACTS_ERROR_NO_DATA;
    }
    ++list->cursor;
    return CONTACTS_ERROR_NONE;
}

int contacts_list_destroy(contacts_list_h list, bool delete_child) {
    PLAT_RETV_IF(!list, CONTACTS_ERROR_INVALID_PARAMETER, "list is null");
    // Without delete_child the records outlive the list and their holder destroys each one.
    if (delete_child) {
        for (contacts_record_h record : list->records)
            delete record;
    }
    delete list;
    return CONTACTS_ERROR_NONE;
}

int contacts_record_get_uri_p(contacts_record_h record, const char** view_uri) {
    PLAT_RETV_IF(!record || !view_uri, CONTACTS_ERROR_INVALID_PARAMETER, "record or view_uri is null");
    *view_uri = record->view->uri;
    return CONTACTS_ERROR_NONE;
}

int contacts_record_get_str_p(contacts_record_h record, unsigned int property_id, char** value) {
    PLAT_RETV_IF(!record || !value, CONTACTS_ERROR_INVALID_PARAMETER, "record or value is null");
    const auto* found = findValue(record, property_id, true);
    PLAT_RETV_IF(!found, CONTACTS_ERROR_INVALID_PARAMETER, "no text property 0x%x", property_id);
    // A stored NULL reads as a null pointer, as an empty property does on the device.
    *value = found->text.empty() ? nullptr : const_cast<char*>(found->text.c_str());
    return CONTACTS_ERROR_NONE;
}

int contacts_record_get_str(contacts_record_h record, unsigned int property_id, char** value) {
    char* borrowed = nullptr;
    int err = contacts_record_get_str_p(record, property_id, &borrowed);
    if (err != CONTACTS_ERROR_NONE)
        return err;
    if (!borrowed) {
        *value = nullptr;
        return CONTACTS_ERROR_NONE;
    }
    char* copy = strdup(borrowed);
    PLAT_RETV_IF(!copy, CONTACTS_ERROR_OUT_OF_MEMORY, "strdup failed");
    *value = copy;
    return CONTACTS_ERROR_NONE;
}

int contacts_record_get_int(contacts_record_h record, unsigned int property_id, int* value) {
    PLAT_RETV_IF(!record || !value, CONTACTS_ERROR_INVALID_PARAMETER, "record or value is null");
    const auto* found = findValue(record, property_id, false);
    PLAT_RETV_IF(!found, CONTACTS_ERROR_INVALID_PARAMETER, "no integer property 0x%x", property_id);
    *value = found->number;
    return CONTACTS_ERROR_NONE;
}

int contacts_record_destroy(contacts_record_h record, bool delete_child) {
    PLAT_RETV_IF(!record, CONTACTS_ERROR_INVALID_PARAMETER, "record is null");
    (void)delete_child;
    delete record;
    return CONTACTS_ERROR_NONE;
}

} // extern "C"
