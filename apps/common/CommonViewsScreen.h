#ifndef MSG_APP_SHELL_COMMONVIEWSSCREEN_H
#define MSG_APP_SHELL_COMMONVIEWSSCREEN_H

#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace shell {

// A page that shows one of the shared popups or views as the screens use them, so that each can
// be looked at on its own.
class CommonViewsScreen : public view_kit::WContentViewController {
public:
    enum class Show {
        OK_POPUP,
        OK_CANCEL_POPUP,
        TOAST,
        TOAST_CHECK,
        PROGRESS_FULL,
        PROGRESS_SENDING,
        SELECT_POPUP,
        OPTIONS,
        NO_MESSAGES,
        NO_BLOCKED_MESSAGES,
        NO_BLOCKED_NUMBERS,
    };

    explicit CommonViewsScreen(Show show);
    const char* getClassName() const override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;

private:
    void _showOptions();
    void _showSelectionMode();

    Show _show;
};

} // namespace shell
} // namespace msg_app

#endif
