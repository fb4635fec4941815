// Message filters: the C interface and the check of incoming messages.
#include "MsgFilters.h"

#include "msg_service/BlockFilter.h"

#include "MsgHandle.h"
#include "MsgServiceDb.h"
#include "MsgStruct.h"
#include "log/PlatformLog.h"
#include "msg.h"
#include "msg_storage.h"

#include <functional>
#include <vector>

namespace msg_service {

namespace {

struct FilterRow {
    int id;
    int type;
    std::string value;
    bool active;
};

bool readFilters(std::vector<FilterRow>& rows) {
    msg_device::Connection* db = serviceReader();
    PLAT_RETV_IF(!db, false, "no device");
    auto select = db->prepare("SELECT id, type, value, active FROM msg_filters ORDER BY id");
    while (select.step())
        rows.push_back(
            {select.columnInt(0), select.columnInt(1), select.columnText(2), select.columnInt(3) != 0});
    PLAT_RETV_IF(select.failed(), false, "cannot read the filters");
    return true;
}

bool matches(const FilterRow& filter, const std::string& from, const std::string& text) {
    switch (filter.type) {
    case MSG_FILTER_BY_WORD:
        return text.find(filter.value) != std::string::npos;
    case MSG_FILTER_BY_ADDRESS_SAME:
        return from == filter.value;
    case MSG_FILTER_BY_ADDRESS_START:
        return from.compare(0, filter.value.size(), filter.value) == 0;
    case MSG_FILTER_BY_ADDRESS_INCLUDE:
        return from.find(filter.value) != std::string::npos;
    default:
        return false;
    }
}

bool writeFilters(const std::function<bool(msg_device::Connection&)>& change) {
    msg_device::Device* device = serviceDevice();
    PLAT_RETV_IF(!device, false, "no device");
    return device->write([&](msg_device::Connection& db, msg_device::ChangeLog& log) {
        if (!change(db))
            return false;
        log.append(kFiltersTopic, "");
        return true;
    });
}

} // namespace

bool isBlockedMessage(const std::string& from, const std::string& text, bool* blocked) {
    std::vector<FilterRow> filters;
    if (!readFilters(filters))
        return false;
    *blocked = false;
    for (const FilterRow& filter : filters) {
        // An empty word would match every text.
        if (filter.active && !filter.value.empty() && matches(filter, from, text))
            *blocked = true;
    }
    return true;
}

msg_store::FolderType filtered_folder(const std::string& from, const std::string& text,
                                      msg_store::FolderType inbox) {
    bool blocked = false;
    if (!isBlockedMessage(from, text, &blocked))
        PLAT_LOGW("filters unreadable; %s not checked", from.c_str());
    if (!blocked)
        return inbox;
    return inbox == msg_store::FOLDER_WATCH_INBOX ? msg_store::FOLDER_WATCH_SPAM : msg_store::FOLDER_SPAM;
}

} // namespace msg_service

using namespace msg_service;

extern "C" int msg_add_filter(msg_handle_t handle, const msg_struct_t filter) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!filter, MSG_ERR_NULL_POINTER, "filter is null");
    PLAT_RETV_IF(filter->type != MSG_STRUCT_FILTER, MSG_ERR_INVALID_PARAMETER, "not a filter");
    int type = intOf(*filter, MSG_FILTER_TYPE_INT);
    std::string value = strOf(*filter, MSG_FILTER_VALUE_STR);
    PLAT_RETV_IF(type < MSG_FILTER_BY_WORD || type > MSG_FILTER_BY_ADDRESS_INCLUDE, MSG_ERR_INVALID_PARAMETER,
                 "filter type %d", type);
    PLAT_RETV_IF(value.empty(), MSG_ERR_INVALID_PARAMETER, "empty filter");
    int newId = -1;
    bool duplicated = false;
    bool written = writeFilters([&](msg_device::Connection& db) {
        auto exists = db.prepare("SELECT 1 FROM msg_filters WHERE type = ? AND value = ?");
        exists.bind(1, type).bind(2, value);
        if (exists.step()) {
            duplicated = true;
            return false;
        }
        auto insert = db.prepare("INSERT INTO msg_filters(type, value, active) VALUES(?, ?, 1)");
        insert.bind(1, type).bind(2, value);
        if (!insert.exec())
            return false;
        newId = static_cast<int>(db.lastInsertId());
        return true;
    });
    PLAT_RETV_IF(duplicated, MSG_ERR_FILTER_DUPLICATED, "filter already exists");
    PLAT_RETV_IF(!written, MSG_ERR_DB_ERROR, "cannot add the filter");
    filter->ints[MSG_FILTER_ID_INT] = newId;
    filter->bools[MSG_FILTER_ACTIVE_BOOL] = true;
    return MSG_SUCCESS;
}

extern "C" int msg_delete_filter(msg_handle_t handle, int filter_id) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(filter_id <= 0, MSG_ERR_INVALID_PARAMETER, "filter id %d", filter_id);
    bool found = false;
    bool written = writeFilters([&](msg_device::Connection& db) {
        auto remove = db.prepare("DELETE FROM msg_filters WHERE id = ?");
        remove.bind(1, filter_id);
        found = remove.exec() && db.changes() > 0;
        return found;
    });
    PLAT_RETV_IF(!found, MSG_ERR_DB_NORECORD, "no filter %d", filter_id);
    return written ? MSG_SUCCESS : MSG_ERR_DB_ERROR;
}

extern "C" int msg_get_filter_list(msg_handle_t handle, msg_struct_list_s* filter_list) {
    int result = checkHandle(handle);
    if (result != MSG_SUCCESS)
        return result;
    PLAT_RETV_IF(!filter_list, MSG_ERR_NULL_POINTER, "filter_list is null");
    std::vector<FilterRow> rows;
    PLAT_RETV_IF(!readFilters(rows), MSG_ERR_DB_ERROR, "cannot read the filters");
    filter_list->nCount = static_cast<int>(rows.size());
    filter_list->msg_struct_info = new msg_struct_t[rows.size()];
    for (size_t i = 0; i < rows.size(); ++i) {
        msg_struct_t filter = newStruct(MSG_STRUCT_FILTER).release();
        filter->ints[MSG_FILTER_ID_INT] = rows[i].id;
        filter->ints[MSG_FILTER_TYPE_INT] = rows[i].type;
        filter->strs[MSG_FILTER_VALUE_STR] = rows[i].value;
        filter->bools[MSG_FILTER_ACTIVE_BOOL] = rows[i].active;
        filter_list->msg_struct_info[i] = filter;
    }
    return MSG_SUCCESS;
}
