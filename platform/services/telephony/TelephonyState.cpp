#include "TelephonyState.h"

#include "log/PlatformLog.h"
#include "telephony.h"
#include "vconf.h"

#include <cstdlib>

namespace telephony_state {

namespace {

constexpr const char* kModemSettingKey = "db/telephony/modem_always_on";
constexpr const char* kSimSlotKey = "memory/telephony/sim_slot";

bool readInt(const char* key, int* value) {
    return vconf_get_int(key, value) == VCONF_OK;
}

} // namespace

int modemPower() {
    int state = 0;
    if (readInt(kModemPowerKey, &state))
        return state;
    // Never switched since the device started: the mobile-network setting decides, auto parking
    // the modem in low power until something needs it.
    int setting = 0;
    readInt(kModemSettingKey, &setting);
    if (setting == 2)
        return TAPI_PHONE_POWER_STATUS_LOW;
    return setting == 1 ? TAPI_PHONE_POWER_STATUS_ON : TAPI_PHONE_POWER_STATUS_OFF;
}

bool setModemPower(int state) {
    int err = vconf_set_int(kModemPowerKey, state);
    PLAT_RETV_IF(err != VCONF_OK, false, "cannot store the modem state (%d)", err);
    return true;
}

int roamingStatus() {
    int roaming = 0;
    return readInt(kRoamingKey, &roaming) ? roaming : 0;
}

int serviceType() {
    if (modemPower() != TAPI_PHONE_POWER_STATUS_ON)
        return TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE;
    int type = 0;
    if (readInt(kServiceTypeKey, &type))
        return type;
    int sim = 0;
    readInt(kSimSlotKey, &sim);
    return sim == 1 ? TAPI_NETWORK_SERVICE_TYPE_LTE : TAPI_NETWORK_SERVICE_TYPE_NO_SERVICE;
}

std::string plmn() {
    char* stored = vconf_get_str(kPlmnKey);
    std::string value = stored && *stored ? stored : kDefaultPlmn;
    free(stored);
    return value;
}

} // namespace telephony_state
