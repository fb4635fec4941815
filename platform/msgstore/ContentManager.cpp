#include "msg_store/ContentManager.h"

#include "MessageWriter.h"
#include "PhoneRequests.h"
#include "StoreDb.h"
#include "log/PlatformLog.h"
#include "msg_store/Content.h"

namespace msg_store {

int ContentManager::downloadContentFile(int contentId, const std::string& downloadName) {
    PLAT_RETV_IF(contentId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid content id %d", contentId);
    PLAT_RETV_IF(!store::isValidText(downloadName), MSG_STORE_ERR_INVALID_ARGUMENT, "name is not UTF-8");
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        auto select = db.prepare("SELECT c.msg_id, m.thread_id, c.transfer_status FROM ms_contents c"
                                 " JOIN ms_messages m ON m.id = c.msg_id WHERE c.id = ?");
        select.bind(1, contentId);
        if (!select.step())
            return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_ERR_NOT_FOUND;
        int msgId = select.columnInt(0);
        int threadId = select.columnInt(1);
        if (select.columnInt(2) == Content::TRANSFER_DOWNLOADING)
            return MSG_STORE_SUCCESS; // already asked for
        auto mark = db.prepare("UPDATE ms_contents SET transfer_status = ? WHERE id = ?");
        mark.bind(1, static_cast<int>(Content::TRANSFER_DOWNLOADING)).bind(2, contentId);
        if (!mark.exec())
            return MSG_STORE_ERR_DB;
        changes.storage("msg_updated", msgId, threadId);
        return store::queueRequest(db, "download_content", msgId, contentId, downloadName);
    });
}

} // namespace msg_store
