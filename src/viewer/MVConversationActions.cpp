#include "viewer/MVConversationActions.h"

#include "app_control.h"
#include "common/AppIds.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/DazoLog.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonMsgSvc.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/ui/MCommonFont.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WTimer.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVComposeLaunch.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVLocationLink.h"
#include "viewer/MVOptionMgr.h"
#include "viewer/MVRecipientContentViewController.h"
#include "viewer/MVThreadAddress.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

using Action = MVListViewController::Action;

constexpr const char* MAP_PICKER_APP_ID = app_id::MAP;
constexpr const char* SEND_APP_ID = "com.vorlane.msg-send";
constexpr const char* FAILED_TEXT_ID = "WDS_WNOTI_TPOP_FAILED";
// What the location picker answers with.
constexpr const char* DATA_COORD = APP_CONTROL_URI_BASE "data/coord";
constexpr const char* DATA_URL = APP_CONTROL_URI_BASE "data/url";
// The x of the row a double tap keeps in view: the middle of the round screen.
constexpr int SCREEN_CENTER_X = 180;

std::string extraOf(app_control_h reply, const char* key) {
    std::string value;
    if (reply)
        common_util::get_extra_data(reply, key, value);
    return value;
}

} // namespace

MVConversationActions::MVConversationActions(MVListViewController& list, MVListModel& model,
                                             MCommonMsgStore& store, std::weak_ptr<bool> alive,
                                             std::function<void()> leaveSelectMode)
    : _list(list), _model(model), _alive(std::move(alive)), _leaveSelectMode(std::move(leaveSelectMode)),
      _resend(list), _retrieve(list), _contentOpener(list, store),
      _linkOpener(list, [this] { return getOptionMgr(); }) {}

MVConversationActions::~MVConversationActions() {
    view_kit::WTimer::destroy(_toastIdler);
}

std::string MVConversationActions::firstAddress() const {
    std::vector<std::string> addresses = thread_address::list(_list.getThreadId());
    return addresses.empty() ? std::string() : addresses.front();
}

bool MVConversationActions::isSupportReply() const {
    std::shared_ptr<msg_store::Conversation> latest;
    _model.getLatestConv(latest);
    return thread_address::is_support_reply(_list.getThreadId(), latest.get());
}

bool MVConversationActions::doAction(int action) {
    switch (action) {
    case Action::ACTION_REPLY:
        reply(false);
        return true;
    case Action::ACTION_CALL:
        _call();
        return true;
    case Action::ACTION_ADD_CONTACT:
        _addContact();
        return true;
    case Action::ACTION_RECIPIENTS:
        _showRecipients();
        return true;
    case Action::ACTION_SHOW_ON_PHONE:
        _showOnPhone();
        return true;
    case Action::ACTION_EXPORT_TO_PHONE:
        _exportToPhone();
        return true;
    case Action::ACTION_SEND_LOCATION:
        _sendLocation();
        return true;
    case Action::ACTION_BLOCK:
    case Action::ACTION_UNBLOCK:
        _block(action == Action::ACTION_BLOCK);
        return true;
    default:
        return false;
    }
}

bool MVConversationActions::reply(bool slide) {
    std::vector<std::string> addresses = thread_address::list(_list.getThreadId());
    MSG_RETV_IF(addresses.empty(), false, "address list is empty.");
    if (!compose_launch::check(&_list, addresses))
        return false;
    std::vector<std::string> data = {"address:" + thread_address::join(addresses),
                                     "caller_app:" + std::string(common_util::MAIN_APP_ID),
                                     "vorlane_log:reply_msg", "sending_popup:hide"};
    std::shared_ptr<msg_store::Conversation> latest;
    if (_model.getLatestInboxConv(latest) || _model.getLatestConv(latest))
        data.push_back("msgId:" + std::to_string(latest->msgId));
    MSG_LOGI("dataArrayCnt : %d", static_cast<int>(data.size()));
    return compose_launch::open_input_selector(data, [&latest, slide](app_control_h request) {
        if (latest) {
            app_control_add_extra_data(request, "template_sender", latest->address.c_str());
            app_control_add_extra_data(request, "template_context", latest->text.c_str());
        }
        if (slide)
            app_control_add_extra_data(request, "wm.policy.win.effect.slide", "1");
    });
}

void MVConversationActions::_call() {
    std::string address = firstAddress();
    MSG_RET_IF(address.empty(), "address list is empty.");
    MCommonAppLaunchMgr::getInstance()->launchVoiceCall(address.c_str(), nullptr);
}

void MVConversationActions::_addContact() {
    std::string address = firstAddress();
    MSG_RET_IF(address.empty(), "address list is empty.");
    MCommonAppLaunchMgr::getInstance()->launchAddContactView(address.c_str());
}

void MVConversationActions::initFontSize() {
    _fontSize = MCommonFont::getInstance()->getSize();
    // The body follows the user's text size.
    MCommonFont::getInstance()->setStyle(MVItemBubble::BODY_TEXT_CLASS, MCommonFont::SIZE_NONE);
}

void MVConversationActions::toggleFontSize(int y) {
    MCommonFont* font = MCommonFont::getInstance();
    int userSize = font->getSize();
    _fontSize = _fontSize == MCommonFont::SIZE_HUGE ? userSize : MCommonFont::SIZE_HUGE;
    Evas_Object* genlist = _list.getGenlist();
    int posret = 0;
    Elm_Object_Item* item =
        genlist ? elm_genlist_at_xy_item_get(genlist, SCREEN_CENTER_X, y, &posret) : nullptr;
    font->setStyle(MVItemBubble::BODY_TEXT_CLASS, static_cast<MCommonFont::Size>(_fontSize));
    // Rows are sized when realized: rebuild them at the new size.
    if (genlist)
        elm_genlist_realized_items_update(genlist);
    if (item)
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    if (!_fontSizeLogged) {
        dazo_log::insert("FTSZ", nullptr);
        _fontSizeLogged = true;
    }
}

void MVConversationActions::applyUserFontSize() {
    // The large text a double tap chose stays; otherwise the body takes the user's new size.
    if (_fontSize == MCommonFont::SIZE_HUGE)
        return;
    _fontSize = MCommonFont::getInstance()->getSize();
    MCommonFont::getInstance()->setStyle(MVItemBubble::BODY_TEXT_CLASS, MCommonFont::SIZE_NONE);
    if (Evas_Object* genlist = _list.getGenlist())
        elm_genlist_realized_items_update(genlist);
}

void MVConversationActions::restoreFontSize() {
    if (_fontSize != MCommonFont::getInstance()->getSize())
        MCommonFont::getInstance()->setStyle(MVItemBubble::BODY_TEXT_CLASS, MCommonFont::SIZE_NONE);
}

bool MVConversationActions::resendMessage(MVItemBubble& bubble, std::function<void(bool)> done) {
    MSG_RETV_IF(!bubble.getConv(), false, "conv is nullptr");
    return _resend.resend(*bubble.getConv(), bubble.isMms(), std::move(done));
}

void MVConversationActions::retrieveMessage(MVItemBubble& bubble) {
    std::weak_ptr<void> alive = bubble.getLifeToken();
    MVItemBubble* target = &bubble;
    // The message as the bubble has it when the user says yes; nothing once the bubble went.
    _retrieve.ask([alive, target]() -> std::shared_ptr<msg_store::Conversation> {
        return alive.expired() ? nullptr : target->getConv();
    });
}

void MVConversationActions::openLink(MVItemBubble& bubble, const char* anchor) {
    _linkOpener.open(bubble, anchor);
}

void MVConversationActions::openContent(MVItemBubble& bubble, int index) {
    if (bubble.getConv())
        _contentOpener.openContent(*bubble.getConv(), index);
}

void MVConversationActions::openAttachment(const std::string& path) {
    _contentOpener.openAttachment(path);
}

void MVConversationActions::createThreadOptions() {
    MVOptionMgr* mgr = getOptionMgr();
    MSG_RET_IF(!mgr, "!mgr");
    if (_list.getViewType() == VIEW_TYPE_SELECT) {
        mgr->createMsgOption(
            &_model, [this](MoreOption option) { _onMsgOption(option); }, _list.getCheckedIds());
        return;
    }
    mgr->createThreadOption(_list.getThreadId(), &_model,
                            [this](MoreOption option) { _onThreadOption(option); });
}

void MVConversationActions::_onThreadOption(int option) {
    static constexpr std::pair<MoreOption, Action> ACTIONS[] = {
        {MORE_OPTION_REPLY, Action::ACTION_REPLY},
        {MORE_OPTION_CALL, Action::ACTION_CALL},
        {MORE_OPTION_SEND_LOCATION, Action::ACTION_SEND_LOCATION},
        {MORE_OPTION_RECIPIENTS, Action::ACTION_RECIPIENTS},
        {MORE_OPTION_SHOW_ON_PHONE, Action::ACTION_SHOW_ON_PHONE},
        {MORE_OPTION_BLOCK, Action::ACTION_BLOCK},
        {MORE_OPTION_UNBLOCK, Action::ACTION_UNBLOCK},
        {MORE_OPTION_DELETE, Action::ACTION_SELECT_MODE},
        {MORE_OPTION_CREATE_CONTACT, Action::ACTION_ADD_CONTACT},
    };
    if (option == MORE_OPTION_REPLY) {
        std::shared_ptr<msg_store::Conversation> latest;
        if (_model.getLatestConv(latest) && latest->isGroupChat)
            dazo_log::insert("RMGM", "More option");
    }
    for (const auto& [offered, action] : ACTIONS) {
        if (offered == option) {
            _list.doAction(action);
            return;
        }
    }
    MSG_LOGE("Invalid more option type [%d]", option);
}

void MVConversationActions::_onMsgOption(int option) {
    if (option == MORE_OPTION_EXPORT_TO_PHONE)
        _list.doAction(Action::ACTION_EXPORT_TO_PHONE);
    else if (option == MORE_OPTION_DELETE_SELECTED)
        _list.doAction(Action::ACTION_DELETE);
    else
        MSG_LOGE("Invalid more option type [%d]", option);
}

// Not the attached popup: attaching would close the popup an action's result comes from. Shown once
// that popup has gone: a toast shown over it would take the focus under the popup, and touch it,
// gone, when the toast closes.
void MVConversationActions::_showToast(const char* textId) {
    MCommonPopup::showToastWhenIdle(_list.getEvasObject(), textId, _toastIdler);
}

void MVConversationActions::_showRecipients() {
    view_kit::WWindowController* window = _list.getWindowController();
    view_kit::WNaviframeController* naviframe = window ? window->getNaviframeController() : nullptr;
    MSG_RET_IF(!naviframe, "no naviframe");
    naviframe->push(new MVRecipientContentViewController(_list.getThreadId()));
}

void MVConversationActions::_showOnPhone() {
    if (!common_util::is_retail_mode_enabled()) {
        connectivity::YoxConn yox = connectivity::get_yox_connect();
        if (yox != connectivity::YoxConn::BT) {
            MSG_LOGI("yox[%d], request BT connection.", static_cast<int>(yox));
            MCommonAppLaunchMgr::getInstance()->launchBtConnectPopup();
            return;
        }
        if (!common_util::is_consumer_connected()) {
            _showToast(FAILED_TEXT_ID);
            return;
        }
    }
    std::shared_ptr<msg_store::Conversation> phoneMsg;
    MSG_RET_IF(!_model.getPhoneMsgConv(phoneMsg) || !phoneMsg, "Phone message is not exist");
    if (!_model.showOnPhone(phoneMsg->msgId)) {
        _showToast(FAILED_TEXT_ID);
        return;
    }
    _showToast("WDS_WNOTI_TPOP_CHECK_YOUR_PHONE_ABB");
}

// Every checked message goes, not only the first.
void MVConversationActions::_exportToPhone() {
    std::vector<int> ids = _list.getCheckedIds();
    if (ids.empty()) {
        _showToast(FAILED_TEXT_ID);
    } else if (connectivity::get_yox_connect() == connectivity::YoxConn::BT) {
        for (int id : ids)
            _model.exportToPhone(id);
    } else {
        MCommonAppLaunchMgr::getInstance()->launchBtConnectPopup();
    }
    if (_leaveSelectMode)
        _leaveSelectMode();
}

void MVConversationActions::_sendLocation() {
    if (common_util::is_mdm_enabled() && common_util::is_mdm_text_messaging_restricted()) {
        MSG_LOGE("MDM RESTRICTED");
        _showToast("WDS_ASEML_POP_SECURITY_POLICY_PREVENTS_SMS_SERVICES");
        return;
    }
    LaunchRequest request = createLaunchRequest();
    MSG_RET_IF(!request, "app_control_create failed");
    app_control_set_app_id(request.get(), MAP_PICKER_APP_ID);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_PICK);
    app_control_add_extra_data(request.get(), APP_CONTROL_DATA_TYPE, "all");
    // The answer may come after this view has gone.
    std::weak_ptr<bool> alive = _alive;
    auto onReply = [this, alive](app_control_h, app_control_h reply, app_control_result_e result) {
        if (alive.expired()) {
            MSG_LOGW("the conversation is gone; location ignored");
            return;
        }
        if (result != APP_CONTROL_RESULT_SUCCEEDED) {
            MSG_LOGE("__msg_option_send_location_reply_cb is failed. [%d]", result);
            return;
        }
        std::string link;
        if (!MVLocationLink::make(extraOf(reply, DATA_URL), extraOf(reply, DATA_COORD), link)) {
            MSG_LOGE("the picked location is not usable");
            return;
        }
        _onLocationPicked(link);
    };
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), onReply))
        MSG_LOGE("app_control_send_launch_request is failed");
}

void MVConversationActions::_onLocationPicked(const std::string& link) {
    std::vector<std::string> addresses = thread_address::list(_list.getThreadId());
    MSG_RET_IF(addresses.empty(), "address list is empty.");
    MSG_RET_IF(addresses.front().empty(), "firstAddr is nullptr");
    std::shared_ptr<msg_store::Conversation> latest;
    if (!_model.getLatestInboxConv(latest) && !_model.getLatestConv(latest))
        MSG_LOGE("Failed to latest conversation");
    LaunchRequest request = createLaunchRequest();
    MSG_RET_IF(!request, "app_control_create failed");
    app_control_set_app_id(request.get(), SEND_APP_ID);
    app_control_add_extra_data(request.get(), "address", thread_address::join(addresses).c_str());
    app_control_add_extra_data(request.get(), "body_text", link.c_str());
    app_control_add_extra_data(request.get(), "vorlane_log", "reply_msg");
    app_control_add_extra_data(request.get(), "caller_app", common_util::MAIN_APP_ID);
    app_control_add_extra_data(request.get(), "sending_popup", "hide");
    if (latest)
        app_control_add_extra_data(request.get(), "msgId", std::to_string(latest->msgId).c_str());
    // Sent without waiting for an answer: the send process reports on its own.
    if (app_control_send_launch_request(request.get(), nullptr, nullptr) != APP_CONTROL_ERROR_NONE)
        MSG_LOGE("app_control_send_launch_request is failed");
}

void MVConversationActions::_block(bool block) {
    std::vector<std::string> addresses = thread_address::list(_list.getThreadId());
    MSG_RET_IF(addresses.empty(), "Failed!!");
    MCommonMsgSvc* svc = MCommonMsgSvc::getInstance();
    int done = 0;
    for (const std::string& address : addresses) {
        if (block ? svc->addBlockNumber(address.c_str()) : svc->removeBlockNumber(address.c_str()))
            ++done;
    }
    // The block list, when it can be read (an empty one cannot), says what holds now: a number
    // blocked before counts as blocked, and a call that answered success without a change does not.
    std::vector<std::string> blocked;
    if (svc->getBlockNumberList(blocked)) {
        done = static_cast<int>(std::count_if(addresses.begin(), addresses.end(), [&](const std::string& a) {
            return (std::find(blocked.begin(), blocked.end(), a) != blocked.end()) == block;
        }));
    }
    int total = static_cast<int>(addresses.size());
    MSG_LOGI("%d/%d address(es) is(are) %s", done, total, block ? "blocked" : "unblocked");
    if (done == total) {
        _showToast(block ? "WDS_MSG_TPOP_YOU_WONT_GET_ANY_MORE_CALLS_OR_MESSAGES_FROM_THIS_NUMBER_ABB"
                         : "WDS_MSG_TPOP_YOU_CAN_NOW_GET_CALLS_AND_MESSAGES_FROM_THIS_NUMBER_ABB");
    } else if (done == 0) {
        _showToast(block ? "WDS_MSG_TPOP_COULDNT_BLOCK_NUMBER_ABB"
                         : "WDS_MSG_TPOP_COULDNT_UNBLOCK_NUMBER_ABB");
    } else {
        const char* format =
            common_ui_helper::get_text(block ? "WDS_MSG_TPOP_PD_OF_PD_NUMBERS_BLOCKED_ABB"
                                             : "WDS_MSG_TPOP_PD_OF_PD_NUMBERS_UNBLOCKED_ABB");
        char text[128];
        std::snprintf(text, sizeof(text), format, done, total);
        _showToast(text);
    }
    createThreadOptions();
}

} // namespace msg_viewer
} // namespace msg_app
