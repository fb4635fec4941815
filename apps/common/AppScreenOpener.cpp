#include "AppScreenOpener.h"

#include "block/MBContentViewController.h"
#include "common/MsgLog.h"
#include "compose/MCLaunchMgr.h"
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

bool AppScreenOpener::checkComposerCondition(const std::vector<std::string>& recipients,
                                             view_kit::WViewController** errorPopup) {
    if (errorPopup)
        *errorPopup = nullptr;
    compose::MCLaunchMgr::Error error =
        compose::MCLaunchMgr::checkCondition(compose::MCLaunchMgr::CHECK_ALL, 0, recipients);
    if (error == compose::MCLaunchMgr::ERROR_NONE)
        return true;
    MSG_LOGE("checkCondition() returns error(%d)", static_cast<int>(error));
    if (errorPopup)
        *errorPopup = compose::MCLaunchMgr::createErrorPopup(error, 0);
    return false;
}

} // namespace shell
} // namespace msg_app
