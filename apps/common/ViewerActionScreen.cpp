#include "ViewerActionScreen.h"

#include "AppRegistry.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"
#include "common/MsgLog.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVOptionMgr.h"
#include "viewer/MVRecipientContentViewController.h"
#include "viewer/MVRecipientDetailContentViewController.h"

#include <algorithm>

namespace msg_app {
namespace shell {

namespace {
// After the conversation has been brought to its message.
constexpr double ACT_DELAY = 0.6;
// Once the progress popup has faded in (0.2 s), and well before its job may end it (1 s at least).
constexpr double CAPTURE_DELAY = 0.4;
constexpr const char* UNSAVED_NUMBER = "+15550100077";
// The reply animation's first step has ended, before it falls back; both steps have ended.
constexpr double REPLY_HALF_DELAY = 0.4;
constexpr double REPLY_TOP_DELAY = 1.0;
} // namespace

ViewerActionScreen::ViewerActionScreen(Pick pick, Act act)
    : ViewerScreen(pick, act == Act::SELECT_SMALL ? Show::SMALL_FONT : Show::TARGET), _actKind(act) {
    // A watch that cannot call: the call application is not on it (msg-shot renders a copy).
    if (act == Act::DETAIL_NO_CALL)
        msg_services::AppRegistry::uninstall("com.vorlane.call");
}

ViewerActionScreen::~ViewerActionScreen() {
    view_kit::WTimer::destroy(_actTimer);
}

void ViewerActionScreen::onPushed(Elm_Object_Item* naviItem) {
    ViewerScreen::onPushed(naviItem);
    _pendingAct.begin();
    _actTimer = view_kit::WTimer::addTimer(
        ACT_DELAY,
        [this](void*) {
            _act();
            _pendingAct.end();
            return false;
        },
        nullptr);
}

std::vector<int> ViewerActionScreen::_newestIds(int count) const {
    std::vector<int> ids;
    msg_viewer::MVListViewController* list = getListView();
    if (!list)
        return ids;
    const msg_viewer::MVListModel& model = list->getModel();
    for (int i = model.getCount() - 1; i >= 0 && static_cast<int>(ids.size()) < count; --i)
        ids.push_back(model.getMsgId(i));
    return ids;
}

void ViewerActionScreen::_capture() {
    if (Evas_Object* win = elm_object_top_widget_get(getEvasObject()))
        evas_object_smart_callback_call(win, CAPTURE_EVENT, nullptr);
}

void ViewerActionScreen::_captureAfter(double seconds) {
    view_kit::WTimer::destroy(_actTimer);
    _actTimer = view_kit::WTimer::addTimer(
        seconds,
        [this](void*) {
            _capture();
            return false;
        },
        nullptr);
}

void ViewerActionScreen::_turnBezel(int detents) {
    Evas* evas = evas_object_evas_get(getEvasObject());
    evas_event_feed_mouse_move(evas, 180, 180, 0, nullptr);
    for (int i = 0; i < detents; ++i)
        evas_event_feed_mouse_wheel(evas, 0, 1, 0, nullptr);
}

void ViewerActionScreen::_act() {
    msg_viewer::MVListViewController* list = getListView();
    MSG_RET_IF(!list, "no conversation view");
    msg_viewer::MVOptionMgr* mgr = getOptionMgr();
    view_kit::WNaviframeController* naviframe = getNaviframeController();
    switch (_actKind) {
    case Act::OPTIONS:
        mgr->openMenu();
        break;
    case Act::SELECT:
    case Act::SELECT_SMALL:
        list->selectMessages(_newestIds(2));
        break;
    case Act::SELECT_TARGET:
        list->selectMessages({getTargetMsgId()});
        break;
    case Act::SELECT_OPTIONS:
        // A message the watch received itself: the phone can take it.
        list->selectMessages({getTargetMsgId()});
        mgr->openMenu();
        break;
    case Act::SELECT_ALL:
        list->selectMessages({});
        list->checkAll(true);
        break;
    case Act::DELETING:
        // All but the oldest, so that the job runs rather than the whole conversation going at once.
        list->selectMessages(_newestIds(std::min(list->getModel().getCount() - 1, 10)));
        list->doAction(msg_viewer::MVListViewController::ACTION_DELETE);
        // The popup goes with the job: the picture is taken while it shows.
        _captureAfter(CAPTURE_DELAY);
        break;
    case Act::REPLY_HALF:
    case Act::REPLY_TOP:
        _turnBezel(_actKind == Act::REPLY_HALF ? 1 : 2);
        _captureAfter(_actKind == Act::REPLY_HALF ? REPLY_HALF_DELAY : REPLY_TOP_DELAY);
        break;
    case Act::LINK_MENU:
        if (mgr->createCutlinkOption([](msg_viewer::MoreOption, const std::string&) {}, UNSAVED_NUMBER))
            mgr->openMenu();
        break;
    case Act::RECIPIENTS:
        list->doAction(msg_viewer::MVListViewController::ACTION_RECIPIENTS);
        break;
    case Act::DETAIL:
    case Act::DETAIL_NO_CALL:
        if (naviframe)
            naviframe->push(new msg_viewer::MVRecipientDetailContentViewController(UNSAVED_NUMBER));
        break;
    }
}

void registerViewerActionScreens(ScreenRegistry& registry) {
    using Act = ViewerActionScreen::Act;
    using Pick = ViewerScreen::Pick;
    const struct {
        const char* name;
        const char* description;
        Pick pick;
        Act act;
    } screens[] = {
        {"viewer-options", "the conversation's option panel", Pick::NEWEST, Act::OPTIONS},
        {"viewer-group-options", "a group conversation's option panel", Pick::GROUP, Act::OPTIONS},
        {"viewer-select", "select mode with two messages checked", Pick::NEWEST, Act::SELECT},
        {"viewer-select-small-font", "select mode with two messages checked, at the small text size",
         Pick::NEWEST, Act::SELECT_SMALL},
        {"viewer-select-mms", "select mode with an MMS with a picture checked", Pick::PICTURE,
         Act::SELECT_TARGET},
        // Select mode's one option, sending to the phone, needs a watch with its own SIM and a phone.
        {"viewer-select-options",
         "the option panel of select mode (on a watch with its own SIM and a phone: profile remote)",
         Pick::WATCH, Act::SELECT_OPTIONS},
        {"viewer-select-all", "select mode with every message checked", Pick::NEWEST, Act::SELECT_ALL},
        {"viewer-deleting", "checked messages being deleted", Pick::YEAR_CHANGE, Act::DELETING},
        {"viewer-link-menu", "the menu of a number tapped in a message", Pick::LINKS, Act::LINK_MENU},
        {"viewer-recipients", "the recipients of a group conversation", Pick::GROUP, Act::RECIPIENTS},
        {"viewer-recipient-detail", "a number without a contact", Pick::NEWEST, Act::DETAIL},
        {"viewer-recipient-detail-no-call", "a number without a contact, on a watch that cannot call",
         Pick::NEWEST, Act::DETAIL_NO_CALL},
        {"viewer-reply-half", "the bezel lifting the reply button a step", Pick::NEWEST, Act::REPLY_HALF},
        {"viewer-reply-top", "the bezel holding the reply button at the top", Pick::NEWEST, Act::REPLY_TOP},
    };
    registry.addEach(screens,
                     [](const auto& screen) { return new ViewerActionScreen(screen.pick, screen.act); });
}

} // namespace shell
} // namespace msg_app
