#include "compose/send/MCUtilNetwork.h"

#include "common/CommonUtil.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "compose/MCUtil.h"
#include "vconf.h"

namespace msg_app {
namespace compose {

namespace {

constexpr const char* SKT_SIM_ACTIVATED_KEY = "memory/private/telephony/skt_sim_is_activated";

} // namespace

bool MCUtilNetwork::isHulmNetworkAvailable() {
    if (!connectivity::is_sim_insert()) {
        MSG_LOGD("sim is not inserted.");
        return false;
    }
    MCommonTapi* tapi = MCommonTapi::getInstance();
    if (tapi->isModemOn() || tapi->isGrayZone())
        return true;
    MSG_LOGD("Hulm network is NOT available.");
    return false;
}

void MCUtilNetwork::getAvailableNetworkStatus(connectivity::YoxConn* conn, bool* deviceAvailable,
                                              int msgType) {
    connectivity::YoxConn phone = connectivity::YoxConn::NONE;
    connectivity::is_sendby_phone_available(&phone);
    bool device = common_util::is_sta_enabled() && isHulmNetworkAvailable();
    if (device && msgType == 1 && MCommonTapi::getInstance()->isRoaming() &&
        !MCommonTapi::getInstance()->isMMSRoamingAvailable()) {
        MSG_LOGD("msg_type(MMS), roaming is ON but, dataRomaing is off.");
        device = false;
    }
    MSG_LOGD("[LEAVE] phone[%d][0:NONE, 1:BT, 2:RLX], isHulmAvailable[%d]", static_cast<int>(phone), device);
    if (conn)
        *conn = phone;
    if (deviceAvailable)
        *deviceAvailable = device;
}

bool MCUtilNetwork::isSKTSimActivated() {
    std::string country;
    common_util::get_country_iso(country);
    if (country != "KR") {
        MSG_LOGD("This function is valid only in case of Korean model");
        return true;
    }
    int activated = -1;
    int ret = vconf_get_int(SKT_SIM_ACTIVATED_KEY, &activated);
    if (ret != VCONF_OK) {
        MSG_LOGE("vconf_get_int(skt_sim_is_activated) is failed !!, ret[%d]", ret);
        activated = -1;
    }
    return activated == -1 || activated == 1;
}

} // namespace compose
} // namespace msg_app
