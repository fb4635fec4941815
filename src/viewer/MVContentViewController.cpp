#include "viewer/MVContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/view/MCommonConvTitle.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "journal.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVConversationActions.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVOptionMgr.h"

#include <vector>

namespace msg_app {
namespace msg_viewer {

MVContentViewController::MVContentViewController(int threadId)
    : _threadId(threadId), _optionMgr(std::make_shared<MVOptionMgr>()) {
    MSG_LOGI("threadId : %d", threadId);
}

MVContentViewController::~MVContentViewController() = default;

MVListViewController* MVContentViewController::getListView() const {
    return static_cast<MVListViewController*>(_listView.lock().get());
}

std::string MVContentViewController::getTitle() const {
    return MCommonConvTitle::get(_threadId);
}

Evas_Object* MVContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = common_ui_helper::add_app_layout(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    // The option panel holds the conversation; its cue sits at the edge of the circle.
    Evas_Object* optionObj = _optionMgr->createView(layout);
    if (!optionObj) {
        evas_object_del(layout);
        return nullptr;
    }
    elm_object_part_content_set(layout, "elm.swallow.content", optionObj);
    auto* list = new MVListViewController(_threadId, _store);
    list->getActions().setOptionMgr(_optionMgr);
    if (!list->create(optionObj, nullptr)) {
        list->destroy();
        MSG_LOGE("create() of sptr is failed.");
        MSG_LOGE("_createListView() failed");
        evas_object_del(layout);
        return nullptr;
    }
    _optionMgr->getView()->setContent(list->getEvasObject());
    _listView = list->getWeakPtr();
    // The entries' layouts and icons cost a thirtieth of the first frame, where the panel is shut:
    // they come when the loop first idles, after it.
    _optionsIdler = view_kit::WTimer::addIdler(
        [this](void*) {
            _optionsIdler.reset();
            if (MVListViewController* shown = getListView())
                shown->createThreadOptions();
            return false;
        },
        nullptr);
    _listenerId = list->addEventListener(
        [this](MVListViewController::Event event, const MVListViewController*) { _onListEvent(event); },
        layout);
    return layout;
}

void MVContentViewController::onDestroy() {
    if (_optionMgr->getView())
        _optionMgr->destroy();
    view_kit::WTimer::destroy(_closeIdler);
    view_kit::WTimer::destroy(_optionsIdler);
    _pushWatch.stop();
}

void MVContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    if (!getListView())
        MSG_LOGE("sptr is nullptr");
    _pushWatch.watch(naviItem, [this] { _onTransitionFinished(); });
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    _setActiveThread(_threadId);
}

void MVContentViewController::onBecomeTop() {
    _setActiveThread(_threadId);
}

bool MVContentViewController::onPop() {
    if (_optionMgr->isOpened()) {
        _optionMgr->closeMenu();
        return false;
    }
    MVListViewController* list = getListView();
    if (!list)
        MSG_LOGE("sPtr is null");
    else if (!list->back())
        return false;
    _setActiveThread(0);
    return true;
}

void MVContentViewController::_setActiveThread(int threadId) {
    _store.threads.setActiveThreadId(threadId);
}

void MVContentViewController::_onTransitionFinished() {
    // The naviframe kept input from the page while it slid in.
    if (MVListViewController* list = getListView())
        list->takeHeldFinger();
    // Named once the page is in: the name is a formatted number, whose formatting loads its
    // library, and nothing reads it while the page slides in.
    MCommonConvTitle::setAccessName(getNaviframeItem(), _threadId);
    _store.threads.readThread(_threadId);
    std::shared_ptr<MCommonConvAddr> convAddr;
    std::string address;
    if (MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr) && convAddr) {
        if (std::shared_ptr<MCommonAddr> first = convAddr->getNthAddr(0))
            address = first->getAddress();
    }
    // One line per kind of message the conversation holds, asked of the store without reading
    // a long conversation's messages once more.
    bool hasMms = false, hasSms = false;
    if (_store.messages.getConversationKinds(_threadId, hasMms, hasSms) != msg_store::MSG_STORE_SUCCESS)
        return;
    if (hasMms)
        journal_log("MESSAGE", ("MMS_MSG_OPENED " + address).c_str());
    if (hasSms)
        journal_log("MESSAGE", "SMS_MSG_OPENED");
}

void MVContentViewController::_onListEvent(int event) {
    view_kit::WNaviframeController* naviframe = getNaviframeController();
    switch (event) {
    case MVListViewController::EVENT_EMPTY:
        // Never from inside the change that emptied it: the list is still in its handler.
        view_kit::WTimer::destroy(_closeIdler);
        _closeIdler = view_kit::WTimer::addIdler(
            [this](void*) {
                MSG_LOGI("_onDestroyIdlerCb :");
                popOut();
                return false;
            },
            nullptr);
        break;
    case MVListViewController::EVENT_RESUMED:
        if (naviframe && naviframe->isTopContentViewController(this))
            _setActiveThread(_threadId);
        break;
    case MVListViewController::EVENT_PAUSED:
        _setActiveThread(0);
        break;
    case MVListViewController::EVENT_OPTIONS_CHANGED:
        // A number's menu on screen stays until it closes; it then comes back to these entries.
        if (_optionMgr->getOptionType() != MVOptionMgr::OPTION_CUTLINK) {
            view_kit::WTimer::destroy(_optionsIdler);
            if (MVListViewController* list = getListView())
                list->createThreadOptions();
        }
        break;
    default:
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
