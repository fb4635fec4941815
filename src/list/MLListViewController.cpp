#include "list/MLListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonTheme.h"
#include "journal.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLItem/MLItemGroupIndex.h"
#include "list/MLItem/MLItemMargin.h"
#include "list/MLItem/MLItemNoContent.h"
#include "list/MLItem/MLItemTitle.h"
#include "list/MLReusableObjectPool.h"
#include "list/MLThreadListBgLoad.h"
#include "view_kit/WWindowController.h"

#include <glib.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace msg_app {
namespace msg_list {

namespace {
// The centre of the round screen: the row drawn there is the one in view.
constexpr int SCREEN_CENTER = 180;
constexpr double LONGPRESS_TIMEOUT = 1.0;
constexpr int GENLIST_BLOCK_COUNT = 4;
// The rows of the first screens, built before the first frame; the rest follow in slices short
// enough to leave the main loop a frame's time.
constexpr int FIRST_ROWS = 30;
constexpr double ROWS_SLICE_SECONDS = 0.004;
} // namespace

MLListViewController::MLListViewController(ListType listType)
    : _listType(listType),
      _select(*this, {[this] { doAction(_action == ACTION_RESTORE ? ACTION_RESTORE : ACTION_DELETE); },
                      [this](bool checked) { _checkAll(checked); }, [this] { return getItemCount(); }}),
      _model(listType) {
    MSG_LOGI("listType : %d (0:thread, 1:blocked_msg)", listType);
}

MLListViewController::~MLListViewController() {
    view_kit::WTimer::destroy(_remeasureTimer);
}

Evas_Object* MLListViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add() failed");
    elm_layout_theme_set(layout, "layout", "bottom_button", "default");
    _selectModeLayout = elm_layout_add(layout);
    if (!_selectModeLayout || !elm_layout_theme_set(_selectModeLayout, "layout", "select_mode", "default")) {
        MSG_LOGE("_createSelectModeLayout() failed");
    } else {
        _select.setLayout(_selectModeLayout);
        elm_object_part_content_set(layout, "elm.swallow.content", _selectModeLayout);
    }
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_show(layout);
    return layout;
}

bool MLListViewController::_createGenlist() {
    Evas_Object* parent = _selectModeLayout ? _selectModeLayout : getEvasObject();
    MSG_RETV_IF(!parent, false, "no parent");
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, false, "elm_genlist_add() failed");
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(_genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);
    elm_genlist_longpress_timeout_set(_genlist, LONGPRESS_TIMEOUT);
    elm_genlist_homogeneous_set(_genlist, EINA_TRUE);
    // A row moving to the top makes the genlist realize again every row of the block it
    // joins; small blocks keep that to a few rows.
    elm_genlist_block_count_set(_genlist, GENLIST_BLOCK_COUNT);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_select_mode_set(_genlist, ELM_OBJECT_SELECT_MODE_DEFAULT);
    // The last conversation can be brought up to the screen's middle, clear of the circle's edge.
    qel_genlist_set_bottom_margin_enabled(_genlist, EINA_TRUE);
    view_kit::WWindowController* window = getWindowController();
    common_ui_helper::prepare_screen_genlist(_genlist, window ? window->getCircleSurface() : nullptr);
    if (common_util::is_main_app()) {
        MCommonTheme::getInstance()->changeBgColor(_genlist);
        MCommonTheme::getInstance()->changeScrollBarColor(_genlist);
        MCommonTheme::getInstance()->changeScrollEndEffectColor(_genlist);
    }
    evas_object_smart_callback_add(_genlist, "realized", _realizedCb, this);
    evas_object_smart_callback_add(_genlist, "unrealized", _unrealizedCb, this);
    evas_object_smart_callback_add(_genlist, "updated", _updatedCb, this);
    evas_object_smart_callback_add(_genlist, "longpressed", _longpressedCb, this);
    evas_object_smart_callback_add(_genlist, "content,unswallowed", _contentUnswallowedCb, this);
    if (_selectModeLayout)
        elm_object_part_content_set(_selectModeLayout, "elm.swallow.content", _genlist);
    evas_object_show(_genlist);
    _accessOrder.setGenlist(_genlist);
    return true;
}

void MLListViewController::onCreated() {
    if (!_createGenlist()) {
        MSG_LOGE("_createGenlist() failed");
        return;
    }
    if (!_model.load())
        MSG_LOGE("the list could not be read");
    _loadItems();
    _rotaryItem = std::make_unique<MCommonRotaryActivateMgr::Item>(_genlist);
    _rotaryItem->regist(false);
    _subscribeStorage();
    MCommonAppEventMgr::getInstance()->addListener(this);
}

void MLListViewController::onDestroy() {
    view_kit::WTimer::destroy(_launchIdler);
    _bulkAction.dropToast();
    view_kit::WTimer::destroy(_restOfRowsTimer);
    view_kit::WTimer::destroy(_remeasureTimer);
    _storeSubscription.clear();
    MCommonAppEventMgr::getInstance()->removeListener(this);
    MLReusableObjectPool::destroy();
    destroyPopup();
    _select.dropBgAction();
    _select.closeSelectAllPopup();
    _select.destroyCountButton();
    _rotaryItem.reset();
}

void MLListViewController::_subscribeStorage() {
    // Again after the store restarted: the old subscriptions went with its connection.
    _storeSubscription.clear();
    for (msg_store::EventType type :
         {msg_store::EVENT_TYPE_STORAGE_CHANGE, msg_store::EVENT_TYPE_GROUPCHAT_STATE_CHANGE})
        _storeSubscription.add(type, [this](const char* payload) { _onStorageChanged(payload); });
}

MLItem* MLListViewController::_rowOf(Elm_Object_Item* item) {
    return item ? static_cast<MLItem*>(elm_object_item_data_get(item)) : nullptr;
}

Elm_Object_Item* MLListViewController::_firstContentItem() const {
    return _genlist ? elm_genlist_nth_item_get(_genlist, _contentStartIndex) : nullptr;
}

int MLListViewController::getItemCount() const {
    int count = static_cast<int>(_rowsById->size());
    MSG_LOGD("Content item count : %d", count);
    return count;
}

MLItemContent* MLListViewController::findContentItem(int id) const {
    auto found = _rowsById->find(id);
    if (found != _rowsById->end())
        return found->second;
    MSG_LOGD("Not found item(%d)", id);
    return nullptr;
}

void MLListViewController::_indexRow(MLItemContent* row) {
    (*_rowsById)[row->getItemId()] = row;
    row->setDestroyListener([index = std::weak_ptr<RowIndex>(_rowsById)](const MLItemContent* gone) {
        std::shared_ptr<RowIndex> rows = index.lock();
        if (!rows)
            return;
        auto found = rows->find(gone->getItemId());
        if (found != rows->end() && found->second == gone)
            rows->erase(found);
    });
}

Elm_Object_Item* MLListViewController::_append(std::unique_ptr<MLItem> row) {
    return wgenlist_item_append(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE);
}

std::unique_ptr<MLItemContent> MLListViewController::_createContentItem(int id,
                                                                        IMLItemDataProvider* provider) {
    auto row = std::make_unique<MLItemContent>(_listType == LIST_TYPE_THREAD ? THREAD : MSG,
                                               _listType == LIST_TYPE_BLOCKED_MSG ? SPAM : NONE);
    if (!row->init(id, provider) || !_belongsToList(*row))
        return nullptr;
    row->setStyle(getListStyle());
    row->setEventListener([this](MLItem::Event event, const MLItem* from) { _onItemEvent(event, from); });
    return row;
}

void MLListViewController::_loadItems() {
    view_kit::WTimer::destroy(_restOfRowsTimer);
    if (elm_genlist_items_count(_genlist) > 0) {
        elm_genlist_clear(_genlist);
        elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
        _contentStartIndex = 0;
        MSG_LOGD("clear all items of genlist");
    }
    MSG_LOGI("ui_list count : %d, data_list count : %d", getItemCount(), _model.getCount());
    if (_model.getCount() == 0) {
        MSG_LOGI("No messages");
        if (_listType == LIST_TYPE_THREAD) {
            _addTitleItem();
            _addNoContentItem();
        } else {
            _sendEvent(EVENT_EMPTY_STATE_CHANGED);
        }
    } else {
        // In compress mode every append lays its row out at once; the rows go in first and
        // the mode follows, which lays out only the rows in view.
        elm_genlist_mode_set(_genlist, ELM_LIST_SCROLL);
        _addTitleItem();
        bool more = _addRows(FIRST_ROWS, HUGE_VAL);
        elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
        if (_listType == LIST_TYPE_THREAD)
            _scrollToFirstItem();
        if (more) {
            // A timer rather than an idler: a slice each turn of the loop, even a busy one.
            _restOfRowsTimer = view_kit::WTimer::addTimer(
                0.0, [this](void*) { return _addRows(INT_MAX, ROWS_SLICE_SECONDS); }, nullptr);
            return;
        }
    }
    _model.clear();
}

bool MLListViewController::_addRows(int maxRows, double maxSeconds) {
    if (!_model.hasMoreToHandOut())
        return false;
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(std::min(maxSeconds, 3600.0) * 1e6);
    for (int added = 0; added < maxRows && _model.hasMoreToHandOut() && g_get_monotonic_time() < end;
         ++added) {
        std::unique_ptr<MLItemContent> row = _createContentItem(_model.handOutNext(), &_model);
        MLItemContent* placed = row.get();
        if (!row || !_append(std::move(row))) {
            MSG_LOGE("Failed to create a content item");
            continue;
        }
        _indexRow(placed);
    }
    if (_model.hasMoreToHandOut())
        return true;
    MSG_LOGI("every row is in: %d", getItemCount());
    _model.clear();
    _accessOrder.link(elm_genlist_last_item_get(_genlist));
    _sendEvent(EVENT_CHANGED);
    return false;
}

void MLListViewController::finishRows() {
    view_kit::WTimer::destroy(_restOfRowsTimer);
    _addRows(INT_MAX, HUGE_VAL);
}

void MLListViewController::_addTitleItem() {
    if (getItemCount() > 0 || _contentStartIndex > 0) {
        MSG_LOGE("genlist is not empty !!! Please check it.");
        return;
    }
    if (_listType == LIST_TYPE_THREAD) {
        std::unique_ptr<MLItem> rows[] = {std::make_unique<MLItemMargin>(), _createButtonMenu(),
                                          std::make_unique<MLItemGroupIndex>()};
        for (std::unique_ptr<MLItem>& row : rows) {
            if (_append(std::move(row)))
                ++_contentStartIndex;
        }
    } else if (_model.getCount() > 0 && _append(std::make_unique<MLItemTitle>(_listType))) {
        ++_contentStartIndex;
    }
    MSG_LOGD("Add title items (content start index : %d)", _contentStartIndex);
}

bool MLListViewController::_hasNoContentItem() const {
    MLItem* row = _rowOf(_firstContentItem());
    return row && row->getType() == MLItem::NO_CONTENT;
}

void MLListViewController::_addNoContentItem() {
    if (_hasNoContentItem()) {
        MSG_LOGD("nocontent item exists.");
        return;
    }
    Elm_Object_Item* item = _append(std::make_unique<MLItemNoContent>());
    MSG_RET_IF(!item, "no-content row not added");
    elm_object_signal_emit(_genlist, "elm,state,focus_bg,hide", "elm");
    elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    journal_log("MESSAGE", "NO_MESSAGES");
    MSG_LOGI("Add nocontent item");
}

void MLListViewController::_removeNoContentItem() {
    if (!_hasNoContentItem())
        return;
    elm_object_item_del(_firstContentItem());
    MSG_LOGI("Remove nocontent item");
}

void MLListViewController::_scrollToFirstItem() {
    Elm_Object_Item* first = _firstContentItem();
    if (!first)
        return;
    int posret = 0;
    if (elm_genlist_at_xy_item_get(_genlist, SCREEN_CENTER, SCREEN_CENTER, &posret) != first) {
        elm_genlist_item_show(first, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
        MSG_LOGD("scroll to first item.");
    }
}

void MLListViewController::_sendEvent(Event event) {
    if (_eventListener)
        _eventListener(event);
}

std::unique_ptr<MLItemButtonMenu> MLListViewController::_createButtonMenu() {
    auto menu = std::make_unique<MLItemButtonMenu>();
    menu->setOnComposeButtonClicked([this] { _onComposeClicked(); });
    return menu;
}

void MLListViewController::_realizedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    auto* item = static_cast<Elm_Object_Item*>(eventInfo);
    MLItem* row = _rowOf(item);
    if (row && row->getType() == MLItem::CONTENT)
        static_cast<MLItemContent*>(row)->realized();
    static_cast<MLListViewController*>(data)->_accessOrder.link(item);
}

void MLListViewController::_unrealizedCb(void* /*data*/, Evas_Object* /*obj*/, void* eventInfo) {
    MLItem* row = _rowOf(static_cast<Elm_Object_Item*>(eventInfo));
    if (row && row->getType() == MLItem::CONTENT) {
        static_cast<MLItemContent*>(row)->unrealized();
        static_cast<MLItemContent*>(row)->unswallow();
    }
}

void MLListViewController::_updatedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MLListViewController*>(data);
    if (common_util::is_screen_reader_enabled())
        self->_accessOrder.rebuild();
}

void MLListViewController::_contentUnswallowedCb(void* /*data*/, Evas_Object* /*obj*/, void* eventInfo) {
    MLItem* row = _rowOf(static_cast<Elm_Object_Item*>(eventInfo));
    if (row && row->getType() == MLItem::CONTENT)
        static_cast<MLItemContent*>(row)->unswallow();
}

void MLListViewController::_redrawRealized() {
    elm_genlist_realized_items_update(_genlist);
}

void MLListViewController::appEventListener(MCommonAppEventType type) {
    MSG_LOGD("App Event : %d", type);
    switch (type) {
    case APP_EVENT_RESUMED:
        _doPausedUpdate();
        break;
    case APP_EVENT_TERMINATING:
        _bulkAction.stopWorker();
        break;
    case APP_EVENT_PAUSED:
    case APP_EVENT_LANGUAGE_CHANGED:
        if (type == APP_EVENT_LANGUAGE_CHANGED && _deferWhilePaused(UPDATE_REDRAW))
            break;
        if (type == APP_EVENT_LANGUAGE_CHANGED)
            _redrawRealized();
        else if (!_select.isOn())
            destroyPopup();
        break;
    case APP_EVENT_RELAUNCHED:
        if (_select.isOn())
            _changeToNormalMode();
        if (_pausedUpdate == UPDATE_RELOAD)
            _doPausedUpdate();
        else
            MCommonRotaryActivateMgr::getInstance()->setActivate(true);
        if (_hasNoContentItem())
            journal_log("MESSAGE", "NO_MESSAGES");
        break;
    case APP_EVENT_LAUNCH_COMPLETED:
        if (_listType != LIST_TYPE_THREAD)
            break;
        if (_launchIdler.lock()) {
            MSG_LOGW("_launchIdler is alive.");
            break;
        }
        _launchIdler = view_kit::WTimer::addIdler(
            [this](void*) {
                _onLaunchIdle();
                return false;
            },
            nullptr);
        break;
    case APP_EVENT_CONTACTS_CHANGED: {
        Eina_List* realized = elm_genlist_realized_items_get(_genlist);
        void* data = nullptr;
        Eina_List* l = nullptr;
        EINA_LIST_FOREACH(realized, l, data) {
            MLItem* row = _rowOf(static_cast<Elm_Object_Item*>(data));
            if (row && row->getType() == MLItem::CONTENT)
                static_cast<MLItemContent*>(row)->updateName();
        }
        eina_list_free(realized);
        break;
    }
    case APP_EVENT_TIME_FORMAT_CHANGED:
        if (!_deferWhilePaused(UPDATE_REDRAW))
            _redrawRealized();
        break;
    case APP_EVENT_MSG_STORE_READY:
        _subscribeStorage();
        break;
    default:
        break;
    }
}

void MLListViewController::_onLaunchIdle() {
    MSG_LOGD("onIdlerCb : ");
    _scrollToFirstItem();
    _sendEvent(EVENT_CHANGED);
    MLReusableObjectPool::getInstance()->init(_genlist);
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    if (MLThreadListBgLoad::getState() != MLThreadListBgLoad::NONE) {
        std::vector<std::string>* missed = MLThreadListBgLoad::getInstance()->getStorageChanges();
        MSG_LOGI("do process missed storage_changed events");
        if (missed) {
            for (const std::string& payload : *missed)
                _onStorageChanged(payload.c_str());
        }
        MLThreadListBgLoad::destroy();
    }
    if (_genlist)
        _accessOrder.link(elm_genlist_last_item_get(_genlist));
}

} // namespace msg_list
} // namespace msg_app
