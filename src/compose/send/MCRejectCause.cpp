#include "compose/send/MCRejectCause.h"

#include "common/CommonUtil.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "vconf.h"

namespace msg_app {
namespace compose {

namespace {

constexpr const char* CS_REJECT_KEY = "memory/telephony/cs_rej_cause";
constexpr const char* PS_REJECT_KEY = "memory/telephony/ps_rej_cause";
constexpr const char* DOMESTIC_MCC = "450";

int readCause(const char* key) {
    int cause = 0;
    int ret = vconf_get_int(key, &cause);
    if (ret != VCONF_OK) {
        MSG_LOGE("Fail to get vconf with [%s][%d]", key, ret);
        return 0;
    }
    return cause;
}

bool isLgu() {
    std::string code;
    common_util::get_sales_code(code);
    return code == "LUC" || code == "LUO";
}

// At home: the network's country is Korea (or unknown) and the watch is not roaming.
bool isDomestic() {
    std::string mcc;
    MCommonTapi::getInstance()->getMcc(mcc);
    return (mcc.empty() || mcc == DOMESTIC_MCC) && !MCommonTapi::getInstance()->isRoaming();
}

int smsCause() {
    int cause = readCause(CS_REJECT_KEY);
    MSG_LOGD("cs_rej_cause : %d", cause);
    if (cause != 0 || !isLgu())
        return cause;
    int psCause = readCause(PS_REJECT_KEY);
    if (psCause == 12 || psCause == 15) {
        MSG_LOGD("uplus exception. MsgType : %d[0:SMS, 1:MMS], psRejectCause : %d[SMS:cs, MMS:ps]",
                 MSG_TYPE_SMS, psCause);
        return psCause;
    }
    if (psCause == 19 || psCause == 22) {
        if (isDomestic())
            return psCause;
        MSG_LOGD("psRejectCause %d and LGU roaming, SMS should send normally.", psCause);
    }
    return 0;
}

int mmsCause() {
    int cause = readCause(PS_REJECT_KEY);
    MSG_LOGD("ps_rej_cause : %d", cause);
    if (cause == 19 && isLgu() && !isDomestic()) {
        MSG_LOGD("psRejectCause %d and LGU roaming, MMS should send normally.", cause);
        return 0;
    }
    return cause;
}

} // namespace

int MCRejectCause::read(MsgType msgType) {
    int cause = msgType == MSG_TYPE_MMS ? mmsCause() : smsCause();
    MSG_LOGD("MsgType : %d[0:SMS, 1:MMS], rejectCause : %d[SMS:cs, MMS:ps]", msgType, cause);
    return cause;
}

} // namespace compose
} // namespace msg_app
