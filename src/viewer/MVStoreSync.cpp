#include "viewer/MVStoreSync.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MCommonMsgStore.h"
#include "common/MCommonStorageChangeParser.h"
#include "common/MsgLog.h"
#include "journal.h"
#include "viewer/MVBubbleRows.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"
#include "viewer/MVSelectMode.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Ecore.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <map>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* CONTENT_CHANGED_PREFIX = "content_changed_success";

bool isResumed() {
    return MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_RESUMED;
}
} // namespace

MVStoreSync::MVStoreSync(MVListModel& model, MVBubbleRows& rows, MVSelectMode& select, Host host)
    : _model(model), _rows(rows), _select(select), _host(std::move(host)) {}

MVStoreSync::~MVStoreSync() = default;

void MVStoreSync::start() {
    _subscription.clear();
    _subscription.add(msg_store::EVENT_TYPE_STORAGE_CHANGE,
                      [this](const char* payload) { _onStorageChanged(payload); });
    _subscription.add(msg_store::EVENT_TYPE_CONTENT_CHANGED,
                      [this](const char* payload) { _onContentChanged(payload); });
}

void MVStoreSync::stop() {
    _subscription.clear();
    _alive.reset();
}

void MVStoreSync::_onStorageChanged(const char* payload) {
    MCommonStorageChangeParser::ChangeType type{};
    std::map<int, int> ids;
    if (!MCommonStorageChangeParser::parse(payload, MCommonStorageChangeParser::KEY_MESSAGE_ID, &type, ids)) {
        MSG_LOGE("parsing failed");
        return;
    }
    std::vector<int> mine;
    for (const auto& entry : ids) {
        if (entry.second == _model.getThreadId())
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
    if (!mine.empty() && !_select.isBgActionRunning() && isResumed())
        _host.optionsChanged();
}

void MVStoreSync::_applyChange(int changeType, int msgId) {
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

void MVStoreSync::readRest() {
    // A reload under way reads every message anyway.
    if (!_model.isWhole() && !_reloading)
        _read(true);
}

void MVStoreSync::_reload() {
    if (_reloading) {
        _reloadAgain = true;
        return;
    }
    _read(false);
}

void MVStoreSync::_read(bool rest) {
    _reloading = true;
    struct Job {
        MVListModel::RestStart start; // the whole thread when not `rest`
        bool rest;
        std::weak_ptr<char> alive;
        MVStoreSync* sync;
        std::vector<msg_store::Conversation> conversations;
    };
    Ecore_Thread* worker = ecore_thread_run(
        [](void* data, Ecore_Thread*) {
            auto* job = static_cast<Job*>(data);
            // The worker's own clients, never the main loop's.
            MCommonMsgStore store;
            if (job->rest)
                MVListModel::fetchRest(store, job->start, job->conversations);
            else
                store.messages.getConversations(job->start.threadId, job->conversations);
        },
        [](void* data, Ecore_Thread*) {
            std::unique_ptr<Job> job(static_cast<Job*>(data));
            if (job->alive.expired())
                return;
            if (job->rest)
                job->sync->_onRestRead(std::move(job->conversations));
            else
                job->sync->_onReloaded(std::move(job->conversations));
        },
        [](void* data, Ecore_Thread*) { delete static_cast<Job*>(data); },
        new Job{rest ? _model.getRestStart() : MVListModel::RestStart{_model.getThreadId(), 0, 0},
                rest,
                _alive,
                this,
                {}});
    if (worker)
        return;
    MSG_LOGW("no worker to read the thread: it is read here");
    std::vector<msg_store::Conversation> conversations;
    if (rest) {
        _model.readRest();
        _onRestRead({});
    } else {
        _model.fetch(conversations);
        _onReloaded(std::move(conversations));
    }
}

void MVStoreSync::_onRestRead(std::vector<msg_store::Conversation>&& older) {
    _reloading = false;
    _model.takeRest(std::move(older));
    _applyChangesWhileReading();
    if (_reloadAgain) {
        _reloadAgain = false;
        _reload();
    }
}

void MVStoreSync::_applyChangesWhileReading() {
    std::vector<std::pair<int, int>> changes;
    changes.swap(_changesWhileReloading);
    for (const auto& [type, msgId] : changes)
        _applyChange(type, msgId);
}

void MVStoreSync::_onReloaded(std::vector<msg_store::Conversation>&& conversations) {
    _reloading = false;
    int placeId = 0;
    const int oldCount = _model.getCount();
    bool reading = oldCount > 0 && _rows.readingPlace(placeId);
    _model.assign(std::move(conversations));
    // The records replaced may have been thousands: their memory goes back to the system.
    malloc_trim(0);
    // Nothing shown moved: the reading place stays as it is.
    if (!_rows.refreshShown(_host.allPagesIn()))
        _host.rebuild(reading && _model.getIndexOf(placeId) >= 0 ? placeId : 0);
    // What changed while the thread was read may have come after the reading.
    _applyChangesWhileReading();
    _select.forgetGone();
    std::vector<int> inserted;
    inserted.swap(_insertedToMark);
    _markThreadRead(inserted);
    if (oldCount > 0 && _model.getCount() == 0)
        _host.emptied();
    if (_reloadAgain) {
        _reloadAgain = false;
        _reload();
    }
}

void MVStoreSync::_markThreadRead(const std::vector<int>& insertedIds) {
    if (!isResumed())
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
    _model.readThread();
    if (mms)
        journal_log("MESSAGE", ("MMS_MSG_OPENED " + _host.firstAddress()).c_str());
    if (sms)
        journal_log("MESSAGE", "SMS_MSG_OPENED");
}

void MVStoreSync::_onContentChanged(const char* payload) {
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

void MVStoreSync::_insertMessage(int msgId) {
    if (_model.getIndexOf(msgId) >= 0) {
        MSG_LOGW("msgId [%d] already exists!!", msgId);
        return;
    }
    std::shared_ptr<msg_store::Conversation> conv;
    if (!_model.add(msgId, conv) || !conv) {
        MSG_LOGE("conv data is nullptr");
        return;
    }
    _markRead(*conv);
    _addBubble(conv);
}

void MVStoreSync::_markRead(const msg_store::Conversation& conv) {
    if (!isResumed() || conv.isRead)
        return;
    _model.readMessage(conv.msgId);
    if (conv.msgType == "mms")
        journal_log("MESSAGE", ("MMS_MSG_OPENED " + _host.firstAddress()).c_str());
    else
        journal_log("MESSAGE", "SMS_MSG_OPENED");
}

void MVStoreSync::_updateMessage(int msgId) {
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
        _rows.remove(msgId);
        _model.remove(msgId);
        if (_model.add(msgId, conv) && conv)
            _addBubble(conv);
        return;
    }
    if (MVItemBubble* bubble = _rows.find(msgId)) {
        bubble->update(conv);
        elm_genlist_item_update(bubble->getElmObjectItem());
    }
}

void MVStoreSync::_deleteMessage(int msgId) {
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
    _rows.remove(msgId);
    _select.forget(msgId);
    if (_model.getCount() == 0)
        _host.emptied();
}

void MVStoreSync::_addBubble(const std::shared_ptr<msg_store::Conversation>& conv) {
    // Older than every bubble shown while older pages wait: the paging brings it in its turn.
    MVItemBubble* oldest = _rows.oldest();
    if (!_host.allPagesIn() && oldest && conv->time < oldest->getConv()->time)
        return;
    std::unique_ptr<MVItemBubble> bubble = _host.createBubble(conv->msgId);
    MSG_RET_IF(!bubble, "!newItem");
    _rows.insert(std::move(bubble));
}

} // namespace msg_viewer
} // namespace msg_app
