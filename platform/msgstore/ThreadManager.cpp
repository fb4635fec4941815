#include "msg_store/ThreadManager.h"

#include "StoreDb.h"
#include "StoreRecords.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"

namespace msg_store {

namespace {

constexpr const char* kActiveThreadKey = "active_thread_id";

// Collects the ids of the thread's messages that a statement selects, as (msgId, threadId).
int collectIds(msg_device::Statement& select, int threadId, std::vector<std::pair<int, int>>& ids) {
    while (select.step())
        ids.emplace_back(select.columnInt(0), threadId);
    return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_SUCCESS;
}

} // namespace

int ThreadManager::getAllThreads(std::vector<Thread>& threads) {
    std::vector<Thread> list;
    int result = readThreads([&list](Thread&& thread) {
        list.push_back(std::move(thread));
        return true;
    });
    if (result == MSG_STORE_SUCCESS)
        threads = std::move(list);
    return result;
}

int ThreadManager::readThreads(const std::function<bool(Thread&&)>& take) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    // One statement is one read transaction: a change committed meanwhile is in none of the rows.
    auto select =
        db->prepare(MSG_STORE_THREAD_SELECT "WHERE t.msg_count > 0 ORDER BY t.time DESC, t.id DESC");
    while (select.step()) {
        if (!take(store::readThreadRow(select)))
            return MSG_STORE_SUCCESS;
    }
    PLAT_RETV_IF(select.failed(), MSG_STORE_ERR_DB, "cannot read the threads");
    return MSG_STORE_SUCCESS;
}

int ThreadManager::getThread(int threadId, Thread& thread) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select = db->prepare(MSG_STORE_THREAD_SELECT "WHERE t.id = ?");
    select.bind(1, threadId);
    if (!select.step())
        return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_ERR_NOT_FOUND;
    thread = store::readThreadRow(select);
    return MSG_STORE_SUCCESS;
}

int ThreadManager::deleteThread(int threadId) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    return store::write([threadId](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        if (!store::threadExists(db, threadId))
            return MSG_STORE_ERR_NOT_FOUND;
        auto select = db.prepare("SELECT id FROM ms_messages WHERE thread_id = ? AND folder NOT IN (5, 105)"
                                 " ORDER BY time, id");
        select.bind(1, threadId);
        std::vector<std::pair<int, int>> ids;
        if (collectIds(select, threadId, ids) != MSG_STORE_SUCCESS)
            return MSG_STORE_ERR_DB;
        auto remove = db.prepare("DELETE FROM ms_messages WHERE thread_id = ? AND folder NOT IN (5, 105)");
        remove.bind(1, threadId);
        if (!remove.exec())
            return MSG_STORE_ERR_DB;
        for (const auto& [msgId, tid] : ids)
            changes.storage("msg_deleted", msgId, tid);
        return store::refreshThread(db, threadId);
    });
}

int ThreadManager::readThread(int threadId) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    return store::write([threadId](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        if (!store::threadExists(db, threadId))
            return MSG_STORE_ERR_NOT_FOUND;
        auto select =
            db.prepare("SELECT id FROM ms_messages WHERE thread_id = ? AND is_read = 0 ORDER BY time, id");
        select.bind(1, threadId);
        std::vector<std::pair<int, int>> ids;
        if (collectIds(select, threadId, ids) != MSG_STORE_SUCCESS)
            return MSG_STORE_ERR_DB;
        if (ids.empty())
            return MSG_STORE_SUCCESS;
        auto mark = db.prepare("UPDATE ms_messages SET is_read = 1 WHERE thread_id = ? AND is_read = 0");
        mark.bind(1, threadId);
        if (!mark.exec())
            return MSG_STORE_ERR_DB;
        for (const auto& [msgId, tid] : ids)
            changes.storage("msg_updated", msgId, tid);
        return store::refreshThread(db, threadId);
    });
}

int ThreadManager::getAddress(int threadId, std::vector<Address>& addresses) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::readerOfThread(threadId, result);
    if (!db)
        return result;
    std::vector<Address> list;
    result = store::readAddresses(*db, threadId, list);
    if (result == MSG_STORE_SUCCESS)
        addresses = std::move(list);
    return result;
}

int ThreadManager::setActiveThreadId(int threadId) {
    PLAT_RETV_IF(threadId < 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    return store::write([threadId](msg_device::Connection& db, store::ChangeRecorder&) -> int {
        auto set = db.prepare("INSERT OR REPLACE INTO ms_state(key, value) VALUES(?, ?)");
        set.bind(1, kActiveThreadKey).bind(2, threadId);
        return set.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
    });
}

int ThreadManager::getActiveThreadId(int& threadId) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select = db->prepare("SELECT value FROM ms_state WHERE key = ?");
    select.bind(1, kActiveThreadKey);
    bool found = select.step();
    if (select.failed())
        return MSG_STORE_ERR_DB;
    threadId = found ? select.columnInt(0) : 0;
    return MSG_STORE_SUCCESS;
}

int ThreadManager::updateGroupchatThread(int threadId) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    return store::write([threadId](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        std::vector<Address> addresses;
        if (!store::threadExists(db, threadId))
            return MSG_STORE_ERR_NOT_FOUND;
        int result = store::readAddresses(db, threadId, addresses);
        if (result == MSG_STORE_SUCCESS)
            result = store::writeAddresses(db, threadId, addresses);
        if (result != MSG_STORE_SUCCESS)
            return result;
        return store::announceGroupchat(db, threadId, changes);
    });
}

} // namespace msg_store
