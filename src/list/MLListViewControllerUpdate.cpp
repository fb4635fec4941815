// Keeping the rows in step with the message store.
#include "list/MLListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "list/MLItem/MLItemContent.h"

#include <map>

namespace msg_app {
namespace msg_list {

namespace {
// Changes that arrived while the application was paused, shared by every list.
int pausedEventCount = 0;
} // namespace

void MLListViewController::_onStorageChanged(const char* payload) {
    // A change may touch a conversation whose row is still to come.
    finishRows();
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
    if (type == MCommonStorageChangeParser::CHANGE_TYPE_DELETED && getItemCount() == 0) {
        MSG_LOGI("ui list is already empty.");
        return;
    }
    if (_deferWhilePaused(UPDATE_RELOAD)) {
        MSG_LOGI("set as paused update.");
        return;
    }
    if (ids.size() > MAX_CHANGES_ONE_BY_ONE) {
        MSG_LOGI("change id cnt(%d) is too many. so reload list. ", static_cast<int>(ids.size()));
        if (!_reload())
            _setPausedUpdate(UPDATE_RELOAD, true);
        return;
    }
    for (const auto& entry : ids) {
        MSG_LOGD("(%s:%d, %d)", byThread ? "tid" : "mid", entry.first, entry.second);
        _applyChange(type, entry.first, entry.second);
    }
    // Checked rows may have gone or come back unchecked.
    if (_select.isOn())
        _onCheckChanged(nullptr);
}

void MLListViewController::_applyChange(int changeType, int id, int /*otherId*/) {
    MLItemContent* row = findContentItem(id);
    switch (changeType) {
    case MCommonStorageChangeParser::CHANGE_TYPE_INSERTED:
    case MCommonStorageChangeParser::CHANGE_TYPE_UPDATED:
    case MCommonStorageChangeParser::CHANGE_TYPE_REPLACED:
    case MCommonStorageChangeParser::CHANGE_TYPE_GROUPCHAT_ADDRESS_CHANGED:
        if (row)
            _updateItem(row);
        else
            _insertItem(id, nullptr);
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

void MLListViewController::_insertItem(int id, const MLItem* before) {
    std::unique_ptr<MLItemContent> created = _createContentItem(id, nullptr);
    MSG_RET_IF(!created, "newItem is null");
    MLItemContent* row = created.get();
    int countBefore = getItemCount();
    if (_listType == LIST_TYPE_THREAD && countBefore == 0)
        _removeNoContentItem();
    if (_listType == LIST_TYPE_BLOCKED_MSG && countBefore == 0 && _contentStartIndex == 0) {
        // The blocked list's title comes with its first row.
        _model.load();
        _addTitleItem();
        _model.clear();
    }

    Elm_Object_Item* beforeItem = before ? before->getElmObjectItem() : nullptr;
    int index = _contentStartIndex;
    if (!beforeItem) {
        for (Elm_Object_Item* it = _firstContentItem(); it; it = elm_genlist_item_next_get(it), ++index) {
            MLItem* other = _rowOf(it);
            if (other && other->getType() == MLItem::CONTENT &&
                row->isAfter(*static_cast<MLItemContent*>(other))) {
                beforeItem = it;
                break;
            }
        }
    } else {
        index = elm_genlist_item_index_get(beforeItem) - 1;
    }
    // At the end when no row is after it.
    Elm_Object_Item* item =
        wgenlist_item_insert_before(_genlist, nullptr, std::move(created), beforeItem, ELM_GENLIST_ITEM_NONE);
    MSG_RET_IF(!item, "insert failed");
    _indexRow(row);
    if (_listType == LIST_TYPE_THREAD && item == _firstContentItem())
        _scrollToFirstItem();
    MSG_LOGI(">>>>> new item(%d) is inserted (idx:%d) [ui list count : %d]", id, index, countBefore + 1);
    // Only a first row changes what the menu offers.
    if (countBefore == 0) {
        if (_listType == LIST_TYPE_BLOCKED_MSG)
            _sendEvent(EVENT_EMPTY_STATE_CHANGED);
        _sendEvent(EVENT_CHANGED);
    }
    if (common_util::is_screen_reader_enabled())
        _accessOrder.rebuild();
}

// A change names every message of a conversation, blocked ones included, and a restored message
// keeps its id: neither a conversation left with only blocked messages nor a message out of the
// spam folder has a row.
bool MLListViewController::_belongsToList(const MLItemContent& row) const {
    const MLItemContentModel& model = row.getModel();
    bool belongs = _listType == LIST_TYPE_THREAD ? model.getMsgCnt() > 0
                                                 : msg_store::isSpamFolder(model.getFolderType());
    if (!belongs)
        MSG_LOGI("item(%d) does not belong to this list", row.getItemId());
    return belongs;
}

void MLListViewController::_updateItem(MLItemContent* row) {
    bool unreadIncreased = false;
    if (!row->update(unreadIncreased) || !_belongsToList(*row)) {
        _deleteItem(row);
        return;
    }
    if (_listType == LIST_TYPE_BLOCKED_MSG) {
        elm_genlist_item_update(row->getElmObjectItem());
        return;
    }
    // The list is ordered, so a row after its upper neighbour and not after its lower one is
    // where it belongs; only a row that moves needs the walk from the top.
    if (_isInPlace(*row)) {
        MSG_LOGD("updateItem position is same. (%d)",
                 elm_genlist_item_index_get(row->getElmObjectItem()) - 1);
        elm_genlist_item_update(row->getElmObjectItem());
        MSG_LOGD(">>>>> updateItem update is done");
        return;
    }
    // The row's new place: the other rows it is not after, counted from the top.
    int position = _contentStartIndex;
    // Counting the old index would walk the genlist down to the row, which in a long list costs
    // more than the move; it is logged only when this walk passes it (a row moving down).
    int current = -1;
    int index = _contentStartIndex;
    Elm_Object_Item* beforeItem = nullptr;
    for (Elm_Object_Item* it = _firstContentItem(); it; it = elm_genlist_item_next_get(it), ++index) {
        MLItem* other = _rowOf(it);
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
    int id = row->getItemId();
    MLItem* before = _rowOf(beforeItem);
    elm_object_item_del(row->getElmObjectItem());
    _insertItem(id, before);
}

bool MLListViewController::_isInPlace(const MLItemContent& row) const {
    auto contentAt = [](Elm_Object_Item* item) -> const MLItemContent* {
        MLItem* other = _rowOf(item);
        return other && other->getType() == MLItem::CONTENT ? static_cast<MLItemContent*>(other) : nullptr;
    };
    const MLItemContent* above = contentAt(elm_genlist_item_prev_get(row.getElmObjectItem()));
    const MLItemContent* below = contentAt(elm_genlist_item_next_get(row.getElmObjectItem()));
    return (!above || !row.isAfter(*above)) && (!below || row.isAfter(*below));
}

void MLListViewController::_deleteItem(MLItemContent* row) {
    Elm_Object_Item* item = row->getElmObjectItem();
    elm_genlist_item_selected_set(item, EINA_FALSE);
    elm_object_item_del(item);
    MSG_LOGI(">>> item is deleted");
    common_ui_helper::remeasure_genlist_later(_genlist, _remeasureTimer);
    if (common_util::is_screen_reader_enabled())
        _accessOrder.rebuild();
    if (getItemCount() > 0)
        return;
    if (_listType == LIST_TYPE_THREAD) {
        _addNoContentItem();
        _sendEvent(EVENT_CHANGED);
    } else {
        _sendEvent(EVENT_EMPTY_STATE_CHANGED);
    }
}

bool MLListViewController::_reload() {
    MSG_RETV_IF(_select.isOn(), false, "listStyle(%d) is invalid", getListStyle());
    _model.clear();
    // The rows shown stay until the store can be read again.
    MSG_RETV_IF(!_model.load(), false, "the list could not be read");
    bool wasEmpty = getItemCount() == 0;
    _loadItems();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    // The container learns of rows that came or went by the reload as by any other change; an
    // empty blocked list has already told it so while loading.
    bool isEmpty = getItemCount() == 0;
    if (_listType == LIST_TYPE_BLOCKED_MSG && wasEmpty && !isEmpty)
        _sendEvent(EVENT_EMPTY_STATE_CHANGED);
    _sendEvent(EVENT_CHANGED);
    return true;
}

bool MLListViewController::_setPausedUpdate(Update update, bool force) {
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
bool MLListViewController::_deferWhilePaused(Update update) {
    return MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_PAUSED &&
           _setPausedUpdate(update, false);
}

void MLListViewController::_doPausedUpdate() {
    MSG_LOGD("paused Update(%d)", _pausedUpdate);
    // A reload waits for the end of select mode instead of being dropped: the rows would stay
    // stale until the next change.
    if (_select.isOn() && _pausedUpdate == UPDATE_RELOAD)
        return;
    if (_pausedUpdate == UPDATE_REDRAW)
        _redrawRealized();
    else if (_pausedUpdate == UPDATE_RELOAD && !_reload())
        return;
    _setPausedUpdate(UPDATE_NONE, false);
}

} // namespace msg_list
} // namespace msg_app
