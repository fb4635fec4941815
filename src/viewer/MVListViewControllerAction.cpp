// What the user does on the conversation: reply, call, add the contact, the
// double tap, and the application's events.
#include "viewer/MVListViewController.h"

#include "app_control.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/IMCommonScreenOpener.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonFont.h"
#include "viewer/MVComposeLaunch.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVThreadAddress.h"

#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

// The x of the row a double tap keeps in view: the middle of the round screen.
constexpr int SCREEN_CENTER_X = 180;

} // namespace

std::string MVListViewController::_firstAddress() const {
    std::vector<std::string> addresses = thread_address::list(_threadId);
    return addresses.empty() ? std::string() : addresses.front();
}

bool MVListViewController::_isSupportReply() const {
    std::shared_ptr<msg_store::Conversation> latest;
    _model.getLatestConv(latest);
    return thread_address::is_support_reply(_threadId, latest.get());
}

void MVListViewController::doAction(Action action) {
    switch (action) {
    case ACTION_REPLY:
        _actionReply(false);
        break;
    case ACTION_CALL:
        _actionCall();
        break;
    case ACTION_ADD_CONTACT:
        _actionAddContact();
        break;
    case ACTION_DELETE:
        _actionDelete();
        break;
    case ACTION_SELECT_MODE:
        _changeToSelectMode(nullptr);
        break;
    case ACTION_RECIPIENTS:
        _actionRecipients();
        break;
    case ACTION_SHOW_ON_PHONE:
        _actionShowOnPhone();
        break;
    case ACTION_EXPORT_TO_PHONE:
        _actionExportToPhone();
        break;
    case ACTION_SEND_LOCATION:
        _actionSendLocation();
        break;
    case ACTION_BLOCK:
    case ACTION_UNBLOCK:
        _actionBlock(action == ACTION_BLOCK);
        break;
    default:
        MSG_LOGE("Invalid action type [%d]", action);
        break;
    }
}

bool MVListViewController::_actionReply(bool slide) {
    std::vector<std::string> addresses = thread_address::list(_threadId);
    MSG_RETV_IF(addresses.empty(), false, "address list is empty.");
    if (!compose_launch::check(this, addresses))
        return false;
    std::vector<std::string> data = {"address:" + thread_address::join(addresses),
                                     "caller_app:" + std::string(common_util::MAIN_APP_ID),
                                     "vorlane_log:reply_msg", "sending_popup:hide"};
    std::shared_ptr<msg_store::Conversation> latest;
    if (_model.getLatestInboxConv(latest) || _model.getLatestConv(latest))
        data.push_back("msgId:" + std::to_string(latest->msgId));
    MSG_LOGI("dataArrayCnt : %d", static_cast<int>(data.size()));
    std::vector<const char*> array;
    for (const std::string& entry : data)
        array.push_back(entry.c_str());

    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, false, "app_control_create failed");
    app_control_set_app_id(request.get(), compose_launch::INPUT_SELECTOR_APP_ID);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_add_extra_data_array(request.get(), "selector_keyboard_data_array", array.data(),
                                     static_cast<int>(array.size()));
    app_control_add_extra_data(request.get(), "selector_keyboard_app_id", compose_launch::COMPOSE_APP_ID);
    if (latest) {
        app_control_add_extra_data(request.get(), "template_sender", latest->address.c_str());
        app_control_add_extra_data(request.get(), "template_context", latest->text.c_str());
    }
    if (slide)
        app_control_add_extra_data(request.get(), "wm.policy.win.effect.slide", "1");
    if (common_util::is_support_MMS())
        app_control_add_extra_data(request.get(), "option_type", "enable_drawing");
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), nullptr)) {
        MSG_LOGE("app_control_send_launch_request is failed");
        return false;
    }
    return true;
}

void MVListViewController::_actionCall() {
    std::string address = _firstAddress();
    MSG_RET_IF(address.empty(), "address list is empty.");
    MCommonAppLaunchMgr::getInstance()->launchVoiceCall(address.c_str(), nullptr);
}

void MVListViewController::_actionAddContact() {
    std::string address = _firstAddress();
    MSG_RET_IF(address.empty(), "address list is empty.");
    MCommonAppLaunchMgr::getInstance()->launchAddContactView(address.c_str());
}

Evas_Event_Flags MVListViewController::_doubleTapCb(void* data, void* eventInfo) {
    auto* self = static_cast<MVListViewController*>(data);
    auto* taps = static_cast<Elm_Gesture_Taps_Info*>(eventInfo);
    if (self->_select.isOn()) {
        MSG_LOGI("Ignore double tap event on edit mode.");
        return EVAS_EVENT_FLAG_NONE;
    }
    self->toggleFontSize(taps ? taps->y : 0);
    return EVAS_EVENT_FLAG_NONE;
}

void MVListViewController::toggleFontSize(int y) {
    MCommonFont* font = MCommonFont::getInstance();
    int userSize = font->getSize();
    _fontSize = _fontSize == MCommonFont::SIZE_HUGE ? userSize : MCommonFont::SIZE_HUGE;
    int posret = 0;
    Elm_Object_Item* item = elm_genlist_at_xy_item_get(_genlist, SCREEN_CENTER_X, y, &posret);
    font->setStyle(BODY_TEXT_CLASS, static_cast<MCommonFont::Size>(_fontSize));
    // Rows are sized when realized: rebuild them at the new size.
    elm_genlist_realized_items_update(_genlist);
    if (item)
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    if (!_fontSizeLogged) {
        dazo_log::insert("FTSZ", nullptr);
        _fontSizeLogged = true;
    }
}

void MVListViewController::_applyUserFontSize() {
    // The large text a double tap chose stays; otherwise the body takes the user's new size.
    if (_fontSize == MCommonFont::SIZE_HUGE)
        return;
    _fontSize = MCommonFont::getInstance()->getSize();
    MCommonFont::getInstance()->setStyle(BODY_TEXT_CLASS, MCommonFont::SIZE_NONE);
    elm_genlist_realized_items_update(_genlist);
}

void MVListViewController::appEventListener(MCommonAppEventType type) {
    // Bubbles keep their built texts; whatever else changed may show in them (names, language,
    // text sizes, settings).
    if (type != APP_EVENT_RESUMED && type != APP_EVENT_PAUSED)
        MVItemBubble::invalidateMarkups();
    switch (type) {
    case APP_EVENT_RESUMED:
        _sendEvent(EVENT_RESUMED);
        break;
    case APP_EVENT_PAUSED:
        _sendEvent(EVENT_PAUSED);
        break;
    case APP_EVENT_CONTACTS_CHANGED:
        if (_titleItem)
            elm_genlist_item_update(_titleItem);
        elm_genlist_realized_items_update(_genlist);
        // A contact saved from the panel is no longer one to create.
        _sendEvent(EVENT_OPTIONS_CHANGED);
        break;
    case APP_EVENT_TIME_FORMAT_CHANGED:
    case APP_EVENT_LANGUAGE_CHANGED:
    case APP_EVENT_REGION_FORMAT_CHANGED:
        // The rows in view are drawn again too: their texts, times and direction follow.
        _refreshTimes();
        break;
    case APP_EVENT_FONT_CHANGED:
        _applyUserFontSize();
        break;
    default:
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
