#include "common/popup/AccessApi.h"

#include "list/MLContentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/IMCommonScreenOpener.h"
#include "common/MsgLog.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "common/view/MCommonNoItemViewController.h"
#include "view_kit/WNaviframeController.h"

#include <vector>

namespace msg_app {
namespace msg_list {

namespace {

constexpr const char* CONTENT_PART = "elm.swallow.content";
constexpr const char* USAGE_FEATURE = "THMN";

} // namespace

MLContentViewController::MLContentViewController(ListType listType) : _listType(listType) {
    setName("MLContentViewController");
    _unownedList = new MLListViewController(listType);
    _listWptr = view_kit::weak_cast<MLListViewController>(_unownedList->getWeakPtr());
}

MLContentViewController::~MLContentViewController() {
    // A screen that never made its view still holds the list.
    if (_unownedList)
        _unownedList->destroy();
}

bool MLContentViewController::isShowingNoItem() const {
    auto option = _optionWptr.lock();
    auto noMsg = _noMsgWptr.lock();
    return option && noMsg && option->getPartContent(CONTENT_PART) == noMsg.get();
}

Evas_Object* MLContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = common_ui_helper::add_app_layout(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    if (!_createMoreOption(layout)) {
        MSG_LOGE("_createMoreOption() failed");
        evas_object_del(layout);
        return nullptr;
    }
    if (!_createListView()) {
        MSG_LOGE("_createListView() failed");
        evas_object_del(layout);
        return nullptr;
    }
    return layout;
}

bool MLContentViewController::_createMoreOption(Evas_Object* layout) {
    auto* option = new MCommonMoreOptionViewController();
    if (!option->create(layout, nullptr)) {
        MSG_LOGE("Failed to create MoreOption");
        option->destroy();
        return false;
    }
    _optionWptr = view_kit::weak_cast<MCommonMoreOptionViewController>(option->getWeakPtr());
    elm_object_part_content_set(layout, CONTENT_PART, option->getEvasObject());
    return true;
}

bool MLContentViewController::_createListView() {
    auto option = _optionWptr.lock();
    MSG_RETV_IF(!option, false, "optionSptr is null");
    MLListViewController* list = _unownedList;
    MSG_RETV_IF(!list, false, "listSptr is null");
    list->setEventListener([this](MLListViewController::Event ev) { _onListEventListenerCb(ev); });
    list->setOnGetOptionCueAccessObject([this]() -> Evas_Object* {
        auto optionSptr = _optionWptr.lock();
        return optionSptr ? optionSptr->getCueAccessObject() : nullptr;
    });
    // From here on the list belongs to its view, or is gone.
    _unownedList = nullptr;
    if (!list->create(option->getEvasObject(), nullptr)) {
        MSG_LOGE("create() of _listWptr is failed.");
        list->destroy();
        return false;
    }
    return option->setContent(list->getEvasObject());
}

void MLContentViewController::onCreated() {
    if (_listType == LIST_TYPE_BLOCKED_MSG)
        _switchContent();
    _updateMoreOption();
}

void MLContentViewController::onDestroy() {
    // The view that is switched out has no parent to delete it with the screen.
    auto option = _optionWptr.lock();
    view_kit::WViewController* shown = option ? option->getPartContent(CONTENT_PART) : nullptr;
    auto list = _listWptr.lock();
    if (list && list.get() != shown)
        list->destroy();
    auto noMsg = _noMsgWptr.lock();
    if (noMsg && noMsg.get() != shown)
        noMsg->destroy();
}

void MLContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is null");
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    efl_access_object_translation_domain_set(naviItem, common_ui_helper::TEXT_DOMAIN);
    efl_access_object_i18n_name_set(naviItem, _listType == LIST_TYPE_BLOCKED_MSG
                                                  ? "WDS_MSG_MBODY_BLOCKED_MESSAGES"
                                                  : "WDS_MSG_HEADER_MESSAGES_ABB");
}

bool MLContentViewController::onPop() {
    auto option = _optionWptr.lock();
    MSG_RETV_IF(!option, true, "optionSptr is null");
    if (option->isOpened())
        return false;
    auto list = _listWptr.lock();
    MSG_RETV_IF(!list, true, "vcSptr is null");
    if (!list->back())
        return false;
    if (common_util::is_main_app()) {
        // The main application stays alive in the background instead of ending.
        if (Evas_Object* win = elm_object_top_widget_get(getEvasObject()))
            elm_win_lower(win);
        return false;
    }
    MSG_LOGI("popOut this NaviItem");
    return true;
}

void MLContentViewController::_onListEventListenerCb(MLListViewController::Event ev) {
    MSG_LOGD("_onListEventListenerCb : ev(%d)", ev);
    if (ev == MLListViewController::EVENT_CHANGED)
        _updateMoreOption();
    else if (ev == MLListViewController::EVENT_EMPTY_STATE_CHANGED) {
        _switchContent();
        // The last blocked row leaving sends only this event; the menu must not offer actions on nothing.
        _updateMoreOption();
    }
}

void MLContentViewController::_switchContent() {
    auto list = _listWptr.lock();
    MSG_RET_IF(!list, "listSptr is null");
    auto option = _optionWptr.lock();
    MSG_RET_IF(!option, "optionSptr is null");
    if (list->getItemCount() > 0) {
        option->switchContent(list.get());
        return;
    }
    auto noMsg = _noMsgWptr.lock();
    if (!noMsg) {
        auto* created = new MCommonNoItemViewController(_listType == LIST_TYPE_BLOCKED_MSG
                                                            ? MCommonNoItemViewController::BLOCKED_MESSAGES
                                                            : MCommonNoItemViewController::MESSAGES);
        if (!created->create(option->getEvasObject(), nullptr)) {
            MSG_LOGE("create() of noMsgSptr is failed.");
            created->destroy();
            return;
        }
        // Shown by the switch below, not where it was made.
        evas_object_hide(created->getEvasObject());
        _noMsgWptr = view_kit::weak_cast<MCommonNoItemViewController>(created->getWeakPtr());
        noMsg = _noMsgWptr.lock();
    }
    option->switchContent(noMsg.get());
    if (common_util::is_screen_reader_enabled())
        noMsg->setAccessOrder(option->getCueAccessObject());
}

void MLContentViewController::_updateMoreOption() {
    auto list = _listWptr.lock();
    MSG_RET_IF(!list, "listSptr is null");
    auto option = _optionWptr.lock();
    MSG_RET_IF(!option, "optionSptr is null");
    std::vector<MoreOption> options;
    list->getOptions(options);
    MSG_LOGD("option count (%d)", static_cast<int>(options.size()));
    if (options == _shownOptions && !options.empty())
        return;
    _shownOptions = options;
    // An open panel stays open with its new entries; one left with nothing to offer closes.
    if (option->isOpened() && !options.empty())
        option->removeItems();
    else
        option->clearItems();
    for (MoreOption entry : options)
        _appendOption(entry);
    option->setCueVisible(!options.empty());
}

void MLContentViewController::_appendOption(MoreOption entry) {
    auto option = _optionWptr.lock();
    MSG_RET_IF(!option, "optionSptr is null");
    switch (entry) {
    case MORE_OPTION_NEW_MESSAGE:
        option->appendItem(
            "WDS_MSG_OPT_NEW_MESSAGE_ABB", nullptr, "img/option/compose",
            [this](Eext_Object_Item*) { _onNewMessageClicked(); }, nullptr);
        break;
    case MORE_OPTION_DELETE:
        option->appendItem(
            "WDS_MSG_OPT_DELETE_ABB", nullptr, "img/option/delete",
            [this](Eext_Object_Item*) { _onDeleteClicked(); }, nullptr,
            MCommonMoreOptionViewController::SELECT_MODE);
        break;
    case MORE_OPTION_RESTORE:
        option->appendItem(
            "WDS_MSG_MBODY_UNBLOCK_ABB", nullptr, "img/option/restore",
            [this](Eext_Object_Item*) { _onRestoreClicked(); }, nullptr);
        break;
    default:
        MSG_LOGE("unknown option (%d)", static_cast<int>(entry));
        break;
    }
}

void MLContentViewController::_onNewMessageClicked() {
    MSG_LOGI("onMoreOptionClicked : new-msg");
    dazo_log::insert(USAGE_FEATURE, "New_message");
    IMCommonScreenOpener* opener = screen_opener::get();
    MSG_RET_IF(!opener, "nothing opens the composer");
    view_kit::WViewController* errorPopup = nullptr;
    view_kit::WContentViewController* composer = opener->createComposer(&errorPopup);
    if (composer) {
        view_kit::WNaviframeController* naviframe = getNaviframeController();
        if (naviframe) {
            naviframe->push(composer);
            return;
        }
        MSG_LOGE("no naviframe for the composer");
        composer->destroy();
        return;
    }
    if (errorPopup)
        attachPopup(errorPopup);
}

void MLContentViewController::_onDeleteClicked() {
    MSG_LOGI("onMoreOptionClicked : delete");
    if (_listType == LIST_TYPE_THREAD)
        dazo_log::insert(USAGE_FEATURE, "Delete");
    if (auto list = _listWptr.lock())
        list->doAction(MLListViewController::ACTION_DELETE);
}

void MLContentViewController::_onRestoreClicked() {
    MSG_LOGI("onMoreOptionClicked : restore");
    if (auto list = _listWptr.lock())
        list->doAction(MLListViewController::ACTION_RESTORE);
}

} // namespace msg_list
} // namespace msg_app
