#include "PhoneRequests.h"

#include "StoreDb.h"
#include "msg_store/MsgStoreTypes.h"

namespace msg_store {
namespace store {

int queueRequest(msg_device::Connection& db, const char* kind, int msgId, int contentId,
                 const std::string& detail) {
    auto insert =
        db.prepare("INSERT INTO ms_requests(kind, msg_id, content_id, detail, time) VALUES(?, ?, ?, ?, ?)");
    insert.bind(1, kind).bind(2, msgId).bind(3, contentId).bind(4, detail).bind(5, nowMs());
    return insert.exec() ? MSG_STORE_SUCCESS : MSG_STORE_ERR_DB;
}

int lookupMessage(msg_device::Connection& db, int msgId, int& threadId, int& folder, int& status) {
    auto select = db.prepare("SELECT thread_id, folder, status FROM ms_messages WHERE id = ?");
    select.bind(1, msgId);
    if (!select.step())
        return select.failed() ? MSG_STORE_ERR_DB : MSG_STORE_ERR_NOT_FOUND;
    threadId = select.columnInt(0);
    folder = select.columnInt(1);
    status = select.columnInt(2);
    return MSG_STORE_SUCCESS;
}

} // namespace store
} // namespace msg_store
