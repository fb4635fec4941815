#include "RecordingScreenOpener.h"

#include "PlainPage.h"
#include "common/popup/MCommonPopup.h"

RecordingScreenOpener::RecordingScreenOpener() {
    msg_app::screen_opener::install(this);
}

RecordingScreenOpener::~RecordingScreenOpener() {
    msg_app::screen_opener::install(nullptr);
}

view_kit::WContentViewController* RecordingScreenOpener::createConversation(int threadId) {
    requests.push_back("conversation " + std::to_string(threadId));
    return new PlainPage();
}

view_kit::WContentViewController* RecordingScreenOpener::createBlockedMessage(int msgId) {
    requests.push_back("blocked " + std::to_string(msgId));
    return new PlainPage();
}

view_kit::WContentViewController*
RecordingScreenOpener::createComposer(view_kit::WViewController** errorPopup) {
    requests.push_back("composer");
    if (composerError.empty())
        return new PlainPage();
    *errorPopup = msg_app::MCommonPopup::createToastPopup(composerError.c_str(), nullptr, nullptr);
    return nullptr;
}

bool RecordingScreenOpener::checkComposer(const std::vector<std::string>& recipients,
                                          view_kit::WViewController** errorPopup) {
    std::string joined;
    for (const std::string& recipient : recipients)
        joined += (joined.empty() ? "" : ";") + recipient;
    requests.push_back("check " + joined);
    if (composerError.empty())
        return true;
    *errorPopup = msg_app::MCommonPopup::createToastPopup(composerError.c_str(), nullptr, nullptr);
    return false;
}

bool RecordingScreenOpener::checkResend(SendRoad road, bool, const std::string&, int msgId,
                                        view_kit::WViewController**) {
    requests.push_back("resend " + std::to_string(msgId) + " by " + std::to_string(road));
    return true;
}
