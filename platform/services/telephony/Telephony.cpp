// The telephony client over the modem state kept in the device settings.
#include "telephony.h"

#include "TelephonyState.h"

#include "log/PlatformLog.h"
#include "vconf.h"

#include <Ecore.h>
#include <cstring>
#include <mutex>
#include <set>

struct tapi_handle {
    int unused = 0;
};

namespace {

std::mutex g_handlesMutex;
std::set<TapiHandle*> g_handles;

bool isLive(TapiHandle* handle) {
    std::lock_guard<std::mutex> lock(g_handlesMutex);
    return handle && g_handles.count(handle) > 0;
}

struct PendingResponse {
    TapiHandle* handle;
    int result;
    tapi_response_cb callback;
    void* userData;
};

void respondCb(void* data) {
    auto* pending = static_cast<PendingResponse*>(data);
    if (isLive(pending->handle))
        pending->callback(pending->handle, pending->result, nullptr, pending->userData);
    delete pending;
}

int powerStateOf(tapi_power_phone_cmd_t cmd) {
    switch (cmd) {
    case TAPI_PHONE_POWER_ON:
    case TAPI_PHONE_POWER_RESET: // a reset comes back on
        return TAPI_PHONE_POWER_STATUS_ON;
    case TAPI_PHONE_POWER_OFF:
        return TAPI_PHONE_POWER_STATUS_OFF;
    case TAPI_PHONE_POWER_LOW:
        return TAPI_PHONE_POWER_STATUS_LOW;
    }
    return -1;
}

} // namespace

extern "C" {

TapiHandle* tel_init(const char* cp_name) {
    PLAT_RETV_IF(cp_name && !*cp_name, nullptr, "cp_name is empty");
    auto* handle = new tapi_handle;
    std::lock_guard<std::mutex> lock(g_handlesMutex);
    g_handles.insert(handle);
    return handle;
}

int tel_deinit(TapiHandle* handle) {
    {
        std::lock_guard<std::mutex> lock(g_handlesMutex);
        PLAT_RETV_IF(!handle || !g_handles.erase(handle), TAPI_API_INVALID_PTR, "unknown handle");
    }
    delete handle;
    return TAPI_API_SUCCESS;
}

int tel_get_property_int(TapiHandle* handle, const char* property, int* result) {
    PLAT_RETV_IF(!isLive(handle) || !result, TAPI_API_INVALID_PTR, "handle or result is invalid");
    PLAT_RETV_IF(!property, TAPI_API_INVALID_INPUT, "property is null");
    if (std::strcmp(property, TAPI_PROP_MODEM_POWER) == 0)
        *result = telephony_state::modemPower();
    else if (std::strcmp(property, TAPI_PROP_NETWORK_ROAMING_STATUS) == 0)
        *result = telephony_state::roamingStatus();
    else if (std::strcmp(property, TAPI_PROP_NETWORK_SERVICE_TYPE) == 0)
        *result = telephony_state::serviceType();
    else {
        PLAT_LOGE("no integer property %s", property);
        return TAPI_API_INVALID_INPUT;
    }
    return TAPI_API_SUCCESS;
}

int tel_get_property_string(TapiHandle* handle, const char* property, char** result) {
    PLAT_RETV_IF(!isLive(handle) || !result, TAPI_API_INVALID_PTR, "handle or result is invalid");
    PLAT_RETV_IF(!property || std::strcmp(property, TAPI_PROP_NETWORK_PLMN) != 0, TAPI_API_INVALID_INPUT,
                 "no text property %s", property ? property : "(null)");
    // Without service there is no network to name.
    PLAT_RETV_IF(telephony_state::serviceType() < TAPI_NETWORK_SERVICE_TYPE_2G, TAPI_API_OPERATION_FAILED,
                 "no network");
    char* copy = strdup(telephony_state::plmn().c_str());
    PLAT_RETV_IF(!copy, TAPI_API_OPERATION_FAILED, "strdup failed");
    *result = copy;
    return TAPI_API_SUCCESS;
}

int tel_process_power_command(TapiHandle* handle, tapi_power_phone_cmd_t cmd, tapi_response_cb callback,
                              void* user_data) {
    PLAT_RETV_IF(!isLive(handle), TAPI_API_INVALID_PTR, "unknown handle");
    int state = powerStateOf(cmd);
    PLAT_RETV_IF(state < 0, TAPI_API_INVALID_INPUT, "unknown power command %d", static_cast<int>(cmd));
    int flightMode = 0;
    PLAT_RETV_IF(state == TAPI_PHONE_POWER_STATUS_ON &&
                     vconf_get_bool("db/telephony/flight_mode", &flightMode) == 0 && flightMode,
                 TAPI_API_OPERATION_FAILED, "flight mode is on");
    if (!telephony_state::setModemPower(state))
        return TAPI_API_OPERATION_FAILED;
    if (callback) {
        auto* pending = new PendingResponse{handle, TAPI_API_SUCCESS, callback, user_data};
        // The answer always comes later, from the main loop, as the modem's would; the
        // thread-safe call would run at once on the main thread itself.
        if (eina_main_loop_is())
            ecore_job_add(respondCb, pending);
        else
            ecore_main_loop_thread_safe_call_async(respondCb, pending);
    }
    return TAPI_API_SUCCESS;
}

} // extern "C"
