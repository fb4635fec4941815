#include "ComposePopupScreen.h"

#include "ShotScreens.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/launch/MCLaunchMgr.h"
#include "compose/send/MCPopup.h"

#include <Elementary.h>

namespace msg_app {
namespace shell {

namespace {

// A cause with a carrier-independent text.
constexpr int SHOWCASE_REJECT_CAUSE = 7;
// Once the popup's opening animation is over.
constexpr double CAPTURE_DELAY = 0.8;

} // namespace

ComposePopupScreen::~ComposePopupScreen() {
    view_kit::WTimer::destroy(_timer);
    view_kit::WTimer::destroy(_captureTimer);
}

Evas_Object* ComposePopupScreen::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* bg = elm_bg_add(parent);
    MSG_RETV_IF(!bg, nullptr, "elm_bg_add() failed");
    elm_bg_color_set(bg, 0, 0, 0);
    return bg;
}

void ComposePopupScreen::onCreated() {
    using namespace compose;
    auto msg = std::make_shared<MCMsgData>();
    msg->recipient = {"01012345678"};
    view_kit::WViewController* popup = nullptr;
    switch (_show) {
    case Show::SENDING:
    case Show::SENT:
    case Show::FAILED:
        popup = MCPopup::createSendingPopup(_timer, APP_CONTROL_IN_APP, nullptr);
        break;
    case Show::SWITCH_TO_PHONE:
        popup = MCPopup::createNetworkSwithPopup(
            MCOutgoingMgr::ERROR_SWITCH_TO_PHONE, APP_CONTROL_IN_APP, msg, [] {}, nullptr, nullptr);
        break;
    case Show::NO_NETWORK:
        popup = MCPopup::createNetworkNotAvailablePopup(APP_CONTROL_IN_APP, msg);
        break;
    case Show::REJECTED: {
        int cause = SHOWCASE_REJECT_CAUSE;
        popup = MCPopup::createHulmNetworkRejectPopup(APP_CONTROL_IN_APP, cause, msg);
        break;
    }
    case Show::SIM_NOT_ACTIVATED:
        popup = MCPopup::createHulmSKTSimNotActivatedPopup(APP_CONTROL_IN_APP);
        break;
    case Show::FLIGHT_MODE:
        popup = MCLaunchMgr::createErrorPopup(MCLaunchMgr::ERROR_FLIGHT_MODE, APP_CONTROL_IN_APP);
        break;
    }
    if (!popup || !attachPopup(popup))
        return;
    _popup = popup->getWeakPtr();
    // Once the popup is laid out: the result replaces the progress, and the picture can be taken
    // (a sending popup never settles, and gives up waiting after a while).
    _pendingAct.begin();
    _resultJob.start([this] { _showResult(); });
}

void ComposePopupScreen::_showResult() {
    auto popup = _popup.lock();
    if (!popup) {
        _pendingAct.end();
        return;
    }
    Evas_Object* win = elm_object_top_widget_get(getEvasObject());
    _captureTimer = view_kit::WTimer::addTimer(
        CAPTURE_DELAY,
        [this, win](void*) {
            evas_object_smart_callback_call(win, CAPTURE_EVENT, nullptr);
            _pendingAct.end();
            return false;
        },
        nullptr);
    if (_show != Show::SENT && _show != Show::FAILED)
        return;
    compose::MCPopup::updateSendingPopup(static_cast<MCommonProgressPopup*>(popup.get()),
                                         _show == Show::SENT
                                             ? msg_store::NETWORK_STATUS_SEND_SUCCESS
                                             : msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO);
}

} // namespace shell
} // namespace msg_app
