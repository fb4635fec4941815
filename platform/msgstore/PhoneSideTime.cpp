// The phone's corrections of a message's time.
#include "msg_store/PhoneSide.h"

#include "PhoneRequests.h"
#include "StoreDb.h"
#include "ThreadBook.h"
#include "log/PlatformLog.h"

namespace msg_store {

int PhoneSide::setTime(int msgId, int64_t timeMs) {
    PLAT_RETV_IF(msgId <= 0 || timeMs <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message %d or time",
                msgId);
    return store::write([&](msg_device::Connection& db, store::ChangeRecorder& changes) -> int {
        int threadId = -1, folder = 0, status = 0;
        int result = store::lookupMessage(db, msgId, threadId, folder, status);
        if (result != MSG_STORE_SUCCESS)
            return result;
        auto update = db.prepare("UPDATE ms_messages SET time = ? WHERE id = ?");
        update.bind(1, timeMs).bind(2, msgId);
        if (!update.exec())
            return MSG_STORE_ERR_DB;
        changes.storage("msg_updated", msgId, threadId);
        return store::refreshThread(db, threadId);
    });
}

} // namespace msg_store
