#include "MessageWriter.h"

#include "StoreDb.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"

#include <glib.h>

namespace msg_store {
namespace store {

namespace {

bool isKnownType(const std::string& type) {
    for (const char* known : {"sms", "mms", "wap", "cb", "cmas", "ft", "chat"}) {
        if (type == known)
            return true;
    }
    return false;
}

bool isKnownFolder(int folder) {
    return (folder >= FOLDER_INBOX && folder <= FOLDER_SPAM) ||
           (folder >= FOLDER_WATCH_INBOX && folder <= FOLDER_WATCH_SPAM);
}

bool isValidContent(const Content& content) {
    return content.mediaType >= Content::MEDIA_TYPE_NONE && content.mediaType <= Content::MEDIA_TYPE_AUDIO &&
           isValidText(content.mimeType) && isValidText(content.text) && isValidText(content.filePath) &&
           isValidText(content.fileName) && isValidText(content.thumbnailPath) &&
           isValidText(content.downloadName);
}

} // namespace

bool isValidText(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

int validate(const IncomingMessage& message) {
    PLAT_RETV_IF(message.addresses.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "no address");
    for (const Address& address : message.addresses) {
        PLAT_RETV_IF(address.address.empty() || !isValidText(address.address), MSG_STORE_ERR_INVALID_ARGUMENT,
                     "invalid address");
    }
    PLAT_RETV_IF(!isKnownType(message.msgType), MSG_STORE_ERR_INVALID_ARGUMENT, "unknown message type");
    PLAT_RETV_IF(!isKnownFolder(message.folderType), MSG_STORE_ERR_INVALID_ARGUMENT, "unknown folder %d",
                 message.folderType);
    PLAT_RETV_IF(!isValidText(message.text) || !isValidText(message.subject) || !isValidText(message.from),
                 MSG_STORE_ERR_INVALID_ARGUMENT, "text is not UTF-8");
    for (const Content& content : message.contents) {
        PLAT_RETV_IF(!isValidContent(content), MSG_STORE_ERR_INVALID_ARGUMENT, "invalid content");
    }
    return MSG_STORE_SUCCESS;
}

int insertMessage(msg_device::Connection& db, const IncomingMessage& message, int threadId,
                  const std::string& route, int& msgId) {
    bool received = message.folderType == FOLDER_INBOX || message.folderType == FOLDER_WATCH_INBOX ||
                    isSpamFolder(message.folderType);
    std::string address = message.from;
    if (address.empty())
        address = received ? message.addresses.front().address : joinAddresses(message.addresses);

    auto insert = db.prepare(
        "INSERT INTO ms_messages(thread_id, item_id, type, folder, status, sim, time, is_read, is_protected,"
        " hide_watch_icon, route, address, subject, text) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, threadId).bind(2, message.itemId).bind(3, message.msgType);
    insert.bind(4, static_cast<int>(message.folderType)).bind(5, static_cast<int>(message.networkStatus));
    insert.bind(6, message.simIndex).bind(7, message.time > 0 ? message.time : nowMs());
    // Only received messages wait to be read.
    insert.bind(8, (message.isRead || !received) ? 1 : 0).bind(9, message.isProtected ? 1 : 0);
    insert.bind(10, message.hideWatchIcon ? 1 : 0).bind(11, route).bind(12, address);
    insert.bind(13, message.subject).bind(14, message.text);
    if (!insert.exec())
        return MSG_STORE_ERR_DB;
    msgId = static_cast<int>(db.lastInsertId());
    if (message.itemId == 0) {
        auto item = db.prepare("UPDATE ms_messages SET item_id = id WHERE id = ?");
        item.bind(1, msgId);
        if (!item.exec())
            return MSG_STORE_ERR_DB;
    }

    auto part = db.prepare(
        "INSERT INTO ms_contents(msg_id, position, media_type, is_attachment, transfer_status, mime, text,"
        " file_path, file_name, thumbnail_path, download_name) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int position = 0;
    for (const Content& content : message.contents) {
        part.reset();
        part.bind(1, msgId).bind(2, position++).bind(3, static_cast<int>(content.mediaType));
        part.bind(4, content.isAttachment ? 1 : 0).bind(5, static_cast<int>(content.transferStatus));
        part.bind(6, content.mimeType)
            .bind(7, content.text)
            .bind(8, content.filePath)
            .bind(9, content.fileName);
        part.bind(10, content.thumbnailPath).bind(11, content.downloadName);
        if (!part.exec())
            return MSG_STORE_ERR_DB;
    }
    return MSG_STORE_SUCCESS;
}

int addMessage(msg_device::Connection& db, const IncomingMessage& message, const std::string& route,
               int& msgId, int& threadId) {
    int result = findOrCreateThread(db, message.addresses, threadId);
    if (result == MSG_STORE_SUCCESS)
        result = insertMessage(db, message, threadId, route, msgId);
    if (result == MSG_STORE_SUCCESS)
        result = refreshThread(db, threadId);
    return result;
}

} // namespace store
} // namespace msg_store
