// Device management, network connection, wearable connection, number sync and number sharing:
// each answers from the device settings that msg-sim and the device profiles change.
#include "DeviceSettings.h"
#include "common/MsgLog.h"
#include "fabrel.h"
#include "mdm.h"
#include "merrowin.h"
#include "net_connection.h"
#include "tarvik.h"

#include <atomic>
#include <cstring>
#include <string>

using msg_services::DeviceSettings;

struct connection_s {
    int unused;
};
struct fabrel_s {
    int unused;
};
struct merrowin_s {
    int unused;
};
struct tarvik_s {
    int unused;
};

namespace {

std::atomic<bool>& mdmHeld() {
    static std::atomic<bool> held{false};
    return held;
}

// The number-sync and number-sharing clients answer alike from their two settings.
bool serviceAvailable(const char* service) {
    return DeviceSettings::getBool((std::string("db/private/") + service + "/available").c_str(), true);
}

int serviceStatus(const char* service, int fallback) {
    return DeviceSettings::getInt((std::string("db/private/") + service + "/status").c_str(), fallback);
}

} // namespace

extern "C" mdm_result_t mdm_get_service(void) {
    if (!DeviceSettings::getBool("db/private/mdm/available", true))
        return MDM_RESULT_SERVICE_NOT_ENABLED;
    mdmHeld() = true;
    return MDM_RESULT_SUCCESS;
}

extern "C" mdm_result_t mdm_release_service(void) {
    return mdmHeld().exchange(false) ? MDM_RESULT_SUCCESS : MDM_RESULT_SERVICE_NOT_ENABLED;
}

extern "C" mdm_status_t mdm_get_allow_text_messaging(const char* sim_id) {
    MSG_RETV_IF(!sim_id || !*sim_id || std::strchr(sim_id, '/'), MDM_STATUS_ERROR, "bad SIM id");
    MSG_RETV_IF(!mdmHeld(), MDM_STATUS_ERROR, "mdm_get_service() was not called");
    std::string key =
        std::string("db/private/mdm/text_messaging/") + (std::strcmp(sim_id, "*") == 0 ? "peer" : sim_id);
    return DeviceSettings::getInt(key.c_str(), MDM_ALLOWED) == MDM_RESTRICTED ? MDM_RESTRICTED : MDM_ALLOWED;
}

extern "C" int connection_create(connection_h* connection) {
    MSG_RETV_IF(!connection, CONNECTION_ERROR_INVALID_PARAMETER, "connection is null");
    *connection = new connection_s{0};
    return CONNECTION_ERROR_NONE;
}

extern "C" int connection_destroy(connection_h connection) {
    MSG_RETV_IF(!connection, CONNECTION_ERROR_INVALID_PARAMETER, "connection is null");
    delete connection;
    return CONNECTION_ERROR_NONE;
}

extern "C" int connection_get_type(connection_h connection, connection_type_e* type) {
    MSG_RETV_IF(!connection || !type, CONNECTION_ERROR_INVALID_PARAMETER, "argument is null");
    int value = DeviceSettings::getInt("memory/dnet/status", -1);
    MSG_RETV_IF(value < CONNECTION_TYPE_DISCONNECTED || value > CONNECTION_TYPE_BT,
                CONNECTION_ERROR_OPERATION_FAILED, "network status %d is unknown", value);
    *type = static_cast<connection_type_e>(value);
    return CONNECTION_ERROR_NONE;
}

extern "C" int fabrel_create(fabrel_h* handle) {
    MSG_RETV_IF(!handle, FABREL_ERROR_INVALID_PARAMETER, "handle is null");
    *handle = new fabrel_s{0};
    return FABREL_ERROR_NONE;
}

extern "C" int fabrel_destroy(fabrel_h handle) {
    MSG_RETV_IF(!handle, FABREL_ERROR_INVALID_PARAMETER, "handle is null");
    delete handle;
    return FABREL_ERROR_NONE;
}

extern "C" int fabrel_get_service_state(fabrel_h handle, int service, int* state) {
    MSG_RETV_IF(!handle || !state || service < 0, FABREL_ERROR_INVALID_PARAMETER, "bad argument");
    std::string key = "memory/private/fabrel/service_state/" + std::to_string(service);
    *state = DeviceSettings::getInt(key.c_str(), FABREL_STATE_DISCONNECTED);
    return FABREL_ERROR_NONE;
}

extern "C" int merrowin_init(merrowin_h* handle) {
    MSG_RETV_IF(!handle, MERROWIN_ERROR_INVALID_PARAMETER, "handle is null");
    if (!serviceAvailable("merrowin"))
        return MERROWIN_ERROR_SERVICE_UNAVAILABLE;
    *handle = new merrowin_s{0};
    return MERROWIN_ERROR_NONE;
}

extern "C" int merrowin_deinit(merrowin_h handle) {
    MSG_RETV_IF(!handle, MERROWIN_ERROR_INVALID_PARAMETER, "handle is null");
    delete handle;
    return MERROWIN_ERROR_NONE;
}

extern "C" int merrowin_service_get_status_sync(merrowin_h handle, int* status) {
    MSG_RETV_IF(!handle || !status, MERROWIN_ERROR_INVALID_PARAMETER, "argument is null");
    if (!serviceAvailable("merrowin"))
        return MERROWIN_ERROR_SERVICE_UNAVAILABLE;
    *status = serviceStatus("merrowin", 4);
    return MERROWIN_ERROR_NONE;
}

extern "C" int tarvik_init(tarvik_h* handle) {
    MSG_RETV_IF(!handle, TARVIK_ERROR_INVALID_PARAMETER, "handle is null");
    if (!serviceAvailable("tarvik"))
        return TARVIK_ERROR_SERVICE_UNAVAILABLE;
    *handle = new tarvik_s{0};
    return TARVIK_ERROR_NONE;
}

extern "C" int tarvik_deinit(tarvik_h handle) {
    MSG_RETV_IF(!handle, TARVIK_ERROR_INVALID_PARAMETER, "handle is null");
    delete handle;
    return TARVIK_ERROR_NONE;
}

extern "C" int tarvik_service_get_status_sync(tarvik_h handle, int* status) {
    MSG_RETV_IF(!handle || !status, TARVIK_ERROR_INVALID_PARAMETER, "argument is null");
    if (!serviceAvailable("tarvik"))
        return TARVIK_ERROR_SERVICE_UNAVAILABLE;
    *status = serviceStatus("tarvik", 0);
    return TARVIK_ERROR_NONE;
}
