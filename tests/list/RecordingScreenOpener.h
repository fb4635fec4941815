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
    // Records "check <recipients joined with ;>"; refused with the composerError toast when set.
    bool checkComposerCondition(const std::vector<std::string>& recipients,
                                view_kit::WViewController** errorPopup) override;

    // "conversation 3", "blocked 7", "composer", in the order asked.
    std::vector<std::string> requests;
    // The composer may not start: createComposer gives this toast's text instead of a page.
    std::string composerError;
};

#endif
