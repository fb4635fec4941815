// Keeping the bubbles in step with the message store.
#include "viewer/MVListViewController.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "journal.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MessageManager.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/media/MVSoundPlayer.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* CONTENT_CHANGED_PREFIX = "content_changed_success";
} // namespace

void MVListViewController::_subscribe() {
    struct Subscription {
        msg_store::EventType type;
        msg_store::EventCallback callback;
        const char* failure;
    } subscriptions[] = {
        {msg_store::EVENT_TYPE_STORAGE_CHANGE, _storageChangedCb,
         "Fail to msg_store::ConnectionManager::subscribeEvent storage_change"},
        {msg_store::EVENT_TYPE_CONTENT_CHANGED, _contentChangedCb,
         "Fail to msg_store::ConnectionManager::subscribeEvent content_changed"},
    };
    for (const Subscription& s : subscriptions) {
        msg_store::ConnectionManager::unsubscribeEvent(s.type, s.callback, this);
        if (msg_store::ConnectionManager::subscribeEvent(s.type, s.callback, this) !=
            msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("%s", s.failure);
    }
    _isSubscribed = true;
}

void MVListViewController::_unsubscribe() {
    if (!_isSubscribed)
        return;
    msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, _storageChangedCb,
                                                   this);
    msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_CONTENT_CHANGED, _contentChangedCb,
                                                   this);
    _isSubscribed = false;
}

void MVListViewController::_storageChangedCb(const char* payload, void* data) {
    MSG_RET_IF(!payload || !data, "payload or data is null");
    static_cast<MVListViewController*>(data)->_onStorageChanged(payload);
}

void MVListViewController::_contentChangedCb(const char* payload, void* data) {
    MSG_RET_IF(!payload || !data, "payload or data is null");
    static_cast<MVListViewController*>(data)->_onContentChanged(payload);
}

void MVListViewController::_onStorageChanged(const char* payload) {
    MCommonStorageChangeParser::ChangeType type{};
    std::map<int, int> ids;
    if (!MCommonStorageChangeParser::parse(payload, MCommonStorageChangeParser::KEY_MESSAGE_ID, &type, ids)) {
        MSG_LOGE("parsing failed");
        return;
    }
    bool ours = false;
    for (const auto& entry : ids) {
        if (entry.second != _threadId)
            continue;
        ours = true;
        switch (type) {
        case MCommonStorageChangeParser::CHANGE_TYPE_INSERTED:
            _insertMessage(entry.first);
            break;
        case MCommonStorageChangeParser::CHANGE_TYPE_UPDATED:
        case MCommonStorageChangeParser::CHANGE_TYPE_REPLACED:
            _updateMessage(entry.first);
            break;
        case MCommonStorageChangeParser::CHANGE_TYPE_DELETED:
            _deleteMessage(entry.first);
            break;
        default:
            break;
        }
    }
    // Only this conversation's messages change its entries; a delete on the worker changes them
    // once, at its end.
    if (ours && !isBgDeleteRunning() && MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_RESUMED)
        _sendEvent(EVENT_OPTIONS_CHANGED);
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
    if (_selected.erase(msgId) && _viewType == VIEW_TYPE_SELECT)
        _updateSelectModeButtons();
    if (_msgCount == 0)
        _sendEvent(EVENT_EMPTY);
}

void MVListViewController::_addBubble(const std::shared_ptr<msg_store::Conversation>& conv) {
    // Older than every bubble shown while older pages wait: the paging brings it in its turn.
    Elm_Object_Item* oldest = _oldestShownBubbleItem();
    if (!_titleItem && oldest && conv->time < static_cast<MVItemBubble*>(_itemOf(oldest))->getConv()->time)
        return;
    MVItemBubble* bubble = _createBubble(conv->msgId);
    MSG_RET_IF(!bubble, "!newItem");
    Elm_Object_Item* next = nullptr;
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = _itemOf(it);
        if (!row)
            continue;
        if (row->getType() >= MVItem::REPLY ||
            (row->getType() == MVItem::BUBBLE &&
             static_cast<MVItemBubble*>(row)->getConv()->time > conv->time)) {
            next = it;
            break;
        }
    }
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
    if (needsDateLine) {
        auto* line = new MVItemDateLine(static_cast<long>(seconds));
        if (!wgenlist_item_insert_before(_genlist, nullptr, line, next, ELM_GENLIST_ITEM_NONE))
            delete line;
    }
    Elm_Object_Item* item =
        wgenlist_item_insert_before(_genlist, nullptr, bubble, next, ELM_GENLIST_ITEM_NONE);
    if (!item) {
        delete bubble;
        return;
    }
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
