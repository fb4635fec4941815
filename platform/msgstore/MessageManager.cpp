#include "msg_store/MessageManager.h"

#include "Outbox.h"
#include "PhoneRequests.h"
#include "StoreDb.h"
#include "StoreRecords.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"

#include <algorithm>
#include <functional>

namespace msg_store {

namespace {

// Reads the message rows that `where` selects (bound by `bind`) and the contents that
// `contentWhere` selects with the same bindings. The output is replaced only on success.
template <typename Record>
int readList(const char* where, const char* contentWhere,
             const std::function<void(msg_device::Statement&)>& bind, std::vector<Record>& out) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select = db->prepare((std::string(MSG_STORE_MESSAGE_SELECT) + where).c_str());
    bind(select);
    std::vector<Record> records;
    while (select.step()) {
        records.emplace_back();
        store::readMessageRow(select, records.back());
    }
    PLAT_RETV_IF(select.failed(), MSG_STORE_ERR_DB, "cannot read the messages");
    if (!records.empty()) {
        auto contents = db->prepare((std::string(MSG_STORE_CONTENT_SELECT) + contentWhere).c_str());
        bind(contents);
        PLAT_RETV_IF(!store::attachContents(contents, records), MSG_STORE_ERR_DB, "cannot read the contents");
    }
    out = std::move(records);
    return MSG_STORE_SUCCESS;
}

template <typename Record> int readOne(int msgId, Record& record) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    std::vector<Record> records;
    int result = readList<Record>(
        "WHERE m.id = ?", "WHERE c.msg_id = ? ORDER BY c.position",
        [msgId](msg_device::Statement& s) { s.bind(1, msgId); }, records);
    if (result != MSG_STORE_SUCCESS)
        return result;
    if (records.empty())
        return MSG_STORE_ERR_NOT_FOUND;
    record = std::move(records.front());
    return MSG_STORE_SUCCESS;
}

// Runs a change of one existing message; `change` returns the change type to announce, or
// null when nothing changed, and sets `result` on failure.
using MessageChange =
    std::function<const char*(msg_device::Connection&, int folder, int status, int& result)>;

int changeMessage(int msgId, const MessageChange& change) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        int threadId = -1, folder = 0, status = 0;
        int result = store::lookupMessage(db, msgId, threadId, folder, status);
        if (result != MSG_STORE_SUCCESS)
            return result;
        const char* changeType = change(db, folder, status, result);
        if (result != MSG_STORE_SUCCESS || !changeType)
            return result;
        changes.storage(changeType, msgId, threadId);
        return store::refreshThread(db, threadId);
    });
}

const char* runUpdate(msg_device::Connection& db, const char* sql, int msgId, const char* changeType,
                      int& result) {
    auto update = db.prepare(sql);
    update.bind(1, msgId);
    if (!update.exec()) {
        result = MSG_STORE_ERR_DB;
        return nullptr;
    }
    return db.changes() > 0 ? changeType : nullptr;
}

} // namespace

int MessageManager::getMessages(const ListCondition& condition, std::vector<Message>& messages) {
    PLAT_RETV_IF(condition.folderFilter < 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid folder filter");
    bool all = condition.folderFilter == FOLDER_NONE;
    // The spam folder the watch shows holds what the phone stopped as well as what the watch did.
    bool spam = isSpamFolder(condition.folderFilter);
    std::string where = all    ? "WHERE ?1 = 0"
                        : spam ? "WHERE m.folder IN (5, 105) AND ?1 > 0"
                               : "WHERE m.folder = ?1";
    where += condition.newestFirst ? " ORDER BY m.time DESC, m.id DESC" : " ORDER BY m.time, m.id";
    const char* contentWhere =
        all    ? "WHERE ?1 = 0 ORDER BY c.msg_id, c.position"
        : spam ? "JOIN ms_messages m ON m.id = c.msg_id WHERE m.folder IN (5, 105) AND ?1 > 0"
                 " ORDER BY c.msg_id, c.position"
               : "JOIN ms_messages m ON m.id = c.msg_id WHERE m.folder = ?1"
                 " ORDER BY c.msg_id, c.position";
    int folder = condition.folderFilter;
    return readList<Message>(
        where.c_str(), contentWhere, [folder](msg_device::Statement& s) { s.bind(1, folder); }, messages);
}

int MessageManager::getMessage(int msgId, Message& message) {
    return readOne(msgId, message);
}

int MessageManager::getConversations(int threadId, std::vector<Conversation>& conversations) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    std::vector<Conversation> list;
    int result = readList<Conversation>(
        "WHERE m.thread_id = ?1 AND m.folder NOT IN (5, 105) ORDER BY m.time, m.id",
        "JOIN ms_messages m ON m.id = c.msg_id WHERE m.thread_id = ?1 ORDER BY c.msg_id, c.position",
        [threadId](msg_device::Statement& s) { s.bind(1, threadId); }, list);
    if (result != MSG_STORE_SUCCESS)
        return result;
    // An empty list is an answer only for a thread that exists.
    if (list.empty() && !store::readerOfThread(threadId, result))
        return result;
    conversations = std::move(list);
    return MSG_STORE_SUCCESS;
}

int MessageManager::getConversationsBefore(int threadId, int64_t beforeTime, int beforeId, int limit,
                                           std::vector<Conversation>& conversations, int folder1,
                                           int folder2) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    // Read from the end backwards over the thread's index, which stops at the limit; the contents
    // are those of the same messages.
#define MSG_STORE_PAGE_WHERE                                                                                 \
    "m.thread_id = ?1 AND m.folder NOT IN (5, 105) AND (?3 = 0 OR (m.time, m.id) < (?2, ?3))"                \
    " AND (?5 = 0 OR m.folder IN (?5, ?6)) ORDER BY m.time DESC, m.id DESC LIMIT ?4"
    std::vector<Conversation> list;
    int result = readList<Conversation>(
        "WHERE " MSG_STORE_PAGE_WHERE,
        "WHERE c.msg_id IN (SELECT m.id FROM ms_messages m WHERE " MSG_STORE_PAGE_WHERE
        ") ORDER BY c.msg_id, c.position",
        [&](msg_device::Statement& s) {
            s.bind(1, threadId).bind(2, beforeTime).bind(3, beforeId).bind(4, limit > 0 ? limit : -1);
            s.bind(5, folder1).bind(6, folder2);
        },
        list);
#undef MSG_STORE_PAGE_WHERE
    if (result != MSG_STORE_SUCCESS)
        return result;
    // An empty list is an answer only for a thread that exists.
    if (list.empty() && !store::readerOfThread(threadId, result))
        return result;
    std::reverse(list.begin(), list.end());
    conversations = std::move(list);
    return MSG_STORE_SUCCESS;
}

int MessageManager::getConversation(int msgId, Conversation& conversation) {
    return readOne(msgId, conversation);
}

int MessageManager::getConversationKinds(int threadId, bool& hasMms, bool& hasOther) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::readerOfThread(threadId, result);
    if (!db)
        return result;
#define MSG_STORE_KIND_EXISTS(test)                                                                          \
    "EXISTS(SELECT 1 FROM ms_messages WHERE thread_id = ?1 AND folder NOT IN (5, 105) AND type " test ")"
    auto select =
        db->prepare("SELECT " MSG_STORE_KIND_EXISTS("= 'mms'") ", " MSG_STORE_KIND_EXISTS("<> 'mms'"));
#undef MSG_STORE_KIND_EXISTS
    select.bind(1, threadId);
    PLAT_RETV_IF(!select.step(), MSG_STORE_ERR_DB, "cannot read the kinds of thread %d", threadId);
    hasMms = select.columnInt(0) != 0;
    hasOther = select.columnInt(1) != 0;
    return MSG_STORE_SUCCESS;
}

int MessageManager::deleteMessage(int msgId) {
    return changeMessage(msgId, [msgId](msg_device::Connection& db, int, int, int& result) {
        return runUpdate(db, "DELETE FROM ms_messages WHERE id = ?", msgId, "msg_deleted", result);
    });
}

int MessageManager::readMessage(int msgId) {
    return changeMessage(msgId, [msgId](msg_device::Connection& db, int, int, int& result) {
        return runUpdate(db, "UPDATE ms_messages SET is_read = 1 WHERE id = ? AND is_read = 0", msgId,
                         "msg_updated", result);
    });
}

int MessageManager::resendMessage(int msgId) {
    return store::resend(msgId, "phone");
}

int MessageManager::restoreBlockedMessage(int msgId) {
    return changeMessage(
        msgId, [msgId](msg_device::Connection& db, int folder, int, int& result) -> const char* {
            if (!isSpamFolder(folder)) {
                PLAT_LOGE("message %d is not blocked (folder %d)", msgId, folder);
                result = MSG_STORE_ERR_INVALID_ARGUMENT;
                return nullptr;
            }
            auto update = db.prepare("UPDATE ms_messages SET folder = ? WHERE id = ?");
            update.bind(1, folder == FOLDER_SPAM ? FOLDER_INBOX : FOLDER_WATCH_INBOX).bind(2, msgId);
            if (!update.exec())
                result = MSG_STORE_ERR_DB;
            return "msg_updated";
        });
}

int MessageManager::exportMessageToPhone(int msgId) {
    return changeMessage(msgId, [msgId](msg_device::Connection& db, int, int, int& result) -> const char* {
        result = store::queueRequest(db, "export", msgId);
        return nullptr;
    });
}

int MessageManager::sendSMS(int threadId, const std::string& address, const std::string& body, int simIndex,
                            int* outMsgId) {
    store::OutgoingMessage message;
    message.threadId = threadId;
    message.address = address;
    message.body = body;
    message.simIndex = simIndex;
    return store::sendToOutbox(message, outMsgId);
}

int MessageManager::sendMMS(int threadId, const std::string& address, const std::string& body,
                            const std::string& attachPath, int simIndex, int* outMsgId) {
    store::OutgoingMessage message;
    message.threadId = threadId;
    message.address = address;
    message.body = body;
    message.attachPath = attachPath;
    message.simIndex = simIndex;
    message.mms = true;
    return store::sendToOutbox(message, outMsgId);
}

} // namespace msg_store
