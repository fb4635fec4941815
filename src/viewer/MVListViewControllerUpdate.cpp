// Keeping the bubbles in step with the message store.
#include "viewer/MVListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "journal.h"
#include "msg_store/MessageManager.h"
#include "msg_store/ThreadManager.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Ecore.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <map>
#include <memory>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* CONTENT_CHANGED_PREFIX = "content_changed_success";
} // namespace

void MVListViewController::_subscribe() {
    _storeSubscription.clear();
    _storeSubscription.add(msg_store::EVENT_TYPE_STORAGE_CHANGE,
                           [this](const char* payload) { _onStorageChanged(payload); });
    _storeSubscription.add(msg_store::EVENT_TYPE_CONTENT_CHANGED,
                           [this](const char* payload) { _onContentChanged(payload); });
}

void MVListViewController::_onStorageChanged(const char* payload) {
    MCommonStorageChangeParser::ChangeType type{};
    std::map<int, int> ids;
    if (!MCommonStorageChangeParser::parse(payload, MCommonStorageChangeParser::KEY_MESSAGE_ID, &type, ids)) {
        MSG_LOGE("parsing failed");
        return;
    }
    std::vector<int> mine;
    for (const auto& entry : ids) {
        if (entry.second == _threadId)
            mine.push_back(entry.first);
    }
    if (mine.size() > MAX_CHANGES_ONE_BY_ONE) {
        MSG_LOGI("change id cnt(%d) is too many. so reload list.", static_cast<int>(mine.size()));
        if (type == MCommonStorageChangeParser::CHANGE_TYPE_INSERTED)
            _insertedToMark.insert(_insertedToMark.end(), mine.begin(), mine.end());
        _reload();
    } else {
        for (int msgId : mine) {
            _applyChange(type, msgId);
            if (_reloading)
                _changesWhileReloading.emplace_back(type, msgId);
        }
    }
    // Only this conversation's messages change its entries; a delete on the worker changes them
    // once, at its end.
    if (!mine.empty() && !isBgActionRunning() &&
        MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_RESUMED)
        _sendEvent(EVENT_OPTIONS_CHANGED);
}

void MVListViewController::_applyChange(int changeType, int msgId) {
    switch (changeType) {
    case MCommonStorageChangeParser::CHANGE_TYPE_INSERTED:
        _insertMessage(msgId);
        break;
    case MCommonStorageChangeParser::CHANGE_TYPE_UPDATED:
    case MCommonStorageChangeParser::CHANGE_TYPE_REPLACED:
        _updateMessage(msgId);
        break;
    case MCommonStorageChangeParser::CHANGE_TYPE_DELETED:
        _deleteMessage(msgId);
        break;
    default:
        break;
    }
}

void MVListViewController::_reload() {
    if (_reloading) {
        _reloadAgain = true;
        return;
    }
    _reloading = true;
    struct Job {
        int threadId;
        std::weak_ptr<bool> alive;
        MVListViewController* view;
        std::vector<msg_store::Conversation> conversations;
    };
    Ecore_Thread* worker = ecore_thread_run(
        [](void* data, Ecore_Thread*) {
            auto* job = static_cast<Job*>(data);
            msg_store::MessageManager().getConversations(job->threadId, job->conversations);
        },
        [](void* data, Ecore_Thread*) {
            std::unique_ptr<Job> job(static_cast<Job*>(data));
            if (!job->alive.expired())
                job->view->_onReloaded(std::move(job->conversations));
        },
        [](void* data, Ecore_Thread*) { delete static_cast<Job*>(data); },
        new Job{_threadId, _alive, this, {}});
    if (!worker) {
        MSG_LOGW("no worker for the reload: the thread is read here");
        std::vector<msg_store::Conversation> conversations;
        msg_store::MessageManager().getConversations(_threadId, conversations);
        _onReloaded(std::move(conversations));
    }
}

void MVListViewController::_onReloaded(std::vector<msg_store::Conversation>&& conversations) {
    _reloading = false;
    int placeId = 0;
    bool reading = _msgCount > 0 && _readingPlace(placeId);
    int oldCount = _msgCount;
    _msgCount = _model.assign(std::move(conversations));
    // The records replaced may have been thousands: their memory goes back to the system.
    malloc_trim(0);
    int placeIndex = reading ? _model.getIndexOf(placeId) : -1;
    if (_refreshShown()) {
        // Nothing shown moved: the reading place stays as it is.
    } else if (placeIndex < 0) {
        _buildRows(FIRST_SCREEN_SIZE);
        _showEnd();
        _restOfPageWaiting = !_titleItem && _msgCount > 0;
    } else {
        // From the bubble being read down to the newest, and a screen above it.
        _buildRows(std::max(PAGE_SIZE, _msgCount - placeIndex + FIRST_SCREEN_SIZE));
        _restoreReadingPlace(placeId);
    }
    // What changed while the thread was read may have come after the reading.
    std::vector<std::pair<int, int>> changes;
    changes.swap(_changesWhileReloading);
    for (const auto& [type, msgId] : changes)
        _applyChange(type, msgId);
    // Checked messages that went stay unchecked; the count says what is left.
    for (auto it = _checked.begin(); it != _checked.end();)
        it = _model.getIndexOf(*it) < 0 ? _checked.erase(it) : std::next(it);
    if (_select.isOn())
        _updateSelectModeButtons();
    std::vector<int> inserted;
    inserted.swap(_insertedToMark);
    _markThreadRead(inserted);
    if (oldCount > 0 && _msgCount == 0)
        _sendEvent(EVENT_EMPTY);
    if (_reloadAgain) {
        _reloadAgain = false;
        _reload();
    }
}

bool MVListViewController::_refreshShown() {
    Elm_Object_Item* oldest = _oldestShownBubbleItem();
    int from =
        oldest ? _model.getIndexOf(static_cast<MVItemBubble*>(_itemOf(oldest))->getMsgId()) : _msgCount;
    if (from < 0 || _msgCount - from != static_cast<int>(_bubbles.size()) || (_titleItem && from != 0))
        return false;
    std::vector<std::pair<MVItemBubble*, std::shared_ptr<msg_store::Conversation>>> shown;
    for (int i = from; i < _msgCount; ++i) {
        std::shared_ptr<msg_store::Conversation> conv;
        _model.getNthConv(static_cast<unsigned int>(i), conv);
        MVItemBubble* bubble = conv ? findBubble(conv->msgId) : nullptr;
        if (!bubble || bubble->getConv()->time != conv->time)
            return false;
        shown.emplace_back(bubble, conv);
    }
    for (auto& [bubble, conv] : shown) {
        bubble->update(conv);
        elm_genlist_item_update(bubble->getElmObjectItem());
    }
    return true;
}

bool MVListViewController::_readingPlace(int& msgId) const {
    int y = 0, h = 0, contentH = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, &h);
    elm_scroller_child_size_get(_genlist, nullptr, &contentH);
    Elm_Object_Item* end = _firstEndRow();
    Evas_Object* endTrack = end ? elm_object_item_track(end) : nullptr;
    // At the end: the rows under the newest bubble are in view.
    Evas_Coord endY = 0, listY = 0, listH = 0;
    evas_object_geometry_get(_genlist, nullptr, &listY, nullptr, &listH);
    if (endTrack) {
        evas_object_geometry_get(endTrack, nullptr, &endY, nullptr, nullptr);
        elm_object_item_untrack(end);
    }
    if (y + h >= contentH || (endTrack && endY < listY + listH))
        return false;
    // The first bubble that starts in view; else the one the top of the view cuts.
    int inViewId = 0, aboveId = 0;
    Evas_Coord inViewY = INT_MAX, aboveY = INT_MIN;
    for (Elm_Object_Item* item : _realizedItems()) {
        MVItem* row = _itemOf(item);
        Evas_Object* track = row && row->getType() == MVItem::BUBBLE ? elm_object_item_track(item) : nullptr;
        if (!track)
            continue;
        Evas_Coord rowY = 0;
        evas_object_geometry_get(track, nullptr, &rowY, nullptr, nullptr);
        elm_object_item_untrack(item);
        int id = static_cast<MVItemBubble*>(row)->getMsgId();
        if (rowY >= listY && rowY < inViewY) {
            inViewY = rowY;
            inViewId = id;
        } else if (rowY < listY && rowY > aboveY) {
            aboveY = rowY;
            aboveId = id;
        }
    }
    if (!inViewId && !aboveId)
        return false;
    msgId = inViewId ? inViewId : aboveId;
    return true;
}

void MVListViewController::_restoreReadingPlace(int msgId) {
    MVItemBubble* bubble = findBubble(msgId);
    MSG_RET_IF(!bubble, "the bubble read is not in the list");
    elm_genlist_item_show(bubble->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

void MVListViewController::_markThreadRead(const std::vector<int>& insertedIds) {
    if (MCommonAppEventMgr::getInstance()->getAppState() != APP_EVENT_RESUMED)
        return;
    // One write for the whole change, and one journal line per kind of message opened.
    bool sms = false, mms = false;
    for (int msgId : insertedIds) {
        std::shared_ptr<msg_store::Conversation> conv;
        if (!_model.getConvById(msgId, conv) || conv->isRead)
            continue;
        (conv->msgType == "mms" ? mms : sms) = true;
    }
    if (!sms && !mms)
        return;
    msg_store::ThreadManager().readThread(_threadId);
    if (mms)
        journal_log("MESSAGE", ("MMS_MSG_OPENED " + _firstAddress()).c_str());
    if (sms)
        journal_log("MESSAGE", "SMS_MSG_OPENED");
}

void MVListViewController::_onContentChanged(const char* payload) {
    size_t prefixLen = strlen(CONTENT_CHANGED_PREFIX);
    MSG_RET_IF(strncmp(payload, CONTENT_CHANGED_PREFIX, prefixLen) != 0 || payload[prefixLen] == '\0',
               "not a content change");
    const char* idText = payload + prefixLen + 1;
    char* end = nullptr;
    long msgId = strtol(idText, &end, 10);
    MSG_RET_IF(end == idText || *end != '\0' || msgId <= 0 || msgId > INT32_MAX, "invalid message id [%s]",
               idText);
    if (_model.getIndexOf(static_cast<int>(msgId)) >= 0)
        _updateMessage(static_cast<int>(msgId));
}

void MVListViewController::_insertMessage(int msgId) {
    if (_model.getIndexOf(msgId) >= 0) {
        MSG_LOGW("msgId [%d] already exists!!", msgId);
        return;
    }
    std::shared_ptr<msg_store::Conversation> conv;
    if (!_model.add(msgId, conv) || !conv) {
        MSG_LOGE("conv data is nullptr");
        return;
    }
    _msgCount = _model.getCount();
    _markRead(*conv);
    _addBubble(conv);
}

void MVListViewController::_markRead(const msg_store::Conversation& conv) {
    if (MCommonAppEventMgr::getInstance()->getAppState() != APP_EVENT_RESUMED || conv.isRead)
        return;
    msg_store::MessageManager().readMessage(conv.msgId);
    if (conv.msgType == "mms")
        journal_log("MESSAGE", ("MMS_MSG_OPENED " + _firstAddress()).c_str());
    else
        journal_log("MESSAGE", "SMS_MSG_OPENED");
}

void MVListViewController::_updateMessage(int msgId) {
    std::shared_ptr<msg_store::Conversation> held;
    if (!_model.getConvById(msgId, held)) {
        // A message that joins the thread by an update (restored from spam, say) is new here.
        _insertMessage(msgId);
        return;
    }
    int64_t oldTime = held->time;
    std::shared_ptr<msg_store::Conversation> conv;
    if (!_model.update(msgId, conv) || !conv) {
        MSG_LOGE("conv is nullptr");
        return;
    }
    if (msg_store::isSpamFolder(conv->folderType)) {
        _deleteMessage(msgId);
        return;
    }
    if (conv->time != oldTime) {
        // The model keeps time order, which the paging relies on: the message moves there too.
        _deleteBubble(msgId);
        _model.remove(msgId);
        if (_model.add(msgId, conv) && conv)
            _addBubble(conv);
        _msgCount = _model.getCount();
        return;
    }
    if (MVItemBubble* bubble = findBubble(msgId)) {
        bubble->update(conv);
        elm_genlist_item_update(bubble->getElmObjectItem());
    }
}

void MVListViewController::_deleteMessage(int msgId) {
    std::shared_ptr<msg_store::Conversation> conv;
    if (_model.getConvById(msgId, conv) && conv) {
        // A clip of a message that is gone stops with it.
        MVSoundPlayer* player = MVSoundPlayer::getInstance();
        for (const msg_store::Content& content : conv->contents) {
            if (player->isCurrent(content))
                player->stop();
        }
    }
    _model.remove(msgId);
    _msgCount = _model.getCount();
    _deleteBubble(msgId);
    if (_checked.erase(msgId) && _select.isOn())
        _updateSelectModeButtons();
    if (_msgCount == 0)
        _sendEvent(EVENT_EMPTY);
}

void MVListViewController::_addBubble(const std::shared_ptr<msg_store::Conversation>& conv) {
    // Older than every bubble shown while older pages wait: the paging brings it in its turn.
    Elm_Object_Item* oldest = _oldestShownBubbleItem();
    if (!_titleItem && oldest && conv->time < static_cast<MVItemBubble*>(_itemOf(oldest))->getConv()->time)
        return;
    std::unique_ptr<MVItemBubble> created = _createBubble(conv->msgId);
    MSG_RET_IF(!created, "!newItem");
    MVItemBubble* bubble = created.get();
    Elm_Object_Item* next = _rowAfter(conv->msgId);
    Elm_Object_Item* prev = next ? elm_genlist_item_prev_get(next) : elm_genlist_last_item_get(_genlist);
    time_t seconds = static_cast<time_t>(conv->time / 1000);
    MVItem* nextRow = _itemOf(next);
    if (nextRow && nextRow->getType() == MVItem::BUBBLE &&
        !MVItemDateLine::isSameDay(static_cast<MVItemBubble*>(nextRow)->getTime(), seconds)) {
        // The date line right above the next bubble belongs to its day.
        while (prev && _itemOf(prev)->getType() == MVItem::DATE_LINE) {
            next = prev;
            prev = elm_genlist_item_prev_get(prev);
        }
    }
    MVItem* prevRow = _itemOf(prev);
    bool needsDateLine = !prevRow || prevRow->getType() != MVItem::DATE_LINE;
    if (prevRow && prevRow->getType() == MVItem::BUBBLE &&
        MVItemDateLine::isSameDay(static_cast<MVItemBubble*>(prevRow)->getTime(), seconds))
        needsDateLine = false;
    if (needsDateLine)
        wgenlist_item_insert_before(_genlist, nullptr,
                                    std::make_unique<MVItemDateLine>(static_cast<long>(seconds)), next,
                                    ELM_GENLIST_ITEM_NONE);
    Elm_Object_Item* item =
        wgenlist_item_insert_before(_genlist, nullptr, std::move(created), next, ELM_GENLIST_ITEM_NONE);
    if (!item)
        return;
    _indexBubble(bubble);
    ++_loadedCount;
    elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

void MVListViewController::_deleteBubble(int msgId) {
    MVItemBubble* bubble = findBubble(msgId);
    if (!bubble)
        return;
    Elm_Object_Item* item = bubble->getElmObjectItem();
    Elm_Object_Item* above = elm_genlist_item_prev_get(item);
    Elm_Object_Item* below = elm_genlist_item_next_get(item);
    MVItem* belowRow = _itemOf(below);
    if (above && _itemOf(above)->getType() == MVItem::DATE_LINE &&
        (!belowRow || belowRow->getType() != MVItem::BUBBLE))
        elm_object_item_del(above);
    elm_object_item_del(item);
    --_loadedCount;
    _remeasureLater();
}

void MVListViewController::_remeasureLater() {
    // Else the end of the list was left blank past the last bubble, out of the bezel's reach.
    common_ui_helper::remeasure_genlist_later(_genlist, _remeasureTimer);
}

Elm_Object_Item* MVListViewController::_rowAfter(int msgId) const {
    std::shared_ptr<msg_store::Conversation> newer;
    int index = _model.getIndexOf(msgId);
    if (index < 0 || index + 1 >= _model.getCount() ||
        !_model.getNthConv(static_cast<unsigned int>(index) + 1, newer))
        return _firstEndRow();
    if (MVItemBubble* bubble = findBubble(newer->msgId))
        return bubble->getElmObjectItem();
    // Its newer neighbour has no bubble (it could not be built): the first later bubble.
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = _itemOf(it);
        if (row && (row->getType() >= MVItem::REPLY ||
                    (row->getType() == MVItem::BUBBLE &&
                     _model.getIndexOf(static_cast<MVItemBubble*>(row)->getMsgId()) > index)))
            return it;
    }
    return nullptr;
}

Elm_Object_Item* MVListViewController::_firstEndRow() const {
    Elm_Object_Item* first = nullptr;
    for (Elm_Object_Item* it = elm_genlist_last_item_get(_genlist); it; it = elm_genlist_item_prev_get(it)) {
        MVItem* row = _itemOf(it);
        if (!row || row->getType() < MVItem::REPLY)
            break;
        first = it;
    }
    return first;
}

void MVListViewController::_refreshTimes() {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = _itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            static_cast<MVItemBubble*>(row)->updateDateTimeFormat();
    }
    elm_genlist_realized_items_update(_genlist);
}

} // namespace msg_viewer
} // namespace msg_app
