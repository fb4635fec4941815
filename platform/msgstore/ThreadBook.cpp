#include "ThreadBook.h"
#include "StoreDb.h"

#include "log/PlatformLog.h"
#include "msg_store/MsgStoreTypes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace msg_store {
namespace store {

namespace {

std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

bool looksLikeNumber(const std::string& address) {
    return !address.empty() && std::all_of(address.begin(), address.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || std::strchr("+-() .", c) != nullptr;
    });
}

// Two spellings of one number ("+1 (555) 010-2030", "+15550102030") find the same thread.
std::string keyOf(const Address& address) {
    std::string key;
    if (looksLikeNumber(address.address)) {
        for (char c : address.address) {
            if (std::isdigit(static_cast<unsigned char>(c)) || c == '+')
                key += c;
        }
    } else {
        for (char c : address.address)
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

std::string threadKey(const std::vector<Address>& addresses) {
    std::vector<std::string> keys;
    for (const Address& address : addresses) {
        if (address.addressType != ADDRESS_TYPE_CALLBACK)
            keys.push_back(keyOf(address));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::string key;
    for (const std::string& part : keys) {
        key += part;
        key += '\n';
    }
    return key;
}

} // namespace

std::vector<Address> parseAddresses(const std::string& joined) {
    std::vector<Address> addresses;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find_first_of(";,", start);
        if (end == std::string::npos)
            end = joined.size();
        std::string part = trim(joined.substr(start, end - start));
        if (!part.empty()) {
            Address address;
            address.addressType =
                part.find('@') != std::string::npos ? ADDRESS_TYPE_EMAIL : ADDRESS_TYPE_PHONE;
            address.address = part;
            addresses.push_back(address);
        }
        start = end + 1;
    }
    return addresses;
}

std::string joinAddresses(const std::vector<Address>& addresses) {
    std::string joined;
    for (const Address& address : addresses) {
        if (address.addressType == ADDRESS_TYPE_CALLBACK)
            continue;
        if (!joined.empty())
            joined += ';';
        joined += address.address;
    }
    return joined;
}

bool threadExists(msg_device::Connection& db, int threadId) {
    auto select = db.prepare("SELECT 1 FROM ms_threads WHERE id = ?");
    select.bind(1, threadId);
    return select.step();
}

msg_device::Connection* readerOfThread(int threadId, int& result) {
    result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = reader(&result);
    if (db && !threadExists(*db, threadId)) {
        result = MSG_STORE_ERR_NOT_FOUND;
        return nullptr;
    }
    return db;
}

int readAddresses(msg_device::Connection& db, int threadId, std::vector<Address>& addresses) {
    auto select = db.prepare("SELECT type, address FROM ms_addresses WHERE thread_id = ? ORDER BY position");
    select.bind(1, threadId);
    while (select.step()) {
        Address address;
        address.addressType = static_cast<AddressType>(select.columnInt(0));
        address.address = select.columnText(1);
        addresses.push_back(address);
    }
    return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_SUCCESS;
}

int writeAddresses(msg_device::Connection& db, int threadId, const std::vector<Address>& addresses) {
    auto clear = db.prepare("DELETE FROM ms_addresses WHERE thread_id = ?");
    clear.bind(1, threadId);
    auto insert =
        db.prepare("INSERT INTO ms_addresses(thread_id, position, type, address) VALUES(?, ?, ?, ?)");
    if (!clear.exec())
        return MSG_STORE_ERR_DB;
    int position = 0;
    for (const Address& address : addresses) {
        insert.reset();
        insert.bind(1, threadId).bind(2, position++).bind(3, static_cast<int>(address.addressType));
        insert.bind(4, address.address);
        if (!insert.exec())
            return MSG_STORE_ERR_DB;
    }
    int members = 0;
    for (const Address& address : addresses)
        members += address.addressType != ADDRESS_TYPE_CALLBACK;
    auto group = db.prepare("UPDATE ms_threads SET address_key = ?, is_group = ? WHERE id = ?");
    group.bind(1, threadKey(addresses)).bind(2, members > 1 ? 1 : 0).bind(3, threadId);
    return group.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
}

int findOrCreateThread(msg_device::Connection& db, const std::vector<Address>& addresses, int& threadId) {
    std::string key = threadKey(addresses);
    PLAT_RETV_IF(key.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "no address");
    auto find = db.prepare("SELECT id FROM ms_threads WHERE address_key = ?");
    find.bind(1, key);
    if (find.step()) {
        threadId = find.columnInt(0);
        return MSG_STORE_SUCCESS;
    }
    if (find.failed())
        return MSG_STORE_ERR_DB;
    auto create = db.prepare("INSERT INTO ms_threads(address_key) VALUES(?)");
    create.bind(1, key);
    if (!create.exec())
        return MSG_STORE_ERR_DB;
    threadId = static_cast<int>(db.lastInsertId());
    return writeAddresses(db, threadId, addresses);
}

int announceGroupchat(msg_device::Connection& db, int threadId, ChangeRecorder& changes) {
    auto last = db.prepare("SELECT coalesce(last_msg_id, 0) FROM ms_threads WHERE id = ?");
    last.bind(1, threadId);
    if (!last.step())
        return MSG_STORE_ERR_DB;
    changes.groupchat(last.columnInt(0), threadId);
    return MSG_STORE_SUCCESS;
}

int refreshThread(msg_device::Connection& db, int threadId) {
    // Spam stays out of the figures: blocked messages are listed on their own.
    auto figures =
        db.prepare("SELECT count(*), coalesce(sum(is_read = 0 AND folder IN (1, 101)), 0) FROM ms_messages"
                   " WHERE thread_id = ?1 AND folder NOT IN (5, 105)");
    figures.bind(1, threadId);
    if (!figures.step())
        return MSG_STORE_ERR_DB;
    int count = figures.columnInt(0);
    int unread = figures.columnInt(1);

    auto anyLeft = db.prepare("SELECT 1 FROM ms_messages WHERE thread_id = ? LIMIT 1");
    anyLeft.bind(1, threadId);
    if (!anyLeft.step()) {
        if (anyLeft.failed())
            return MSG_STORE_ERR_DB;
        auto drop = db.prepare("DELETE FROM ms_threads WHERE id = ?");
        drop.bind(1, threadId);
        return drop.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
    }

    auto newest = db.prepare("SELECT id, time FROM ms_messages WHERE thread_id = ? AND folder NOT IN (5, 105)"
                             " ORDER BY time DESC, id DESC LIMIT 1");
    newest.bind(1, threadId);
    int lastId = -1;
    int64_t time = 0;
    if (newest.step()) {
        lastId = newest.columnInt(0);
        time = newest.columnInt64(1);
    } else if (newest.failed()) {
        return MSG_STORE_ERR_DB;
    }
    auto update = db.prepare(
        "UPDATE ms_threads SET msg_count = ?, unread_count = ?, last_msg_id = ?, time = ? WHERE id = ?");
    update.bind(1, count).bind(2, unread).bind(5, threadId).bind(4, time);
    if (lastId > 0)
        update.bind(3, lastId);
    else
        update.bindNull(3);
    return update.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
}

} // namespace store
} // namespace msg_store
