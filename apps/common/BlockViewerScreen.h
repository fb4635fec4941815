/*
 * The blocked-message viewer as the shell shows it: the newest blocked SMS or
 * the newest blocked MMS with a picture of the device, from its top or, once
 * the application has drawn its first frame, scrolled to its last row.
 */
#ifndef MSG_APP_SHELL_BLOCKVIEWERSCREEN_H
#define MSG_APP_SHELL_BLOCKVIEWERSCREEN_H

#include "block/MBContentViewController.h"
#include "view_kit/WTimer.h"

#include <memory>

namespace msg_app {
namespace shell {

class BlockViewerScreen : public msg_block::MBContentViewController {
public:
    enum class Pick {
        SMS, // a text message
        MMS, // a multimedia message with a picture
    };

    BlockViewerScreen(Pick pick, bool atEnd);
    ~BlockViewerScreen() override;

    void appEventListener(MCommonAppEventType type) override;

    // The newest message of the spam folders of that kind; -1 when there is none.
    static int findBlockedMessage(Pick pick);

private:
    bool _showLastRow();

    bool _atEnd;
    std::weak_ptr<view_kit::WTimer> _endTimer;
};

} // namespace shell
} // namespace msg_app

#endif
