/*
 * The conversation half-way through what a user does on it: its option panel
 * open, two bubbles checked, the deletion under way, a number's menu, the
 * recipients and a recipient's page. Built on the conversation shell screen,
 * so the device's conversations are picked the same way.
 */
#ifndef MSG_APP_SHELL_VIEWERACTIONSCREEN_H
#define MSG_APP_SHELL_VIEWERACTIONSCREEN_H

#include "PendingAct.h"
#include "ViewerScreen.h"

namespace msg_app {
namespace shell {

class ViewerActionScreen : public ViewerScreen {
public:
    enum class Act {
        OPTIONS,        // the conversation's option panel open
        SELECT,         // select mode with the two newest bubbles checked
        SELECT_SMALL,   // the same with the user's small text size
        SELECT_TARGET,  // select mode with the picked bubble checked
        SELECT_OPTIONS, // the same with the option panel open
        SELECT_ALL,     // select mode with every message checked
        DELETING,       // the checked messages being deleted behind the progress popup
        LINK_MENU,      // the menu of a number tapped in a bubble
        RECIPIENTS,     // the recipients of a group conversation
        DETAIL,         // the page of a number without a contact
        DETAIL_NO_CALL, // the same on a watch that cannot call
        REPLY_HALF,     // one bezel detent at the end: the reply button lifted a step
        REPLY_TOP,      // two detents: the reply button held at the top
    };

    ViewerActionScreen(Pick pick, Act act);
    ~ViewerActionScreen() override;

protected:
    void onPushed(Elm_Object_Item* naviItem) override;

private:
    void _act();
    void _capture();
    void _captureAfter(double seconds);
    void _turnBezel(int detents);
    // The ids of the newest `count` messages of the conversation.
    std::vector<int> _newestIds(int count) const;

    Act _actKind;
    std::weak_ptr<view_kit::WTimer> _actTimer;
    PendingAct _pendingAct;
};

} // namespace shell
} // namespace msg_app

#endif
