#include "compose/MCLaunchMgr.h"

#include "MCComposerStandIn.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"

namespace msg_app {
namespace compose {

MCLaunchMgr::Error MCLaunchMgr::createNewComposer(view_kit::WContentViewController** outComposer) {
    MSG_RETV_IF(!outComposer, ERROR_NO_OUTPUT, "outComposer is null");
    *outComposer = new MCComposerStandIn();
    return ERROR_NONE;
}

view_kit::WViewController* MCLaunchMgr::createErrorPopup(Error error, int appControlType) {
    const char* textId = nullptr;
    switch (error) {
    case ERROR_FLIGHT_MODE:
        textId = "WDS_MSG_POP_CANT_SEND_MESSAGE_TURN_OFF_AIRPLANE_MODE";
        break;
    case ERROR_RESTRICTED:
        textId = "WDS_ASEML_POP_SECURITY_POLICY_PREVENTS_SMS_SERVICES";
        break;
    case ERROR_INVALID_RECIPIENT:
        textId = "WDS_MSG_TPOP_INVALID_RECIPIENT_M_ENTER";
        break;
    case ERROR_STORAGE_FULL:
        textId = "WDS_PN_TPOP_MEMORY_FULL_ABB";
        break;
    default:
        MSG_LOGE("not support err(%d)", error);
        return nullptr;
    }
    MSG_LOGD("error(%d), appControlType(%d)", error, appControlType);
    return MCommonPopup::createToastPopup(textId, nullptr, nullptr);
}

} // namespace compose
} // namespace msg_app
