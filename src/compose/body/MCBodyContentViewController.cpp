// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "compose/body/MCBodyContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCUiHelper.h"
#include "compose/MCUtil.h"
#include "compose/body/MCBodyEntryContentViewController.h"
#include "compose/body/MCBodyLengthFilter.h"
#include "compose/body/MCItemBody.h"
#include "compose/body/MCItemBodyOutgoingButton.h"
#include "compose/body/MCItemBodyPadding.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/send/MCOutgoingMgr.h"
#include "view_kit/WWindowController.h"
#include "zeq_feature.h"

namespace msg_app {
namespace compose {

namespace {
constexpr const char* CONTENT_PART = "elm.swallow.content";
} // namespace

MCBodyContentViewController::MCBodyContentViewController(std::shared_ptr<MCMsgData>& msgData,
                                                         app_control_h handle)
    : _msg(msgData) {
    setName(NAME);
    app_control_h copy = nullptr;
    if (handle) {
        int ret = app_control_clone(&copy, handle);
        if (ret == APP_CONTROL_ERROR_NONE)
            _handle.reset(copy);
        else
            MSG_LOGE("app_control_clone() failed [%d]", ret);
    }
    _reducedLimit = zeq_feature_get_bool(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT);
}

bool MCBodyContentViewController::_isSendPathSelectable() {
    return MCOutgoingMgr::getInstance()->isSendPathSelectable();
}

Evas_Object* MCBodyContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _layout = MCUiHelper::createLayout(parent);
    MSG_RETV_IF(!_layout, nullptr, "layout is nullptr");
    if (!_createGenlist(_layout))
        MSG_LOGE("genlist is nullptr");
    return _layout;
}

bool MCBodyContentViewController::_createGenlist(Evas_Object* parent) {
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, false, "elm_genlist_add() failed");
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(_genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_select_mode_set(_genlist, ELM_OBJECT_SELECT_MODE_NONE);
    evas_object_show(_genlist);
    elm_object_part_content_set(parent, CONTENT_PART, _genlist);
    return true;
}

void MCBodyContentViewController::onCreated() {
    MSG_RET_IF(!_msg, "_msgSptr is nullptr");
    if (_genlist) {
        view_kit::WWindowController* window = getWindowController();
        common_ui_helper::prepare_screen_genlist(_genlist, window ? window->getCircleSurface() : nullptr);
    }
    _appendItems();
    _rotaryItem = std::make_unique<MCommonRotaryActivateMgr::Item>(_genlist);
    if (!_rotaryItem->regist(true))
        MSG_LOGE("rotaryItem->regist() failed.");
    MCommonAppEventMgr::getInstance()->addListener(this);
    _flow = std::make_unique<MCSendFlow>(this, _msg, APP_CONTROL_COMPOSE,
                                         [this](MCSendFlow::Result result) { _onSendEnded(result); });
    if (!_msg->hideSendingPopup)
        _flow->subscribe();
}

void MCBodyContentViewController::_appendPadding(const char* style) {
    auto* padding = new MCItemBodyPadding(style);
    if (!wgenlist_item_append(_genlist, nullptr, padding, ELM_GENLIST_ITEM_NONE)) {
        MSG_LOGE("cannot append %s", style);
        delete padding;
    }
}

void MCBodyContentViewController::_appendItems() {
    MSG_RET_IF(!_genlist, "genlist is nullptr.");
    bool withButtons = _msg->newMsgFromSelector && _isSendPathSelectable();
    _appendPadding(withButtons ? "padding_top_with_outgoing_buttons" : "padding_top_no_outgoing_buttons");
    if (withButtons) {
        _outgoingButtons = std::make_unique<MCItemBodyOutgoingButton>(
            _layout, [this](const char* textId) { _showToast(textId); });
        evas_object_smart_callback_add(_genlist, "scroll", _scrollCb, this);
    }
    auto* body = new MCItemBody(_msg->body.c_str(), _reducedLimit);
    body->setBodyClickEvent([this](Evas_Object*, MsgType msgType) { _onBodyClicked(msgType); });
    body->setSendClickEvent([this](Evas_Object*) { _onSendClicked(); });
    body->setTypeChangedEvent([this](MsgType msgType) { _msg->msgType = msgType; });
    if (wgenlist_item_append(_genlist, nullptr, body, ELM_GENLIST_ITEM_NONE)) {
        _bodyItem = body;
        _msg->msgType = body->getMsgType();
    } else {
        MSG_LOGE("mcItem is nullptr.");
        delete body;
    }
    _appendPadding(withButtons ? "padding_body_bottom" : "padding_body_bottom_no_outgoing_buttons");
}

void MCBodyContentViewController::_scrollCb(void* data, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MCBodyContentViewController*>(data);
    int y = 0;
    elm_scroller_region_get(obj, nullptr, &y, nullptr, nullptr);
    if (self->_outgoingButtons)
        self->_outgoingButtons->updateButtonSizeByScrollPosition(y, false);
}

void MCBodyContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    efl_access_object_i18n_name_set(naviItem, common_ui_helper::get_text(ACCESS_NAME_ID));
    // The buttons float over the page rather than in it: they take its clipper to go with it.
    if (_outgoingButtons && _layout)
        _outgoingButtons->clipTo(evas_object_clip_get(_layout));
    if (_wasLaunchTextCut())
        _showToast(MAX_CHARACTERS_ID);
}

bool MCBodyContentViewController::_wasLaunchTextCut() const {
    // A text that was not cut fills as many pages as the request's text did.
    if (!_msg || _msg->smsPageCount < 2)
        return false;
    std::vector<std::string> pages;
    std::string body = _msg->body;
    MCUtil::getSmsSizeTextList(pages, body, _reducedLimit);
    return static_cast<int>(pages.size()) < _msg->smsPageCount;
}

void MCBodyContentViewController::onDestroy() {
    _destroyed = true;
    MCommonAppEventMgr::getInstance()->removeListener(this);
    _flow.reset();
    if (_genlist)
        evas_object_smart_callback_del_full(_genlist, "scroll", _scrollCb, this);
    _outgoingButtons.reset();
    _rotaryItem.reset();
    _bodyItem = nullptr;
    _genlist = nullptr;
}

void MCBodyContentViewController::appEventListener(MCommonAppEventType type) {
    MSG_LOGD("App Event : %d", type);
    switch (type) {
    case APP_EVENT_LANGUAGE_CHANGED:
        if (_bodyItem)
            _bodyItem->appEventListener(type);
        break;
    case APP_EVENT_MSG_STORE_READY:
        if (MCommonAppEventMgr::getInstance()->getAppState() != APP_EVENT_PAUSED && _msg &&
            !_msg->hideSendingPopup && _flow)
            _flow->subscribe();
        break;
    default:
        break;
    }
}

void MCBodyContentViewController::_showToast(const char* textId) {
    if (!attachPopup(MCommonPopup::createToastPopup(textId, nullptr, nullptr)))
        MSG_LOGE("toast %s cannot be shown", textId);
}

void MCBodyContentViewController::_onBodyClicked(MsgType msgType) {
    MSG_RET_IF(!_bodyItem, "_bodyItem is nullptr");
    auto* editor = new MCBodyEntryContentViewController(getEvasObject(), msgType, _handle.get());
    editor->setInitialText(_bodyItem->getText(), _bodyItem->getCursorPos());
    editor->setOnPopSaveEntry([this](Evas_Object* entry) {
        MSG_RET_IF(!entry, "detailEntry is nullptr");
        std::string text = MCBodyLengthFilter::toPlainText(elm_entry_entry_get(entry));
        // The editor shows the text safe to lay out: left as shown, the text stays as it came.
        if (_bodyItem && text == common_ui_helper::to_layout_safe(_bodyItem->getText()))
            text = _bodyItem->getText();
        if (_bodyItem)
            _bodyItem->setTextToEntry(text.c_str());
        _msg->body = text;
    });
    editor->setOnPopKeypadActivated([](Evas_Object* entry) { MSG_RET_IF(!entry, "entry is nullptr"); });
    if (!common_ui_helper::push_to_naviframe(getEvasObject(), editor))
        MSG_LOGE("the editor cannot be opened");
}

bool MCBodyContentViewController::onPop() {
    if (_leaving)
        return true;
    if (_flow && _flow->isHandedOver()) {
        _finish();
        return true;
    }
    if (_bodyItem && !_bodyItem->isEntryEmpty()) {
        _showDiscardPopup();
        return false;
    }
    _leaving = true;
    return true;
}

void MCBodyContentViewController::_showDiscardPopup() {
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, DISCARD_ID,
        [this](void*, bool* destroyPopup) {
            *destroyPopup = true;
            _leaving = true;
            popOut();
        },
        [](void*, bool* destroyPopup) { *destroyPopup = true; }, nullptr, nullptr, nullptr);
    if (!attachPopup(popup))
        MSG_LOGE("the discard popup cannot be shown");
}

void MCBodyContentViewController::_finish() {
    _leaving = true;
    if (_handle) {
        MSG_LOGI("[msg-compose] process elm_exit()");
        elm_exit();
        return;
    }
    // Called from a popup's callbacks, which must end before the page goes.
    if (!_popJob.isPending())
        _popJob.start([this] { popOut(); });
}

// The body screen's Send: the composer's send flow takes the text; the screen goes once the message is
// on its way and stays with the text when nothing went out.

void MCBodyContentViewController::_onSendClicked() {
    MSG_RET_IF(!_msg, "_msgSptr is nullptr");
    MSG_RET_IF(!_bodyItem || !_flow, "_bodyItem is nullptr");
    MSG_RET_IF(_bodyItem->isEntryEmpty(), "nothing to send");
    if (_flow->isHandedOver()) {
        MSG_LOGW("the message is on its way: it is not sent twice");
        return;
    }
    _msg->body = _bodyItem->getText();
    _flow->send();
}

void MCBodyContentViewController::_onSendEnded(MCSendFlow::Result result) {
    if (result == MCSendFlow::Result::SENT) {
        _finish();
        return;
    }
    // What did not go out is the text to send again.
    if (_bodyItem && _bodyItem->getText() != _msg->body)
        _bodyItem->setTextToEntry(_msg->body.c_str());
}

} // namespace compose
} // namespace msg_app
