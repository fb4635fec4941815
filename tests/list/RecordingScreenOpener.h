#ifndef MSG_TESTS_LIST_RECORDINGSCREENOPENER_H
#define MSG_TESTS_LIST_RECORDINGSCREENOPENER_H

#include "common/IMCommonScreenOpener.h"

#include <string>
#include <vector>

// Stands in for the application's opener while it lives: records what the list asks to open and
// gives a plain named page, or, when told, no composer but an error toast.
class RecordingScreenOpener : public msg_app::IMCommonScreenOpener {
public:
    RecordingScreenOpener();
    ~RecordingScreenOpener() override;

    view_kit::WContentViewController* createConversation(int threadId) override;
    view_kit::WContentViewController* createBlockedMessage(int msgId) override;
    view_kit::WContentViewController* createComposer(view_kit::WViewController** errorPopup) override;
    bool checkComposer(const std::vector<std::string>& recipients,
                       view_kit::WViewController** errorPopup) override;
    // Records "resend <msgId> by <road>" and lets every road carry it.
    bool checkResend(SendRoad road, bool isMms, const std::string& address, int msgId,
                     view_kit::WViewController** errorPopup) override;

    // "conversation 3", "blocked 7", "composer", "check +1555...;+1555...", in the order asked.
    std::vector<std::string> requests;
    // The composer may not start: createComposer gives this toast's text instead of a page.
    std::string composerError;
};

#endif
