#ifndef MSG_APP_SHELL_APPSCREENOPENER_H
#define MSG_APP_SHELL_APPSCREENOPENER_H

#include "common/IMCommonScreenOpener.h"

namespace msg_app {
namespace shell {

// The application knows every feature: it makes the pages one screen opens on another.
class AppScreenOpener : public IMCommonScreenOpener {
public:
    view_kit::WContentViewController* createConversation(int threadId) override;
    view_kit::WContentViewController* createBlockedMessage(int msgId) override;
    view_kit::WContentViewController* createComposer(view_kit::WViewController** errorPopup) override;
    bool checkComposer(const std::vector<std::string>& recipients,
                       view_kit::WViewController** errorPopup) override;
    bool checkResend(SendRoad road, bool isMms, const std::string& address, int msgId,
                     view_kit::WViewController** errorPopup) override;
};

} // namespace shell
} // namespace msg_app

#endif
