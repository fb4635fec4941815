#include "msg_store/msg_store_nms.h"

#include "Outbox.h"
#include "PhoneRequests.h"
#include "StoreDb.h"
#include "log/PlatformLog.h"
#include "msg_store/MsgStoreTypes.h"

using namespace msg_store;

int msg_store_nms_download_mms(int msgId) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    return store::write([msgId](msg_device::Connection& db, store::ChangeRecorder&) -> int {
        auto select = db.prepare("SELECT type, status FROM ms_messages WHERE id = ?");
        select.bind(1, msgId);
        if (!select.step())
            return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_ERR_NOT_FOUND;
        bool pending = select.columnInt(1) == NETWORK_STATUS_RETRIEVE_FAIL ||
                       select.columnInt(1) == NETWORK_STATUS_NOT_RETRIEVED;
        PLAT_RETV_IF(select.columnText(0) != "mms" || !pending, MSG_STORE_ERR_INVALID_ARGUMENT,
                     "message %d has nothing to download", msgId);
        return store::queueRequest(db, "download_mms", msgId);
    });
}

int msg_store_nms_resend_message(int msgId) {
    return store::resend(msgId, "nms");
}
