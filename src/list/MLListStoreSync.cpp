#include "list/MLListStoreSync.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListAccessOrder.h"
#include "list/MLListModel.h"
#include "list/MLListRows.h"
#include "list/MLListSelect.h"
#include "view_kit/WEventFreeze.h"

#include <map>

namespace msg_app {
namespace msg_list {

namespace {
// Changes that arrived while the application was paused, shared by every list.
int pausedEventCount = 0;
} // namespace

MLListStoreSync::MLListStoreSync(ListType listType, MLListModel& model, MLListRows& rows,
                                 MLListSelect& select, MLListAccessOrder& accessOrder, Callbacks callbacks)
    : _listType(listType), _model(model), _rows(rows), _select(select), _accessOrder(accessOrder),
      _callbacks(std::move(callbacks)) {}

MLListStoreSync::~MLListStoreSync() {
    view_kit::WTimer::destroy(_remeasureTimer);
}

void MLListStoreSync::subscribe() {
    _subscription.clear();
    for (msg_store::EventType type :
         {msg_store::EVENT_TYPE_STORAGE_CHANGE, msg_store::EVENT_TYPE_GROUPCHAT_STATE_CHANGE})
        _subscription.add(type, [this](const char* payload) { onStorageChanged(payload); });
}

void MLListStoreSync::stop() {
    view_kit::WTimer::destroy(_remeasureTimer);
    _subscription.clear();
}

void MLListStoreSync::onStorageChanged(const char* payload) {
    // A change may touch a conversation whose row is still to come.
    _rows.finish();
    const bool byThread = _listType == LIST_TYPE_THREAD;
    MCommonStorageChangeParser::ChangeType type{};
    std::map<int, int> ids;
    if (!MCommonStorageChangeParser::parse(payload,
                                           byThread ? MCommonStorageChangeParser::KEY_THREAD_ID
                                                    : MCommonStorageChangeParser::KEY_MESSAGE_ID,
                                           &type, ids)) {
        MSG_LOGE("parsing is failed.");
        return;
    }
    if (type == MCommonStorageChangeParser::CHANGE_TYPE_DELETED && _rows.count() == 0) {
        MSG_LOGI("ui list is already empty.");
        return;
    }
    if (deferWhilePaused(UPDATE_RELOAD)) {
        MSG_LOGI("set as paused update.");
        return;
    }
    if (ids.size() > MAX_CHANGES_ONE_BY_ONE) {
        MSG_LOGI("change id cnt(%d) is too many. so reload list. ", static_cast<int>(ids.size()));
        if (!_reload())
            _setPausedUpdate(UPDATE_RELOAD, true);
        return;
    }
    view_kit::WEventFreeze freeze(_rows.getGenlist());
    for (const auto& entry : ids) {
        MSG_LOGD("(%s:%d, %d)", byThread ? "tid" : "mid", entry.first, entry.second);
        _applyChange(type, entry.first);
    }
    // Checked rows may have gone or come back unchecked.
    if (_select.isOn())
        _select.onCheckChanged();
}

void MLListStoreSync::_applyChange(int changeType, int id) {
    MLItemContent* row = _rows.find(id);
    switch (changeType) {
    case MCommonStorageChangeParser::CHANGE_TYPE_INSERTED:
    case MCommonStorageChangeParser::CHANGE_TYPE_UPDATED:
    case MCommonStorageChangeParser::CHANGE_TYPE_REPLACED:
    case MCommonStorageChangeParser::CHANGE_TYPE_GROUPCHAT_ADDRESS_CHANGED:
        if (row)
            _updateItem(row);
        else
            _insertItem(id);
        break;
    case MCommonStorageChangeParser::CHANGE_TYPE_DELETED:
        if (!row)
            MSG_LOGW("A matching objItem doesn't exist in genlist.");
        else if (_listType == LIST_TYPE_THREAD)
            _updateItem(row); // the conversation may still hold other messages
        else
            _deleteItem(row);
        break;
    default:
        MSG_LOGE("change type error : %d", changeType);
        break;
    }
}

void MLListStoreSync::_insertItem(int id) {
    std::unique_ptr<MLItemContent> created = _rows.createContentItem(id, nullptr);
    MSG_RET_IF(!created, "newItem is null");
    const MLItemContent& row = *created;
    int countBefore = _rows.count();
    if (_listType == LIST_TYPE_THREAD && countBefore == 0)
        _rows.removeNoContentItem();
    if (_listType == LIST_TYPE_BLOCKED_MSG && countBefore == 0 && _rows.getContentStartIndex() == 0) {
        // The blocked list's title comes with its first row.
        _model.load();
        _rows.addTitleItem();
        _model.clear();
    }

    Elm_Object_Item* beforeItem = nullptr;
    int index = _rows.getContentStartIndex();
    for (Elm_Object_Item* it = _rows.firstContentItem(); it; it = elm_genlist_item_next_get(it), ++index) {
        const MLItemContent* other = MLListRows::contentOf(it);
        if (other && row.isAfter(*other)) {
            beforeItem = it;
            break;
        }
    }
    // At the end when no row is after it.
    Elm_Object_Item* item = _rows.insert(std::move(created), beforeItem);
    MSG_RET_IF(!item, "insert failed");
    MSG_LOGI(">>>>> new item(%d) is inserted (idx:%d) [ui list count : %d]", id, index, countBefore + 1);
    _onPlaced(item);
    // Only a first row changes what the menu offers.
    if (countBefore == 0) {
        if (_listType == LIST_TYPE_BLOCKED_MSG)
            _callbacks.onEmptyStateChanged();
        _callbacks.onChanged();
    }
}

void MLListStoreSync::_onPlaced(Elm_Object_Item* item) {
    if (_listType == LIST_TYPE_THREAD && item == _rows.firstContentItem())
        _rows.scrollToFirstItem();
    if (common_util::is_screen_reader_enabled())
        _accessOrder.rebuild();
}

void MLListStoreSync::_updateItem(MLItemContent* row) {
    bool unreadIncreased = false;
    bool changed = false;
    if (!row->reread(unreadIncreased, changed) || !_rows.belongsToList(*row)) {
        _deleteItem(row);
        return;
    }
    // The list is ordered, so a row after its upper neighbour and not after its lower one is
    // where it belongs; only a row that moves needs the walk from the top.
    if (_listType == LIST_TYPE_BLOCKED_MSG || _isInPlace(*row)) {
        if (changed)
            row->redraw();
        elm_genlist_item_update(row->getElmObjectItem());
        MSG_LOGD(">>>>> updateItem update is done");
        return;
    }
    // The row's new place: the other rows it is not after, counted from the top.
    int position = _rows.getContentStartIndex();
    // Counting the old index would walk the genlist down to the row, which in a long list costs
    // more than the move; it is logged only when this walk passes it (a row moving down).
    int current = -1;
    int index = _rows.getContentStartIndex();
    Elm_Object_Item* beforeItem = nullptr;
    for (Elm_Object_Item* it = _rows.firstContentItem(); it; it = elm_genlist_item_next_get(it), ++index) {
        MLItem* other = MLListRows::rowOf(it);
        if (other == row)
            current = index;
        if (!other || other == row || other->getType() != MLItem::CONTENT)
            continue;
        if (row->isAfter(*static_cast<MLItemContent*>(other))) {
            beforeItem = it;
            break;
        }
        ++position;
    }
    MSG_LOGI("updateItem position was changed. (%d -> %d)", current, position);
    // The row keeps what it has read and is drawn afresh in its new place.
    if (!_rows.move(row, beforeItem)) {
        MSG_LOGE("the row could not be moved");
        return;
    }
    _onPlaced(row->getElmObjectItem());
}

bool MLListStoreSync::_isInPlace(const MLItemContent& row) const {
    const MLItemContent* above = MLListRows::contentOf(elm_genlist_item_prev_get(row.getElmObjectItem()));
    const MLItemContent* below = MLListRows::contentOf(elm_genlist_item_next_get(row.getElmObjectItem()));
    return (!above || !row.isAfter(*above)) && (!below || row.isAfter(*below));
}

void MLListStoreSync::_deleteItem(MLItemContent* row) {
    Elm_Object_Item* item = row->getElmObjectItem();
    elm_genlist_item_selected_set(item, EINA_FALSE);
    elm_object_item_del(item);
    MSG_LOGI(">>> item is deleted");
    common_ui_helper::remeasure_genlist_later(_rows.getGenlist(), _remeasureTimer);
    if (common_util::is_screen_reader_enabled())
        _accessOrder.rebuild();
    if (_rows.count() > 0)
        return;
    if (_listType == LIST_TYPE_THREAD) {
        _rows.addNoContentItem();
        _callbacks.onChanged();
    } else {
        _callbacks.onEmptyStateChanged();
    }
}

bool MLListStoreSync::_reload() {
    MSG_RETV_IF(_select.isOn(), false, "listStyle(%d) is invalid", _select.getListStyle());
    _model.clear();
    // The rows shown stay until the store can be read again.
    MSG_RETV_IF(!_model.load(), false, "the list could not be read");
    bool wasEmpty = _rows.count() == 0;
    _rows.load();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    // The container learns of rows that came or went by the reload as by any other change; an
    // empty blocked list has already told it so while loading.
    bool isEmpty = _rows.count() == 0;
    if (_listType == LIST_TYPE_BLOCKED_MSG && wasEmpty && !isEmpty)
        _callbacks.onEmptyStateChanged();
    _callbacks.onChanged();
    return true;
}

bool MLListStoreSync::_setPausedUpdate(Update update, bool force) {
    if (update == UPDATE_NONE) {
        _pausedUpdate = UPDATE_NONE;
        pausedEventCount = 0;
        MSG_LOGD("clear paused_event");
        return true;
    }
    if (!force && pausedEventCount < PAUSED_CHANGES_APPLIED) {
        ++pausedEventCount;
        MSG_LOGD("event count (%d). Not pause event processing yet.", pausedEventCount);
        return false;
    }
    // The count goes on until the resume clears it: once changes are held back, every later one
    // of the same pause is held back too.
    if (_pausedUpdate == UPDATE_NONE || update > _pausedUpdate)
        _pausedUpdate = update;
    MSG_LOGI("app paused_event:%d(NONE(0), REDRAW(1), RELOAD(2)", _pausedUpdate);
    return true;
}

// Only a paused application holds changes back; in the foreground each one is applied at once.
bool MLListStoreSync::deferWhilePaused(Update update) {
    return MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_PAUSED &&
           _setPausedUpdate(update, false);
}

void MLListStoreSync::doPausedUpdate() {
    MSG_LOGD("paused Update(%d)", _pausedUpdate);
    // A reload waits for the end of select mode instead of being dropped: the rows would stay
    // stale until the next change.
    if (_select.isOn() && _pausedUpdate == UPDATE_RELOAD)
        return;
    if (_pausedUpdate == UPDATE_REDRAW)
        _rows.redrawRealized();
    else if (_pausedUpdate == UPDATE_RELOAD && !_reload())
        return;
    _setPausedUpdate(UPDATE_NONE, false);
}

bool MLListStoreSync::takePendingReload() {
    if (!hasPendingReload())
        return false;
    MSG_LOGI("process paused event(reload) here");
    doPausedUpdate();
    return true;
}

} // namespace msg_list
} // namespace msg_app
