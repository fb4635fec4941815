#include "msg_store/PhoneSide.h"

#include "MessageWriter.h"
#include "PhoneRequests.h"
#include "StoreDb.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"

#include <glib.h>
#include <set>

namespace msg_store {

namespace {

// Ends a send: only an outbox message that is still sending can be delivered or fail.
int finishSend(int msgId, bool delivered, NetworkStatus failure) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        int threadId = -1, folder = 0, status = 0;
        int result = store::lookupMessage(db, msgId, threadId, folder, status);
        if (result != MSG_STORE_SUCCESS)
            return result;
        bool outbox = folder == FOLDER_OUTBOX || folder == FOLDER_WATCH_OUTBOX;
        bool sending = status == NETWORK_STATUS_SENDING || status == NETWORK_STATUS_SEND_PENDING;
        PLAT_RETV_IF(!outbox || !sending, MSG_STORE_ERR_INVALID_ARGUMENT, "message %d is not being sent",
                     msgId);
        auto update = db.prepare("UPDATE ms_messages SET folder = ?, status = ? WHERE id = ?");
        int newFolder = delivered ? (folder == FOLDER_OUTBOX ? FOLDER_SENT : FOLDER_WATCH_SENT) : folder;
        update.bind(1, newFolder)
            .bind(2, static_cast<int>(delivered ? NETWORK_STATUS_SEND_SUCCESS : failure));
        update.bind(3, msgId);
        if (!update.exec())
            return MSG_STORE_ERR_DB;
        changes.storage("msg_updated", msgId, threadId);
        return store::refreshThread(db, threadId);
    });
}

struct RequestRow {
    std::string kind;
    int msgId = -1;
    int contentId = -1;
    int threadId = -1;
};

int takeRequest(msg_device::Connection& db, int requestId, RequestRow& row) {
    auto select = db.prepare("SELECT r.kind, r.msg_id, r.content_id, m.thread_id FROM ms_requests r"
                             " JOIN ms_messages m ON m.id = r.msg_id WHERE r.id = ?");
    select.bind(1, requestId);
    if (!select.step())
        return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_ERR_NOT_FOUND;
    row.kind = select.columnText(0);
    row.msgId = select.columnInt(1);
    row.contentId = select.columnInt(2);
    row.threadId = select.columnInt(3);
    auto remove = db.prepare("DELETE FROM ms_requests WHERE id = ?");
    remove.bind(1, requestId);
    return remove.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
}

int setTransfer(msg_device::Connection& db, int contentId, Content::TransferStatus status,
                const std::string& path) {
    auto update = db.prepare(path.empty() ? "UPDATE ms_contents SET transfer_status = ?1 WHERE id = ?2"
                                          : "UPDATE ms_contents SET transfer_status = ?1, file_path = ?3,"
                                            " file_name = CASE file_name WHEN '' THEN ?4 ELSE file_name END"
                                            " WHERE id = ?2");
    update.bind(1, static_cast<int>(status)).bind(2, contentId);
    if (!path.empty()) {
        gchar* base = g_path_get_basename(path.c_str());
        update.bind(3, path).bind(4, base);
        g_free(base);
    }
    return update.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
}

} // namespace

int PhoneSide::insertMessage(const IncomingMessage& message, int* outMsgId) {
    std::vector<int> ids;
    int result = insertMessages({message}, &ids);
    if (result == MSG_STORE_SUCCESS && outMsgId)
        *outMsgId = ids.front();
    return result;
}

int PhoneSide::insertMessages(const std::vector<IncomingMessage>& messages, std::vector<int>* outMsgIds) {
    PLAT_RETV_IF(messages.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "no message");
    for (const IncomingMessage& message : messages) {
        int result = store::validate(message);
        if (result != MSG_STORE_SUCCESS)
            return result;
    }
    std::vector<int> ids;
    int result = store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        std::set<int> threads;
        for (const IncomingMessage& message : messages) {
            int threadId = -1, msgId = -1;
            int rc = store::findOrCreateThread(db, message.addresses, threadId);
            if (rc == MSG_STORE_SUCCESS)
                rc = store::insertMessage(db, message, threadId, "phone", msgId);
            if (rc != MSG_STORE_SUCCESS)
                return rc;
            threads.insert(threadId);
            ids.push_back(msgId);
            changes.storage("msg_inserted", msgId, threadId);
        }
        // Once per thread, so that a batch costs one pass over each thread's messages.
        for (int threadId : threads) {
            int rc = store::refreshThread(db, threadId);
            if (rc != MSG_STORE_SUCCESS)
                return rc;
        }
        return MSG_STORE_SUCCESS;
    });
    if (result == MSG_STORE_SUCCESS && outMsgIds)
        *outMsgIds = std::move(ids);
    return result;
}

int PhoneSide::deliver(int msgId) {
    return finishSend(msgId, true, NETWORK_STATUS_SEND_SUCCESS);
}

int PhoneSide::fail(int msgId, NetworkStatus status) {
    PLAT_RETV_IF(!isSendFailure(status), MSG_STORE_ERR_INVALID_ARGUMENT, "%d is not a failure status",
                 status);
    return finishSend(msgId, false, status);
}

int PhoneSide::getOutbox(std::vector<OutboxEntry>& entries) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select =
        db->prepare("SELECT id, thread_id, folder, status, type, address, route, time FROM ms_messages"
                    " WHERE status = 1 AND folder IN (2, 102) ORDER BY time, id");
    std::vector<OutboxEntry> list;
    while (select.step()) {
        OutboxEntry entry;
        entry.msgId = select.columnInt(0);
        entry.threadId = select.columnInt(1);
        entry.folderType = static_cast<FolderType>(select.columnInt(2));
        entry.networkStatus = static_cast<NetworkStatus>(select.columnInt(3));
        entry.msgType = select.columnText(4);
        entry.address = select.columnText(5);
        entry.route = select.columnText(6);
        entry.time = select.columnInt64(7);
        list.push_back(entry);
    }
    PLAT_RETV_IF(select.failed(), MSG_STORE_ERR_DB, "cannot read the outbox");
    entries = std::move(list);
    return MSG_STORE_SUCCESS;
}

int PhoneSide::getRequests(std::vector<PhoneRequest>& requests) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select =
        db->prepare("SELECT id, kind, msg_id, content_id, detail, time FROM ms_requests ORDER BY id");
    std::vector<PhoneRequest> list;
    while (select.step()) {
        PhoneRequest request;
        request.requestId = select.columnInt(0);
        request.kind = select.columnText(1);
        request.msgId = select.columnInt(2);
        request.contentId = select.columnInt(3);
        request.detail = select.columnText(4);
        request.time = select.columnInt64(5);
        list.push_back(request);
    }
    PLAT_RETV_IF(select.failed(), MSG_STORE_ERR_DB, "cannot read the requests");
    requests = std::move(list);
    return MSG_STORE_SUCCESS;
}

int PhoneSide::completeRequest(int requestId, const std::string& filePath) {
    PLAT_RETV_IF(requestId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid request id %d", requestId);
    PLAT_RETV_IF(!store::isValidText(filePath), MSG_STORE_ERR_INVALID_ARGUMENT, "path is not UTF-8");
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        RequestRow row;
        int result = takeRequest(db, requestId, row);
        if (result != MSG_STORE_SUCCESS)
            return result;
        if (row.kind == "download_content") {
            PLAT_RETV_IF(!g_file_test(filePath.c_str(), G_FILE_TEST_IS_REGULAR),
                         MSG_STORE_ERR_INVALID_ARGUMENT, "no file '%s' for request %d", filePath.c_str(),
                         requestId);
            result = setTransfer(db, row.contentId, Content::TRANSFER_DOWNLOADED, filePath);
            changes.contentChanged(row.msgId);
        } else if (row.kind == "download_mms") {
            auto update = db.prepare("UPDATE ms_messages SET status = ? WHERE id = ?");
            update.bind(1, static_cast<int>(NETWORK_STATUS_RETRIEVE_SUCCESS)).bind(2, row.msgId);
            result = update.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
            changes.storage("msg_replaced", row.msgId, row.threadId);
        }
        return result;
    });
}

int PhoneSide::failRequest(int requestId) {
    PLAT_RETV_IF(requestId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid request id %d", requestId);
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        RequestRow row;
        int result = takeRequest(db, requestId, row);
        if (result == MSG_STORE_SUCCESS && row.kind == "download_content") {
            result = setTransfer(db, row.contentId, Content::TRANSFER_FAILED, std::string());
            changes.storage("msg_updated", row.msgId, row.threadId);
        }
        return result;
    });
}

int PhoneSide::setAddresses(int threadId, const std::vector<Address>& addresses) {
    PLAT_RETV_IF(threadId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid thread id %d", threadId);
    PLAT_RETV_IF(addresses.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "no address");
    for (const Address& address : addresses) {
        PLAT_RETV_IF(address.address.empty() || !store::isValidText(address.address),
                     MSG_STORE_ERR_INVALID_ARGUMENT, "invalid address");
    }
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        if (!store::threadExists(db, threadId))
            return MSG_STORE_ERR_NOT_FOUND;
        int result = store::writeAddresses(db, threadId, addresses);
        if (result != MSG_STORE_SUCCESS)
            return result;
        return store::announceGroupchat(db, threadId, changes);
    });
}

int PhoneSide::countMessages(int& count) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Connection* db = store::reader(&result);
    if (!db)
        return result;
    auto select = db->prepare("SELECT count(*) FROM ms_messages");
    PLAT_RETV_IF(!select.step(), MSG_STORE_ERR_DB, "cannot count the messages");
    count = select.columnInt(0);
    return MSG_STORE_SUCCESS;
}

} // namespace msg_store
