#ifndef MSG_APP_SHELL_COMPOSEBODYSCREEN_H
#define MSG_APP_SHELL_COMPOSEBODYSCREEN_H

#include "compose/body/MCBodyContentViewController.h"
#include "view_kit/WJob.h"

#include <memory>
#include <string>

namespace msg_app {
namespace shell {

// The composer's body screen with a text, as a share or the input selector's "Keyboard" opens it,
// in one of its states, so that each can be looked at on its own.
class ComposeBodyScreen : public compose::MCBodyContentViewController {
public:
    enum class Show {
        BODY,
        EDITOR,
        DISCARD,
        PAGES,
        TOAST_MAX_CHARACTERS,
        TOAST_COULDNT_SEND,
        TOAST_WILL_BE_SENT,
        SCROLLED,
    };

    // scrollY is where the list is scrolled to for SCROLLED.
    ComposeBodyScreen(const std::string& text, Show show, int scrollY = 0);
    const char* getClassName() const override { return "ComposeBodyScreen"; }

protected:
    void onCreated() override;

private:
    static std::shared_ptr<compose::MCMsgData>& _record(const std::string& text);
    void _show();

    Show _showWhat;
    int _scrollY;
    view_kit::WJob _showJob;
};

} // namespace shell
} // namespace msg_app

#endif
