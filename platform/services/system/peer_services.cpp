// Device management, network connection, wearable connection, number sync and number sharing:
// each answers from the device settings that msg-sim and the device profiles change.
#include "DeviceSettings.h"
#include "fabrel.h"
#include "log/PlatformLog.h"
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

// The handles of these services carry no state: every answer comes from the settings.
template <typename Handle> int createHandle(Handle** out, int invalid) {
    PLAT_RETV_IF(!out, invalid, "handle is null");
    *out = new Handle{0};
    return 0;
}

template <typename Handle> int destroyHandle(Handle* handle, int invalid) {
    PLAT_RETV_IF(!handle, invalid, "handle is null");
    delete handle;
    return 0;
}

// The number-sync and number-sharing clients answer alike from their two settings,
// "db/private/<service>/available" and "db/private/<service>/status".
struct StatusService {
    const char* name;
    int fallbackStatus;
    int invalid;
    int unavailable;

    bool available() const {
        return DeviceSettings::getBool((std::string("db/private/") + name + "/available").c_str(), true);
    }

    template <typename Handle> int init(Handle** out) const {
        PLAT_RETV_IF(!out, invalid, "handle is null");
        return available() ? createHandle(out, invalid) : unavailable;
    }

    template <typename Handle> int status(Handle* handle, int* out) const {
        PLAT_RETV_IF(!handle || !out, invalid, "argument is null");
        if (!available())
            return unavailable;
        *out =
            DeviceSettings::getInt((std::string("db/private/") + name + "/status").c_str(), fallbackStatus);
        return 0;
    }
};

const StatusService kNumberSync{"merrowin", 4, MERROWIN_ERROR_INVALID_PARAMETER,
                                MERROWIN_ERROR_SERVICE_UNAVAILABLE};
const StatusService kNumberSharing{"tarvik", 0, TARVIK_ERROR_INVALID_PARAMETER,
                                   TARVIK_ERROR_SERVICE_UNAVAILABLE};

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
    PLAT_RETV_IF(!sim_id || !*sim_id || std::strchr(sim_id, '/'), MDM_STATUS_ERROR, "bad SIM id");
    PLAT_RETV_IF(!mdmHeld(), MDM_STATUS_ERROR, "mdm_get_service() was not called");
    std::string key =
        std::string("db/private/mdm/text_messaging/") + (std::strcmp(sim_id, "*") == 0 ? "peer" : sim_id);
    return DeviceSettings::getInt(key.c_str(), MDM_ALLOWED) == MDM_RESTRICTED ? MDM_RESTRICTED : MDM_ALLOWED;
}

extern "C" int connection_create(connection_h* connection) {
    return createHandle(connection, CONNECTION_ERROR_INVALID_PARAMETER);
}

extern "C" int connection_destroy(connection_h connection) {
    return destroyHandle(connection, CONNECTION_ERROR_INVALID_PARAMETER);
}

extern "C" int connection_get_type(connection_h connection, connection_type_e* type) {
    PLAT_RETV_IF(!connection || !type, CONNECTION_ERROR_INVALID_PARAMETER, "argument is null");
    int value = DeviceSettings::getInt("memory/dnet/status", -1);
    PLAT_RETV_IF(value < CONNECTION_TYPE_DISCONNECTED || value > CONNECTION_TYPE_BT,
                 CONNECTION_ERROR_OPERATION_FAILED, "network status %d is unknown", value);
    *type = static_cast<connection_type_e>(value);
    return CONNECTION_ERROR_NONE;
}

extern "C" int fabrel_create(fabrel_h* handle) {
    return createHandle(handle, FABREL_ERROR_INVALID_PARAMETER);
}

extern "C" int fabrel_destroy(fabrel_h handle) {
    return destroyHandle(handle, FABREL_ERROR_INVALID_PARAMETER);
}

extern "C" int fabrel_get_service_state(fabrel_h handle, int service, int* state) {
    PLAT_RETV_IF(!handle || !state || service < 0, FABREL_ERROR_INVALID_PARAMETER, "bad argument");
    std::string key = "memory/private/fabrel/service_state/" + std::to_string(service);
    *state = DeviceSettings::getInt(key.c_str(), FABREL_STATE_DISCONNECTED);
    return FABREL_ERROR_NONE;
}

extern "C" int merrowin_init(merrowin_h* handle) {
    return kNumberSync.init(handle);
}

extern "C" int merrowin_deinit(merrowin_h handle) {
    return destroyHandle(handle, MERROWIN_ERROR_INVALID_PARAMETER);
}

extern "C" int merrowin_service_get_status_sync(merrowin_h handle, int* status) {
    return kNumberSync.status(handle, status);
}

extern "C" int tarvik_init(tarvik_h* handle) {
    return kNumberSharing.init(handle);
}

extern "C" int tarvik_deinit(tarvik_h handle) {
    return destroyHandle(handle, TARVIK_ERROR_INVALID_PARAMETER);
}

extern "C" int tarvik_service_get_status_sync(tarvik_h handle, int* status) {
    return kNumberSharing.status(handle, status);
}
