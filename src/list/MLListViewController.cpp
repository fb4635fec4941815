#include "list/MLListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonTheme.h"
#include "journal.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLReusableObjectPool.h"
#include "list/MLThreadListBgLoad.h"
#include "view_kit/WWindowController.h"

namespace msg_app {
namespace msg_list {

namespace {
constexpr double LONGPRESS_TIMEOUT = 1.0;
constexpr int GENLIST_BLOCK_COUNT = 4;
} // namespace

MLListViewController::MLListViewController(ListType listType)
    : _listType(listType),
      _rows(listType, _model, _store,
            {[this](MLItem::Event event, const MLItem* row) { _onItemEvent(event, row); },
             [this] { _opener.openComposer(); }, [this] { return _select.getListStyle(); },
             [this] { _onAllRowsIn(); }, [this] { _sendEvent(EVENT_EMPTY_STATE_CHANGED); }}),
      _select(*this, listType, _rows, _store,
              {[this] { _sendEvent(EVENT_CHANGED); }, [this] { return _storeSync.takePendingReload(); }}),
      _storeSync(listType, _model, _rows, _select, _accessOrder,
                 {[this] { _sendEvent(EVENT_CHANGED); }, [this] { _sendEvent(EVENT_EMPTY_STATE_CHANGED); }}) {
    MSG_LOGI("listType : %d (0:thread, 1:blocked_msg)", listType);
}

MLListViewController::~MLListViewController() = default;

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
    Evas_Object* genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!genlist, false, "elm_genlist_add() failed");
    evas_object_size_hint_weight_set(genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);
    elm_genlist_longpress_timeout_set(genlist, LONGPRESS_TIMEOUT);
    elm_genlist_homogeneous_set(genlist, EINA_TRUE);
    // A row moving to the top makes the genlist realize again every row of the block it
    // joins; small blocks keep that to a few rows.
    elm_genlist_block_count_set(genlist, GENLIST_BLOCK_COUNT);
    elm_genlist_mode_set(genlist, ELM_LIST_COMPRESS);
    elm_genlist_select_mode_set(genlist, ELM_OBJECT_SELECT_MODE_DEFAULT);
    // The last conversation can be brought up to the screen's middle, clear of the circle's edge.
    qel_genlist_set_bottom_margin_enabled(genlist, EINA_TRUE);
    view_kit::WWindowController* window = getWindowController();
    common_ui_helper::prepare_screen_genlist(genlist, window ? window->getCircleSurface() : nullptr);
    if (common_util::is_main_app()) {
        MCommonTheme::getInstance()->changeBgColor(genlist);
        MCommonTheme::getInstance()->changeScrollBarColor(genlist);
        MCommonTheme::getInstance()->changeScrollEndEffectColor(genlist);
    }
    evas_object_smart_callback_add(genlist, "realized", _realizedCb, this);
    evas_object_smart_callback_add(genlist, "unrealized", _unrealizedCb, this);
    evas_object_smart_callback_add(genlist, "updated", _updatedCb, this);
    evas_object_smart_callback_add(genlist, "longpressed", _longpressedCb, this);
    evas_object_smart_callback_add(genlist, "content,unswallowed", _contentUnswallowedCb, this);
    if (_selectModeLayout)
        elm_object_part_content_set(_selectModeLayout, "elm.swallow.content", genlist);
    evas_object_show(genlist);
    _rows.setGenlist(genlist);
    _accessOrder.setGenlist(genlist);
    return true;
}

void MLListViewController::onCreated() {
    if (!_createGenlist()) {
        MSG_LOGE("_createGenlist() failed");
        return;
    }
    if (!_model.load())
        MSG_LOGE("the list could not be read");
    _rows.load();
    _rotaryItem = std::make_unique<MCommonRotaryActivateMgr::Item>(getGenlist());
    _rotaryItem->regist(false);
    _storeSync.subscribe();
    MCommonAppEventMgr::getInstance()->addListener(this);
}

void MLListViewController::onDestroy() {
    view_kit::WTimer::destroy(_launchIdler);
    _rows.stop();
    _storeSync.stop();
    MCommonAppEventMgr::getInstance()->removeListener(this);
    MLReusableObjectPool::destroy();
    destroyPopup();
    _select.drop();
    _rotaryItem.reset();
}

void MLListViewController::_sendEvent(Event event) {
    if (_eventListener)
        _eventListener(event);
}

void MLListViewController::_onItemEvent(MLItem::Event event, const MLItem* row) {
    if (event == MLItem::CHECK_CHANGED) {
        _select.onCheckChanged();
        return;
    }
    if (event != MLItem::SELECTED)
        return;
    MSG_RET_IF(_select.isOn(), "_listStyle is not normal_mode");
    _opener.openRow(row);
}

void MLListViewController::_onAllRowsIn() {
    _accessOrder.link(elm_genlist_last_item_get(getGenlist()));
    _sendEvent(EVENT_CHANGED);
}

void MLListViewController::_realizedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    auto* item = static_cast<Elm_Object_Item*>(eventInfo);
    if (MLItemContent* row = MLListRows::contentOf(item))
        row->realized();
    static_cast<MLListViewController*>(data)->_accessOrder.link(item);
}

void MLListViewController::_unrealizedCb(void* /*data*/, Evas_Object* /*obj*/, void* eventInfo) {
    if (MLItemContent* row = MLListRows::contentOf(static_cast<Elm_Object_Item*>(eventInfo))) {
        row->unrealized();
        row->unswallow();
    }
}

void MLListViewController::_longpressedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    static_cast<MLListViewController*>(data)->_select.onLongPressed(
        MLListRows::rowOf(static_cast<Elm_Object_Item*>(eventInfo)));
}

void MLListViewController::_updatedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    if (common_util::is_screen_reader_enabled())
        static_cast<MLListViewController*>(data)->_accessOrder.rebuild();
}

void MLListViewController::_contentUnswallowedCb(void* /*data*/, Evas_Object* /*obj*/, void* eventInfo) {
    if (MLItemContent* row = MLListRows::contentOf(static_cast<Elm_Object_Item*>(eventInfo)))
        row->unswallow();
}

void MLListViewController::appEventListener(MCommonAppEventType type) {
    MSG_LOGD("App Event : %d", type);
    switch (type) {
    case APP_EVENT_RESUMED:
        _storeSync.doPausedUpdate();
        break;
    case APP_EVENT_TERMINATING:
        _select.stopWorker();
        break;
    case APP_EVENT_PAUSED:
        if (!_select.isOn())
            destroyPopup();
        break;
    case APP_EVENT_LANGUAGE_CHANGED:
    case APP_EVENT_TIME_FORMAT_CHANGED:
        if (!_storeSync.deferWhilePaused(MLListStoreSync::UPDATE_REDRAW))
            _rows.redrawRealized();
        break;
    case APP_EVENT_RELAUNCHED:
        if (_select.isOn())
            _select.leave();
        if (_storeSync.hasPendingReload())
            _storeSync.doPausedUpdate();
        else
            MCommonRotaryActivateMgr::getInstance()->setActivate(true);
        if (_rows.hasNoContentItem())
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
    case APP_EVENT_CONTACTS_CHANGED:
        _updateNames();
        break;
    case APP_EVENT_MSG_STORE_READY:
        _storeSync.subscribe();
        break;
    default:
        break;
    }
}

void MLListViewController::_updateNames() {
    Eina_List* realized = elm_genlist_realized_items_get(getGenlist());
    void* data = nullptr;
    Eina_List* l = nullptr;
    EINA_LIST_FOREACH(realized, l, data) {
        if (MLItemContent* row = MLListRows::contentOf(static_cast<Elm_Object_Item*>(data)))
            row->updateName();
    }
    eina_list_free(realized);
}

void MLListViewController::_onLaunchIdle() {
    MSG_LOGD("onIdlerCb : ");
    _rows.scrollToFirstItem();
    _sendEvent(EVENT_CHANGED);
    MLReusableObjectPool::getInstance()->init(getGenlist());
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    if (MLThreadListBgLoad::getState() != MLThreadListBgLoad::NONE) {
        std::vector<std::string>* missed = MLThreadListBgLoad::getInstance()->getStorageChanges();
        MSG_LOGI("do process missed storage_changed events");
        if (missed) {
            for (const std::string& payload : *missed)
                _storeSync.onStorageChanged(payload.c_str());
        }
        MLThreadListBgLoad::destroy();
    }
    if (getGenlist())
        _accessOrder.link(elm_genlist_last_item_get(getGenlist()));
}

} // namespace msg_list
} // namespace msg_app
