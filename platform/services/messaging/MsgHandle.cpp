#include "MsgHandle.h"

#include "MsgServiceDb.h"
#include "log/PlatformLog.h"
#include "msg.h"
#include "vconf.h"

#include <mutex>
#include <set>
#include <thread>

struct msg_service_handle {
    std::thread::id owner;
};

namespace msg_service {

namespace {

// Live handles, so that a closed or foreign pointer is refused instead of read.
std::mutex gMutex;
std::set<msg_handle_t>& liveHandles() {
    static std::set<msg_handle_t> handles;
    return handles;
}

} // namespace

int checkHandle(msg_handle_t handle) {
    PLAT_RETV_IF(!handle, MSG_ERR_NULL_POINTER, "handle is null");
    std::lock_guard<std::mutex> lock(gMutex);
    PLAT_RETV_IF(!liveHandles().count(handle), MSG_ERR_INVALID_MSGHANDLE, "not an open handle");
    PLAT_RETV_IF(handle->owner != std::this_thread::get_id(), MSG_ERR_INVALID_MSGHANDLE,
                 "the handle belongs to another thread");
    return MSG_SUCCESS;
}

} // namespace msg_service

extern "C" int msg_open_msg_handle(msg_handle_t* handle) {
    PLAT_RETV_IF(!handle, MSG_ERR_NULL_POINTER, "handle is null");
    int ready = 0;
    PLAT_RETV_IF(vconf_get_bool("memory/msg/ready", &ready) != VCONF_OK || !ready, MSG_ERR_SERVER_NOT_READY,
                 "the messaging service is not ready");
    PLAT_RETV_IF(!msg_service::serviceDevice(), MSG_ERR_DB_ERROR, "no device");
    auto* opened = new msg_service_handle{std::this_thread::get_id()};
    std::lock_guard<std::mutex> lock(msg_service::gMutex);
    msg_service::liveHandles().insert(opened);
    *handle = opened;
    return MSG_SUCCESS;
}

extern "C" int msg_close_msg_handle(msg_handle_t* handle) {
    PLAT_RETV_IF(!handle, MSG_ERR_NULL_POINTER, "handle is null");
    int result = msg_service::checkHandle(*handle);
    if (result != MSG_SUCCESS)
        return result;
    std::lock_guard<std::mutex> lock(msg_service::gMutex);
    msg_service::liveHandles().erase(*handle);
    delete *handle;
    *handle = nullptr;
    return MSG_SUCCESS;
}
