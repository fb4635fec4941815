#ifndef MSG_APP_SHELL_COMPOSEPOPUPSCREEN_H
#define MSG_APP_SHELL_COMPOSEPOPUPSCREEN_H

#include "PendingAct.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"
#include "view_kit/WTimer.h"

#include <memory>

namespace msg_app {
namespace shell {

// A black page with one of the composer's sending popups, as a sending process shows it, so that
// each can be looked at on its own.
class ComposePopupScreen : public view_kit::WContentViewController {
public:
    enum class Show {
        SENDING,
        SENT,
        FAILED,
        SWITCH_TO_PHONE,
        NO_NETWORK,
        REJECTED,
        SIM_NOT_ACTIVATED,
        FLIGHT_MODE,
    };

    explicit ComposePopupScreen(Show show) : _show(show) {}
    ~ComposePopupScreen() override;
    const char* getClassName() const override { return "ComposePopupScreen"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;

private:
    void _showResult();

    Show _show;
    std::weak_ptr<view_kit::WTimer> _timer;
    std::weak_ptr<view_kit::WTimer> _captureTimer;
    PendingAct _pendingAct;
    std::weak_ptr<view_kit::WViewController> _popup;
    view_kit::WJob _resultJob;
};

} // namespace shell
} // namespace msg_app

#endif
