// The call-block list.
#include "phone_misc.h"

#include "MsgAddress.h"
#include "MsgServiceDb.h"
#include "log/PlatformLog.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace msg_service;

namespace {

bool validMatch(int match) {
    return match >= PHONE_MISC_BLOCK_MATCH_EXACT && match <= PHONE_MISC_BLOCK_MATCH_INCLUDES;
}

bool matches(const std::string& entry, int match, const std::string& number) {
    switch (match) {
    case PHONE_MISC_BLOCK_MATCH_EXACT:
        return number == entry;
    case PHONE_MISC_BLOCK_MATCH_STARTS_WITH:
        return number.compare(0, entry.size(), entry) == 0;
    case PHONE_MISC_BLOCK_MATCH_ENDS_WITH:
        return number.size() >= entry.size() &&
               number.compare(number.size() - entry.size(), entry.size(), entry) == 0;
    default:
        return number.find(entry) != std::string::npos;
    }
}

bool readEntries(std::vector<std::pair<std::string, int>>& entries) {
    msg_device::Connection* db = serviceReader();
    PLAT_RETV_IF(!db, false, "no device");
    auto select = db->prepare("SELECT number, match FROM phone_block ORDER BY id");
    while (select.step())
        entries.emplace_back(select.columnText(0), select.columnInt(1));
    PLAT_RETV_IF(select.failed(), false, "cannot read the block list");
    return true;
}

// Runs one change of the list; `outcome` says why nothing changed.
int changeList(const std::function<int(msg_device::Connection&)>& change) {
    msg_device::Device* device = serviceDevice();
    PLAT_RETV_IF(!device, PHONE_MISC_ERROR_DB_FAILED, "no device");
    int outcome = PHONE_MISC_ERROR_DB_FAILED;
    bool written = device->write([&](msg_device::Connection& db, msg_device::ChangeLog& log) {
        outcome = change(db);
        if (outcome != PHONE_MISC_ERROR_NONE)
            return false;
        log.append(kCallBlockTopic, "");
        return true;
    });
    if (outcome == PHONE_MISC_ERROR_NONE && !written)
        return PHONE_MISC_ERROR_DB_FAILED;
    return outcome;
}

} // namespace

extern "C" int phone_misc_block_insert(const char* number, int match) {
    PLAT_RETV_IF(!number || !isValidNumber(number), PHONE_MISC_ERROR_INVALID_PARAMETER, "invalid number");
    PLAT_RETV_IF(!validMatch(match), PHONE_MISC_ERROR_INVALID_PARAMETER, "match kind %d", match);
    return changeList([&](msg_device::Connection& db) -> int {
        auto exists = db.prepare("SELECT 1 FROM phone_block WHERE number = ?");
        exists.bind(1, number);
        if (exists.step())
            return static_cast<int>(PHONE_MISC_ERROR_ALREADY_EXISTS);
        auto insert = db.prepare("INSERT INTO phone_block(number, match) VALUES(?, ?)");
        insert.bind(1, number).bind(2, match);
        return insert.exec() ? PHONE_MISC_ERROR_NONE : PHONE_MISC_ERROR_DB_FAILED;
    });
}

extern "C" int phone_misc_block_delete(const char* number) {
    PLAT_RETV_IF(!number || !*number, PHONE_MISC_ERROR_INVALID_PARAMETER, "number is null");
    return changeList([&](msg_device::Connection& db) -> int {
        auto remove = db.prepare("DELETE FROM phone_block WHERE number = ?");
        remove.bind(1, number);
        if (!remove.exec())
            return static_cast<int>(PHONE_MISC_ERROR_DB_FAILED);
        return db.changes() > 0 ? PHONE_MISC_ERROR_NONE : PHONE_MISC_ERROR_NOT_FOUND;
    });
}

extern "C" int phone_misc_block_foreach(phone_misc_block_cb callback, void* user_data) {
    PLAT_RETV_IF(!callback, PHONE_MISC_ERROR_INVALID_PARAMETER, "callback is null");
    std::vector<std::pair<std::string, int>> entries;
    PLAT_RETV_IF(!readEntries(entries), PHONE_MISC_ERROR_DB_FAILED, "cannot read the block list");
    // Read first, so that a callback may change the list.
    for (const auto& [number, match] : entries) {
        if (!callback(number.c_str(), static_cast<phone_misc_block_match_e>(match), user_data))
            break;
    }
    return PHONE_MISC_ERROR_NONE;
}

extern "C" int phone_misc_block_check(const char* number, bool* blocked) {
    PLAT_RETV_IF(!number || !blocked, PHONE_MISC_ERROR_INVALID_PARAMETER, "null argument");
    std::vector<std::pair<std::string, int>> entries;
    PLAT_RETV_IF(!readEntries(entries), PHONE_MISC_ERROR_DB_FAILED, "cannot read the block list");
    *blocked = false;
    for (const auto& [entry, match] : entries)
        *blocked = *blocked || matches(entry, match, number);
    return PHONE_MISC_ERROR_NONE;
}
