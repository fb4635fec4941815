#include "Outbox.h"

#include "MessageWriter.h"
#include "PhoneRequests.h"
#include "StoreDb.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"
#include "msg_store/StoreFiles.h"

#include <cctype>
#include <glib.h>

namespace msg_store {
namespace store {

namespace {

struct MimeEntry {
    const char* extension;
    const char* mime;
    Content::MediaType mediaType;
};

const MimeEntry kMimeTable[] = {
    {"png", "image/png", Content::MEDIA_TYPE_IMAGE},   {"jpg", "image/jpeg", Content::MEDIA_TYPE_IMAGE},
    {"jpeg", "image/jpeg", Content::MEDIA_TYPE_IMAGE}, {"gif", "image/gif", Content::MEDIA_TYPE_IMAGE},
    {"bmp", "image/bmp", Content::MEDIA_TYPE_IMAGE},   {"wav", "audio/wav", Content::MEDIA_TYPE_AUDIO},
    {"mp3", "audio/mpeg", Content::MEDIA_TYPE_AUDIO},  {"amr", "audio/amr", Content::MEDIA_TYPE_AUDIO},
    {"m4a", "audio/mp4", Content::MEDIA_TYPE_AUDIO},   {"ogg", "audio/ogg", Content::MEDIA_TYPE_AUDIO},
    {"mp4", "video/mp4", Content::MEDIA_TYPE_VIDEO},   {"3gp", "video/3gpp", Content::MEDIA_TYPE_VIDEO},
};

Content fileContent(const std::string& path) {
    Content content;
    gchar* base = g_path_get_basename(path.c_str());
    content.fileName = base;
    g_free(base);
    content.filePath = path;
    content.transferStatus = Content::TRANSFER_DOWNLOADED;
    content.mimeType = "application/octet-stream";
    content.isAttachment = true;
    std::string extension;
    size_t dot = content.fileName.rfind('.');
    if (dot != std::string::npos) {
        for (char c : content.fileName.substr(dot + 1))
            extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const MimeEntry& entry : kMimeTable) {
        if (extension == entry.extension) {
            content.mimeType = entry.mime;
            content.mediaType = entry.mediaType;
            content.isAttachment = false;
        }
    }
    return content;
}

int checkOutgoing(const OutgoingMessage& message) {
    PLAT_RETV_IF(!isValidText(message.body) || !isValidText(message.address) ||
                     !isValidText(message.attachPath),
                 MSG_STORE_ERR_INVALID_ARGUMENT, "text is not UTF-8");
    PLAT_RETV_IF(message.simIndex < 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid SIM index %d",
                 message.simIndex);
    if (!message.mms) {
        PLAT_RETV_IF(message.body.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "empty SMS");
        PLAT_RETV_IF(!message.attachPath.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "an SMS carries no file");
        return MSG_STORE_SUCCESS;
    }
    PLAT_RETV_IF(message.body.empty() && message.attachPath.empty(), MSG_STORE_ERR_INVALID_ARGUMENT,
                 "empty MMS");
    PLAT_RETV_IF(!message.attachPath.empty() &&
                     !g_file_test(message.attachPath.c_str(), G_FILE_TEST_IS_REGULAR),
                 MSG_STORE_ERR_INVALID_ARGUMENT, "no file %s", message.attachPath.c_str());
    return MSG_STORE_SUCCESS;
}

} // namespace

int sendToOutbox(const OutgoingMessage& message, int* outMsgId) {
    PLAT_RETV_IF(!outMsgId, MSG_STORE_ERR_INVALID_ARGUMENT, "outMsgId is null");
    int result = checkOutgoing(message);
    if (result != MSG_STORE_SUCCESS)
        return result;

    IncomingMessage record;
    record.msgType = message.mms ? "mms" : "sms";
    record.folderType = FOLDER_OUTBOX;
    record.networkStatus = NETWORK_STATUS_SENDING;
    record.simIndex = message.simIndex;
    record.isRead = true;
    record.text = message.body;
    if (message.mms) {
        if (!message.body.empty()) {
            Content text;
            text.mediaType = Content::MEDIA_TYPE_TEXT;
            text.mimeType = "text/plain";
            text.text = message.body;
            record.contents.push_back(text);
        }
        if (!message.attachPath.empty()) {
            Content file = fileContent(message.attachPath);
            // The sender's file may go as soon as it is done; the message keeps a copy of its own.
            PLAT_RETV_IF(!keepFile(message.attachPath, file.filePath), MSG_STORE_ERR_DB, "cannot keep %s",
                         message.attachPath.c_str());
            record.contents.push_back(file);
        }
    }
    int msgId = -1;
    result = write([&](msg_device::Connection& db, ChangeRecorder& changes) -> int {
        record.addresses = parseAddresses(message.address);
        if (message.threadId > 0 && threadExists(db, message.threadId)) {
            std::vector<Address> known;
            if (readAddresses(db, message.threadId, known) != MSG_STORE_SUCCESS)
                return MSG_STORE_ERR_DB;
            // The thread decides the recipients; the address text names them for the record.
            record.from = message.address.empty() ? joinAddresses(known) : message.address;
            record.addresses = known;
        }
        PLAT_RETV_IF(record.addresses.empty(), MSG_STORE_ERR_INVALID_ARGUMENT, "no recipient");
        int threadId = -1;
        int rc = addMessage(db, record, message.route, msgId, threadId);
        if (rc == MSG_STORE_SUCCESS)
            changes.storage("msg_inserted", msgId, threadId);
        return rc;
    });
    if (result == MSG_STORE_SUCCESS)
        *outMsgId = msgId;
    return result;
}

int resend(int msgId, const char* route) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    return write([&](msg_device::Connection& db, ChangeRecorder& changes) -> int {
        int threadId = -1, folder = 0, status = 0;
        int rc = lookupMessage(db, msgId, threadId, folder, status);
        if (rc != MSG_STORE_SUCCESS)
            return rc;
        bool outbox = folder == FOLDER_OUTBOX || folder == FOLDER_WATCH_OUTBOX;
        bool failed = isSendFailure(status);
        PLAT_RETV_IF(!outbox || !failed, MSG_STORE_ERR_INVALID_ARGUMENT, "message %d has not failed", msgId);
        auto update = db.prepare("UPDATE ms_messages SET status = ?, route = ? WHERE id = ?");
        update.bind(1, static_cast<int>(NETWORK_STATUS_SENDING)).bind(2, route).bind(3, msgId);
        if (!update.exec())
            return MSG_STORE_ERR_DB;
        changes.storage("msg_updated", msgId, threadId);
        return refreshThread(db, threadId);
    });
}

} // namespace store
} // namespace msg_store
