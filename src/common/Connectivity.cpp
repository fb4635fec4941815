#include "common/Connectivity.h"

#include "common/CommonUtil.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "fabrel.h"
#include "net_connection.h"
#include "vconf.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace connectivity {

namespace {

constexpr const char* VCONFKEY_VENDOR = "db/wms/host_status/vendor";
constexpr const char* VCONFKEY_YOX_CONN_TYPE = "memory/private/yox/conn_type";
constexpr const char* VCONFKEY_WMANAGER_CONNECTED = "memory/wms/wmanager_connected";
constexpr const char* VCONFKEY_DATA_RESTRICTION = "db/setting/data_restriction";
constexpr const char* VCONFKEY_SIM_SLOT = "memory/telephony/sim_slot";

constexpr int kLinkBluetooth = 1;
constexpr int kLinkBluetoothLe = 5;
constexpr int kLinkRemote = 16;
// The number-sharing service reports this when it is not active.
constexpr int kNumberSyncDeactivated = 4;

bool networkMayCarryData() {
    connection_h connection = nullptr;
    int ret = connection_create(&connection);
    MSG_RETV_IF(ret != CONNECTION_ERROR_NONE, false, "connection_create() is failed. err : %d", ret);
    connection_type_e type = CONNECTION_TYPE_DISCONNECTED;
    ret = connection_get_type(connection, &type);
    connection_destroy(connection);
    MSG_RETV_IF(ret != CONNECTION_ERROR_NONE, false, "connection_get_type() is failed. err : %d", ret);

    if (type == CONNECTION_TYPE_DISCONNECTED)
        return false;
    int restriction = 0;
    if (type == CONNECTION_TYPE_CELLULAR &&
        vconf_get_int(VCONFKEY_DATA_RESTRICTION, &restriction) == VCONF_OK && restriction == 1)
        return false;
    return true;
}

bool remoteServiceConnected() {
    fabrel_h handle = nullptr;
    int ret = fabrel_create(&handle);
    MSG_RETV_IF(ret != FABREL_ERROR_NONE, false, "fabrel_create() is failed. err : %d", ret);
    int state = FABREL_STATE_DISCONNECTED;
    ret = fabrel_get_service_state(handle, FABREL_SERVICE_REMOTE, &state);
    if (ret != FABREL_ERROR_NONE)
        MSG_LOGE("fabrel_get_service_state() is failed. err : %d", ret);
    int destroyRet = fabrel_destroy(handle);
    if (destroyRet != FABREL_ERROR_NONE)
        MSG_LOGE("fabrel_destroy() is failed. err : %d", destroyRet);
    return ret == FABREL_ERROR_NONE && state == FABREL_STATE_CONNECTED;
}

} // namespace

int get_connected_vendor() {
    char* vendor = vconf_get_str(VCONFKEY_VENDOR);
    MSG_RETV_IF(!vendor, VENDOR_NONE, "vconf_get_str() return NULL.");
    int result = VENDOR_OTHER;
    if (!*vendor)
        result = VENDOR_NONE;
    else if (std::strcmp(vendor, "vorlane") == 0)
        result = VENDOR_MAKER;
    else if (std::strcmp(vendor, "vorlaneMass") == 0)
        result = VENDOR_MAKER_MASS;
    else if (std::strcmp(vendor, "LO") == 0)
        result = VENDOR_OTHER_LO;
    std::free(vendor);
    return result;
}

YoxConn get_yox_connect() {
    YoxConn conn = YoxConn::NONE;
    if (common_util::is_retail_mode_enabled()) {
        conn = YoxConn::BT;
    } else {
        int linkType = 0;
        vconf_get_int(VCONFKEY_YOX_CONN_TYPE, &linkType);
        if (linkType == kLinkBluetooth || linkType == kLinkBluetoothLe)
            conn = YoxConn::BT;
        else if (linkType == kLinkRemote)
            conn = YoxConn::RLX;

        int wmanagerConnected = 0;
        if (get_connected_vendor() == VENDOR_OTHER_LO &&
            vconf_get_bool(VCONFKEY_WMANAGER_CONNECTED, &wmanagerConnected) == VCONF_OK &&
            wmanagerConnected) {
            conn = YoxConn::BT;
            MSG_LOGD("LO mobile phone is connected && wmanagerConnected. yox_conn : %d",
                     static_cast<int>(conn));
        }
    }
    MSG_LOGD("yox connection : %d (0:NONE, 1:BT, 2:RLX)", static_cast<int>(conn));
    return conn;
}

bool is_yox_connected() {
    return networkMayCarryData() && remoteServiceConnected();
}

void launch_no_yox_fabrel_popup() {
    if (is_yox_connected())
        return;
    MCommonAppLaunchMgr::getInstance()->launchFabrelPopup(
        common_util::is_power_saving_mode() ? "bt_connect" : "rlx_connect");
}

bool is_sendby_phone_available(YoxConn* out) {
    YoxConn result = YoxConn::NONE;
    bool available = false;

    if (!common_util::is_device_feature_supported("messaging")) {
        MSG_LOGW("messaging service is NOT supported");
    } else if (!common_util::is_consumer_connected()) {
        MSG_LOGW("messaging module is NOT connected");
    } else {
        YoxConn link = get_yox_connect();
        if (link == YoxConn::BT) {
            MSG_LOGD("BT connection is available.");
            result = YoxConn::BT;
            available = true;
        } else if (link == YoxConn::RLX) {
            int status = kNumberSyncDeactivated;
            if (!MCommonNumberSync::getInstance()->getStatus(&status)) {
                MSG_LOGD("msg_ui_util_get_merrowin_status() is failed.");
                status = kNumberSyncDeactivated;
            }
            if (status != kNumberSyncDeactivated) {
                MSG_LOGW("RLX is not supported when merrowin service is enable. (not deactivated)");
            } else if (is_yox_connected()) {
                MSG_LOGD("remote connection is available");
                result = YoxConn::RLX;
                available = true;
            } else {
                MSG_LOGW("RLX is connected, but real connection status is not activated.");
            }
        } else {
            MSG_LOGW("BT/remote connection is NOT available");
        }
    }
    if (out)
        *out = result;
    return available;
}

bool is_sim_insert() {
    if (!common_util::is_sta_enabled())
        return false;
    int slot = 0;
    return vconf_get_int(VCONFKEY_SIM_SLOT, &slot) == VCONF_OK && slot == 1;
}

} // namespace connectivity
} // namespace msg_app
