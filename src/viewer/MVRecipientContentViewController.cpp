// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "common/AppIds.h"
#include "viewer/MVRecipientContentViewController.h"

#include "app_control.h"
#include "common/CommonUiHelper.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonTheme.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVRecipientDetailContentViewController.h"
#include "viewer/MVRecipientItemNumber.h"
#include "viewer/MVRecipientItemTitle.h"

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* CALL_LOG_APP_ID = "com.vorlane.w-logs2.appcontrol.view";
constexpr const char* CONTACTS_APP_ID = app_id::CONTACTS_APPCONTROL;
} // namespace

MVRecipientContentViewController::MVRecipientContentViewController(int threadId) : _threadId(threadId) {
    setName("MVRecipientContentViewController");
}

MVRecipientContentViewController::~MVRecipientContentViewController() = default;

Evas_Object* MVRecipientContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, nullptr, "elm_genlist_add() failed");
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    elm_genlist_select_mode_set(_genlist, ELM_OBJECT_SELECT_MODE_DEFAULT);
    MCommonTheme* theme = MCommonTheme::getInstance();
    theme->changeDetailBgColor(_genlist);
    theme->changeScrollBarColor(_genlist);
    theme->changeScrollEndEffectColor(_genlist);
    return _genlist;
}

void MVRecipientContentViewController::onCreated() {
    view_kit::WWindowController* window = getWindowController();
    if (window && window->getCircleSurface())
        common_ui_helper::add_circle_genlist(_genlist, window->getCircleSurface());
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr) && convAddr)
        _count = convAddr->getAddrCnt();
    wgenlist_item_append(_genlist, nullptr, std::make_unique<MVRecipientItemTitle>(_count),
                         ELM_GENLIST_ITEM_NONE);
    for (int i = 0; i < _count; ++i) {
        std::shared_ptr<MCommonAddr> addr = convAddr->getNthAddr(i);
        if (!addr)
            continue;
        auto row = std::make_unique<MVRecipientItemNumber>(addr);
        row->setOnSelect([this](std::shared_ptr<MCommonAddr> chosen) { _onSeletItem(chosen); });
        wgenlist_item_append(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE);
    }
    // The item goes with the genlist.
    auto* rotaryItem = new MCommonRotaryActivateMgr::Item(_genlist);
    if (rotaryItem->regist(true) == false) {
        MSG_LOGE("rotaryItem->regist() == false");
        delete rotaryItem;
    }
}

void MVRecipientContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    MCommonAppEventMgr::getInstance()->addListener(this);
    _store.threads.setActiveThreadId(_threadId);
    std::string name = std::string(common_ui_helper::get_text("WDS_MSG_OPT_RECIPIENTS_ABB")) + "(" +
                       std::to_string(_count) + ")";
    efl_access_object_i18n_name_set(naviItem, name.c_str());
}

bool MVRecipientContentViewController::onPop() {
    return true;
}

void MVRecipientContentViewController::onDestroy() {
    MCommonAppEventMgr::getInstance()->removeListener(this);
}

void MVRecipientContentViewController::appEventListener(MCommonAppEventType /*type*/) {
    // Names follow the address book and the language.
    if (_genlist)
        elm_genlist_realized_items_update(_genlist);
}

void MVRecipientContentViewController::_onSeletItem(const std::shared_ptr<MCommonAddr>& addr) {
    MSG_RET_IF(!addr, "addr is nullptr");
    int contactId = addr->getContactId();
    if (contactId == 0) {
        view_kit::WWindowController* window = getWindowController();
        view_kit::WNaviframeController* naviframe = window ? window->getNaviframeController() : nullptr;
        MSG_RET_IF(!naviframe, "no naviframe");
        naviframe->push(new MVRecipientDetailContentViewController(addr->getAddress()));
        return;
    }
    LaunchRequest request = createLaunchRequest();
    if (!request) {
        MSG_LOGE("app_control_create() is failed !!");
        return;
    }
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    if (contactId < 1) {
        app_control_set_app_id(request.get(), CALL_LOG_APP_ID);
        app_control_add_extra_data(request.get(), "number", addr->getAddress());
    } else {
        app_control_set_app_id(request.get(), CONTACTS_APP_ID);
        app_control_add_extra_data(request.get(), "type", "view");
        app_control_add_extra_data(request.get(), "data_id", std::to_string(contactId).c_str());
    }
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), nullptr)) {
        MSG_LOGE("MCommonAppLaunchMgr::launch() failed.");
    }
}

} // namespace msg_viewer
} // namespace msg_app
