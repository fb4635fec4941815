/*
 * The watch's telephony client: modem power, network state and PLMN of the
 * watch's own modem. Properties are read by name; every call returns a
 * TAPI_API_* code and leaves its out-parameters untouched on failure.
 * The state lives in the device settings (keys "memory/telephony/..."), so
 * msg-sim can change what the modem reports.
 */
#ifndef MSG_PLATFORM_TELEPHONY_H
#define MSG_PLATFORM_TELEPHONY_H

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    TAPI_API_SUCCESS = 0,
    TAPI_API_INVALID_INPUT = -1,
    TAPI_API_INVALID_PTR = -2,
    TAPI_API_NOT_SUPPORTED = -3,
    TAPI_API_OPERATION_FAILED = -5,
} TapiResult_t;

typedef struct tapi_handle TapiHandle;

// Integer properties.
#define TAPI_PROP_MODEM_POWER "org.orvex.telephony.Modem:power"
#define TAPI_PROP_NETWORK_ROAMING_STATUS "org.orvex.telephony.Network:roaming_status"
#define TAPI_PROP_NETWORK_SERVICE_TYPE "org.orvex.telephony.Network:service_type"
// String property: mobile country code followed by the network code, e.g. "310260".
#define TAPI_PROP_NETWORK_PLMN "org.orvex.telephony.Network:plmn"

// Values of TAPI_PROP_MODEM_POWER.
typedef enum {
    TAPI_PHONE_POWER_STATUS_ON = 0,
    TAPI_PHONE_POWER_STATUS_OFF = 1,
    TAPI_PHONE_POWER_STATUS_RESET = 2,
    TAPI_PHONE_POWER_STATUS_LOW = 3,
} tapi_power_phone_power_status_t;

// Values of TAPI_PROP_NETWORK_SERVICE_TYPE; 4 and above mean attached.
typedef enum {
    TAPI_NETWORK_SERVICE_TYPE_UNKNOWN = 0,
    TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE = 1,
    TAPI_NETWORK_SERVICE_TYPE_EMERGENCY = 2,
    TAPI_NETWORK_SERVICE_TYPE_SEARCH = 3,
    TAPI_NETWORK_SERVICE_TYPE_2G = 4,
    TAPI_NETWORK_SERVICE_TYPE_2_5G = 5,
    TAPI_NETWORK_SERVICE_TYPE_3G = 7,
    TAPI_NETWORK_SERVICE_TYPE_LTE = 9,
} TelNetworkServiceType_t;

typedef enum {
    TAPI_PHONE_POWER_ON = 0,
    TAPI_PHONE_POWER_OFF = 1,
    TAPI_PHONE_POWER_RESET = 2,
    TAPI_PHONE_POWER_LOW = 3,
} tapi_power_phone_cmd_t;

typedef void (*tapi_response_cb)(TapiHandle* handle, int result, void* data, void* user_data);

// cp_name selects the modem; null is the watch's only one. Null on failure.
TapiHandle* tel_init(const char* cp_name);
int tel_deinit(TapiHandle* handle);

int tel_get_property_int(TapiHandle* handle, const char* property, int* result);
// *result is a copy the caller frees.
int tel_get_property_string(TapiHandle* handle, const char* property, char** result);

// Changes the modem state at once; the callback, when given, gets the result on the main loop
// (not after the handle is deinitialised). Switching on fails in flight mode.
int tel_process_power_command(TapiHandle* handle, tapi_power_phone_cmd_t cmd, tapi_response_cb callback,
                              void* user_data);

#ifdef __cplusplus
}
#endif

#endif
