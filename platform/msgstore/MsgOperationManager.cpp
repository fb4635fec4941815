#include "msg_store/MsgOperationManager.h"

#include "PhoneRequests.h"
#include "StoreDb.h"
#include "log/PlatformLog.h"
#include "msg_store/MsgStoreTypes.h"

namespace msg_store {

int MsgOperationManager::showOnDevice(int msgId) {
    PLAT_RETV_IF(msgId <= 0, MSG_STORE_ERR_INVALID_ARGUMENT, "invalid message id %d", msgId);
    return store::write([msgId](msg_device::Connection& db, store::ChangeRecorder&) -> int {
        int threadId = -1, folder = 0, status = 0;
        int result = store::lookupMessage(db, msgId, threadId, folder, status);
        if (result != MSG_STORE_SUCCESS)
            return result;
        return store::queueRequest(db, "show", msgId);
    });
}

} // namespace msg_store
