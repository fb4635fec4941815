/*
 * The list screen as msg-shot pictures it: the conversation or blocked-message
 * list brought into one of its states once the application has drawn its first
 * frame (the menu open, rows checked, a delete running), so that each state can
 * be looked at.
 */
#ifndef MSG_APP_SHELL_LISTSCREEN_H
#define MSG_APP_SHELL_LISTSCREEN_H

#include "PendingAct.h"
#include "common/IMCommonAppEventListener.h"
#include "list/MLContentViewController.h"
#include "view_kit/WTimer.h"

#include <memory>

namespace msg_app {
namespace shell {

class ListScreen : public msg_list::MLContentViewController, public IMCommonAppEventListener {
public:
    enum class Start {
        OPTIONS,    // the option panel open
        SELECT,     // select mode with the first two rows checked
        SELECT_ALL, // select mode with every row checked
        PROGRESS,   // every row checked and being deleted in the background
        END,        // scrolled as far down as the list goes
        EMPTY,      // on a copy of the device left without blocked messages
    };

    ListScreen(msg_list::ListType listType, Start start);
    ~ListScreen() override;

    void appEventListener(MCommonAppEventType type) override;

protected:
    void onCreated() override;

private:
    bool _enterStartState();
    // Checks the first count rows for deleting; how many are checked.
    int _checkRows(int count);

    Start _start;
    std::weak_ptr<view_kit::WTimer> _startTimer;
    PendingAct _pendingAct;
    std::weak_ptr<view_kit::WTimer> _captureTimer;
};

} // namespace shell
} // namespace msg_app

#endif
