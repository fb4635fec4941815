#include "compose/launch/MCLaunchMgr.h"

#include "common/CommonUtil.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/MCMsgData.h"
#include "compose/MCUtil.h"
#include "compose/recipient/MCRecipientContentViewController.h"
#include "storage.h"
#include "vconf.h"

#include <Elementary.h>

namespace msg_app {
namespace compose {

MCLaunchMgr::Error MCLaunchMgr::createNewComposer(view_kit::WContentViewController** outComposer) {
    MSG_RETV_IF(!outComposer, ERROR_NO_OUTPUT, "outComposer is null");
    Error error = checkCondition(CHECK_ALL, APP_CONTROL_IN_APP, std::string());
    if (error != ERROR_NONE) {
        MSG_LOGE("checkCondition() returns error(%d)", error);
        return error;
    }
    *outComposer = new MCRecipientContentViewController(nullptr);
    return ERROR_NONE;
}

MCLaunchMgr::Error MCLaunchMgr::checkCondition(int checkType, int appControlType,
                                               const std::string& recipient) {
    return checkCondition(checkType, appControlType, std::vector<std::string>{recipient});
}

MCLaunchMgr::Error MCLaunchMgr::checkCondition(int checkType, int appControlType,
                                               const std::vector<std::string>& recipients) {
    if ((checkType & CHECK_FLIGHT_MODE) && _isFlightModeOn()) {
        MSG_LOGI("flight mode is enable.");
        return ERROR_FLIGHT_MODE;
    }
    if ((checkType & CHECK_MDM) && common_util::is_mdm_enabled() &&
        common_util::is_mdm_text_messaging_restricted()) {
        MSG_LOGI("MDM is enable.");
        return ERROR_RESTRICTED;
    }
    if ((checkType & CHECK_STORAGE) && _isStorageFull()) {
        MSG_LOGI("Memory is full.");
        return ERROR_STORAGE_FULL;
    }
    if (checkType & CHECK_RECIPIENT)
        return _checkRecipients(appControlType, recipients);
    return ERROR_NONE;
}

bool MCLaunchMgr::_isFlightModeOn() {
    int on = 0;
    int ret = vconf_get_bool(FLIGHT_MODE_KEY, &on);
    if (ret != VCONF_OK) {
        MSG_LOGE("vconf_get_bool failed. ret : %d", ret);
        return false;
    }
    return on != 0;
}

bool MCLaunchMgr::_isStorageFull() {
    struct statvfs info {};
    int err = storage_get_internal_memory_size(&info);
    if (err != STORAGE_ERROR_NONE) {
        MSG_LOGE("storage_get_internal_memory_size() is failed, err = %d", err);
        return false;
    }
    return static_cast<unsigned long long>(info.f_bsize) * info.f_bavail < MIN_FREE_BYTES;
}

MCLaunchMgr::Error MCLaunchMgr::_checkRecipients(int appControlType,
                                                 const std::vector<std::string>& recipients) {
    bool retail = common_util::is_retail_mode_enabled();
    for (const auto& recipient : recipients) {
        if (recipient.empty()) {
            if (appControlType == APP_CONTROL_SEND) {
                MSG_LOGE("address is empty");
                return ERROR_INVALID_RECIPIENT;
            }
            continue;
        }
        if (!retail && !MCUtil::isValidRecipient(recipient)) {
            MSG_LOGE("invalid recipient.");
            return ERROR_INVALID_RECIPIENT;
        }
    }
    return ERROR_NONE;
}

void MCLaunchMgr::_exitProcess(int appControlType) {
    if (appControlType == APP_CONTROL_IN_APP)
        return;
    MSG_LOGI("[msg-send or msg-compose] process elm_exit()");
    elm_exit();
}

void MCLaunchMgr::_launchFlightModeSetting() {
    LaunchRequest request = createLaunchRequest();
    if (!request) {
        MSG_LOGE("app_control_create() is failed");
        return;
    }
    app_control_set_app_id(request.get(), FLIGHT_MODE_APP_ID);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), nullptr)) {
        MSG_LOGE("app_control_send_launch_request is failed");
    }
}

view_kit::WViewController* MCLaunchMgr::createErrorPopup(Error error, int appControlType) {
    const char* toastId = nullptr;
    switch (error) {
    case ERROR_FLIGHT_MODE: {
        auto exitCb = [appControlType](void*, bool* destroyPopup) {
            *destroyPopup = true;
            _exitProcess(appControlType);
        };
        // OK opens the setting; the process stays until the popup is gone, then ends.
        return MCommonPopup::createOkCancelPopup(
            nullptr, "WDS_MSG_POP_CANT_SEND_MESSAGE_TURN_OFF_AIRPLANE_MODE",
            [](void*, bool* destroyPopup) {
                *destroyPopup = true;
                _launchFlightModeSetting();
            },
            exitCb, exitCb, [appControlType](void*, const Evas_Object*) { _exitProcess(appControlType); },
            nullptr);
    }
    case ERROR_RESTRICTED:
        toastId = "WDS_ASEML_POP_SECURITY_POLICY_PREVENTS_SMS_SERVICES";
        break;
    case ERROR_INVALID_RECIPIENT:
        toastId = "WDS_MSG_TPOP_INVALID_RECIPIENT_M_ENTER";
        break;
    case ERROR_STORAGE_FULL:
        toastId = "WDS_PN_TPOP_MEMORY_FULL_ABB";
        break;
    default:
        MSG_LOGE("not support err(%d)", error);
        return nullptr;
    }
    return MCommonPopup::createToastPopup(
        toastId, [appControlType](void*, const Evas_Object*) { _exitProcess(appControlType); }, nullptr);
}

} // namespace compose
} // namespace msg_app
