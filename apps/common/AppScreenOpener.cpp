#include "AppScreenOpener.h"

#include "block/MBContentViewController.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/launch/MCLaunchMgr.h"
#include "compose/send/MCResendCheck.h"
#include "viewer/MVContentViewController.h"

namespace msg_app {
namespace shell {

view_kit::WContentViewController* AppScreenOpener::createConversation(int threadId) {
    return new msg_viewer::MVContentViewController(threadId);
}

view_kit::WContentViewController* AppScreenOpener::createBlockedMessage(int msgId) {
    return new msg_block::MBContentViewController(msgId);
}

view_kit::WContentViewController* AppScreenOpener::createComposer(view_kit::WViewController** errorPopup) {
    if (errorPopup)
        *errorPopup = nullptr;
    view_kit::WContentViewController* composer = nullptr;
    compose::MCLaunchMgr::Error error = compose::MCLaunchMgr::createNewComposer(&composer);
    if (error == compose::MCLaunchMgr::ERROR_NONE && composer)
        return composer;
    MSG_LOGE("createNewComposer() failed (%d)", static_cast<int>(error));
    if (composer)
        composer->destroy();
    if (errorPopup)
        *errorPopup = compose::MCLaunchMgr::createErrorPopup(error, 0);
    return nullptr;
}

bool AppScreenOpener::checkComposer(const std::vector<std::string>& recipients,
                                    view_kit::WViewController** errorPopup) {
    if (errorPopup)
        *errorPopup = nullptr;
    compose::MCLaunchMgr::Error error =
        compose::MCLaunchMgr::checkCondition(compose::MCLaunchMgr::CHECK_ALL, 0, recipients);
    if (error == compose::MCLaunchMgr::ERROR_NONE)
        return true;
    MSG_LOGE("MCLaunchMgr is failed.");
    if (errorPopup)
        *errorPopup = compose::MCLaunchMgr::createErrorPopup(error, 0);
    return false;
}

bool AppScreenOpener::checkResend(SendRoad road, bool isMms, const std::string& address, int msgId,
                                  view_kit::WViewController** errorPopup) {
    static_assert(static_cast<int>(compose::SendBy::PHONE) == ROAD_PHONE &&
                      static_cast<int>(compose::SendBy::HULM) == ROAD_WATCH &&
                      static_cast<int>(compose::SendBy::NMS) == ROAD_NMS,
                  "the roads are numbered as the composer numbers them");
    MCommonPopup* popup = nullptr;
    bool available = compose::MCResendCheck::check(static_cast<compose::SendBy>(road),
                                                   isMms ? compose::MSG_TYPE_MMS : compose::MSG_TYPE_SMS,
                                                   address, msgId, errorPopup ? &popup : nullptr);
    if (errorPopup)
        *errorPopup = popup;
    return available;
}

} // namespace shell
} // namespace msg_app
