#include "common/CommonUtilMms.h"
#include "common/CommonUtilDevice.h"

#include "common/Connectivity.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "msg_store/MsgStoreTypes.h"
#include "system_info.h"

namespace msg_app {
namespace common_util {

namespace {

constexpr const char* kFeatureTelephonyMms = "http://orvex.org/feature/network.telephony.mms";

// What the phone says it can send; assumed yes when the store client has not said.
bool peerSupportsMms() {
    bool peerMms = true;
    if (!preference::get(msg_store::PREF_BOOL_SUPPORT_SENDING_MMS, &peerMms)) {
        MSG_LOGW("preference::get(msg_store::PREF_BOOL_SUPPORT_SENDING_MMS) failed.");
        peerMms = true;
    }
    return peerMms;
}

bool watchSupportsMms() {
    bool value = false;
    int ret = system_info_get_platform_bool(kFeatureTelephonyMms, &value);
    MSG_RETV_IF(ret != SYSTEM_INFO_ERROR_NONE, false, "system_info_get_platform_bool() failed(%d).", ret);
    return value;
}

} // namespace

bool is_support_MMS() {
    if (is_retail_mode_enabled()) {
        MSG_LOGD("is_retail_mode_enabled. isSupportMMS set to [1:MMS] [%d]", 1);
        return true;
    }

    int vendor = connectivity::get_connected_vendor();
    bool vendorOk = vendor == connectivity::VENDOR_MAKER || vendor == connectivity::VENDOR_MAKER_MASS;
    if (vendorOk)
        MSG_LOGD("vorlane vendor is connected.");

    bool supported = false;
    if (!is_sta_enabled()) {
        supported = vendorOk && peerSupportsMms();
    } else {
        bool watchMms = watchSupportsMms();
        connectivity::YoxConn conn = connectivity::YoxConn::NONE;
        connectivity::is_sendby_phone_available(&conn);
        bool peerMms = true;
        if (conn != connectivity::YoxConn::NONE)
            peerMms = peerSupportsMms();
        else
            MSG_LOGD("connType is connectivity::YoxConn::NONE");

        if (watchMms && peerMms)
            supported = conn == connectivity::YoxConn::NONE || vendorOk;
    }
    MSG_LOGD("isSupportMMS [%d][0:SMS, 1:MMS]", supported ? 1 : 0);
    return supported;
}

} // namespace common_util
} // namespace msg_app
