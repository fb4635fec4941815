#include "common/MCommonTapi.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "vconf.h"
#include <cstdlib>

namespace msg_app {

namespace {

constexpr const char* VCONFKEY_MODEM_ALWAYS_ON = "db/telephony/modem_always_on";
constexpr const char* VCONFKEY_SETAPPL_STATE_DATA_ROAMING_BOOL = "db/setting/data_roaming";
constexpr size_t kMccLen = 3;

} // namespace

MCommonTapi* MCommonTapi::_instance = nullptr;

MCommonTapi* MCommonTapi::getInstance() {
    if (!_instance) {
        _instance = new MCommonTapi();
        singleton_release::add(destroy);
    } else if (!_instance->_handle && !_instance->_isReleased) {
        // Failed before: telephony is asked again. Once released (the application is ending) it
        // stays closed.
        _instance->_handle = tel_init(nullptr);
    }
    return _instance;
}

void MCommonTapi::destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonTapi::MCommonTapi() : _handle(tel_init(nullptr)) {
    if (!_handle)
        MSG_LOGE("tel_init() is failed");
}

MCommonTapi::~MCommonTapi() {
    if (_handle)
        MSG_LOGW("Please call release() in AppTerminate(). !!!");
}

void MCommonTapi::release() {
    _isReleased = true;
    if (!_handle)
        return;
    tel_deinit(_handle);
    _handle = nullptr;
}

bool MCommonTapi::isRoaming() {
    MSG_RETV_IF(!_handle, false, "tapi_handle is NULL!!");
    int status = 0;
    if (tel_get_property_int(_handle, TAPI_PROP_NETWORK_ROAMING_STATUS, &status) != TAPI_API_SUCCESS) {
        MSG_LOGE("Fail to tel_get_property_int(TAPI_PROP_NETWORK_ROAMING_STATUS)");
        return false;
    }
    return status != 0;
}

bool MCommonTapi::isNetworkAttached() {
    MSG_RETV_IF(!_handle, false, "tapi_handle is NULL!!");
    int serviceType = TAPI_NETWORK_SERVICE_TYPE_UNKNOWN;
    int ret = tel_get_property_int(_handle, TAPI_PROP_NETWORK_SERVICE_TYPE, &serviceType);
    MSG_RETV_IF(ret != TAPI_API_SUCCESS, false, "tel_get_property_int() is failed !!, ret = %d", ret);
    if (serviceType < TAPI_NETWORK_SERVICE_TYPE_2G) {
        MSG_LOGW("TAPI_PROP_NETWORK_SERVICE_TYPE network is no service [%d][1:NOSVC, 2:EMG, 3:SEARCH] ",
                 serviceType);
        return false;
    }
    return true;
}

bool MCommonTapi::isMMSRoamingAvailable() {
    MSG_RETV_IF(!_handle, false, "tapi_handle is NULL!!");
    std::string countryIso;
    if (!common_util::get_country_iso(countryIso) || countryIso != "KR" || !isRoaming())
        return true;
    int dataRoaming = 0;
    int ret = vconf_get_bool(VCONFKEY_SETAPPL_STATE_DATA_ROAMING_BOOL, &dataRoaming);
    MSG_RETV_IF(ret != VCONF_OK, false,
                "vconf_get_bool(VCONFKEY_SETAPPL_STATE_DATA_ROAMING_BOOL) failed [%d]", ret);
    return dataRoaming != 0;
}

void MCommonTapi::getMcc(std::string& mcc) {
    MSG_RET_IF(!_handle, "tapi_handle is NULL!!");
    char* plmn = nullptr;
    if (tel_get_property_string(_handle, TAPI_PROP_NETWORK_PLMN, &plmn) != TAPI_API_SUCCESS) {
        MSG_LOGE("Fail to tel_get_property_string");
        return;
    }
    MSG_RET_IF(!plmn, "plmn is NULL");
    std::string value(plmn);
    std::free(plmn);
    // A PLMN too short to hold a country code is not read past its end.
    MSG_RET_IF(value.size() < kMccLen, "plmn is too short (%s)", value.c_str());
    mcc = value.substr(0, kMccLen);
    MSG_LOGD("current plmn : [%s] mcc : [%s]", value.c_str(), mcc.c_str());
}

bool MCommonTapi::getModemState(ModemState* state) {
    MSG_RETV_IF(!state, false, "setting is null");
    MSG_RETV_IF(!_handle, false, "_handle is NULL");
    int power = 0;
    int ret = tel_get_property_int(_handle, TAPI_PROP_MODEM_POWER, &power);
    MSG_RETV_IF(ret != TAPI_API_SUCCESS, false, "tel_get_property_int() is failed !!, ret = %d", ret);
    MSG_LOGD("modemState :[%d][ON: 0, OFF : 1, LOW : 3]", power);
    *state = static_cast<ModemState>(power);
    return true;
}

bool MCommonTapi::_getModemSetting(ModemSetting* setting) {
    int value = 0;
    int ret = vconf_get_int(VCONFKEY_MODEM_ALWAYS_ON, &value);
    MSG_RETV_IF(ret != VCONF_OK, false, "vconf_get_int(%s) is failed(%d)", VCONFKEY_MODEM_ALWAYS_ON, ret);
    *setting = value == 2 ? MODEM_SETTING_AUTO : value == 1 ? MODEM_SETTING_ON : MODEM_SETTING_OFF;
    return true;
}

bool MCommonTapi::isModemOn() {
    MSG_RETV_IF(!_handle, false, "_handle is NULL");
    ModemSetting setting = MODEM_SETTING_OFF;
    MSG_RETV_IF(!_getModemSetting(&setting), false, "_getModemSetting() fail.");
    MSG_RETV_IF(setting == MODEM_SETTING_OFF, false, "mobile network setting is OFF.");
    ModemState state = MODEM_STATE_OFF;
    MSG_RETV_IF(!getModemState(&state), false, "getModemState() is failed");
    return state == MODEM_STATE_ON;
}

bool MCommonTapi::isGrayZone() {
    MSG_RETV_IF(!_handle, false, "_handle is NULL");
    connectivity::YoxConn conn = connectivity::get_yox_connect();
    if (conn == connectivity::YoxConn::BT || conn == connectivity::YoxConn::RLX) {
        MSG_LOGD("BT or RLX is already connected, gray zone check is exit.");
        return false;
    }
    ModemSetting setting = MODEM_SETTING_OFF;
    MSG_RETV_IF(!_getModemSetting(&setting), false, "_getModemSetting() fail.");
    if (setting != MODEM_SETTING_AUTO) {
        MSG_LOGD("mobile network(%d) is not AUTO.", static_cast<int>(setting));
        return false;
    }
    ModemState state = MODEM_STATE_OFF;
    MSG_RETV_IF(!getModemState(&state), false, "getModemState() is failed");
    if (conn == connectivity::YoxConn::NONE && common_util::is_power_saving_mode() &&
        state == MODEM_STATE_LOW) {
        MSG_LOGD("YOX_CONN_NONE, UPS mode is ON and MODEM state is LOW.");
        return false;
    }
    return state == MODEM_STATE_LOW;
}

bool MCommonTapi::setModemOn() {
    MSG_RETV_IF(!_handle, false, "_handle is NULL");
    int ret = tel_process_power_command(_handle, TAPI_PHONE_POWER_ON, nullptr, nullptr);
    MSG_RETV_IF(ret != TAPI_API_SUCCESS, false, "tel_process_power_command() failed.  error code (%d)", ret);
    return true;
}

} // namespace msg_app
