#include "list/MLListModel.h"

#include "common/CommonUtil.h"
#include "common/MCommonMsgStore.h"
#include "common/MsgLog.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/ListCondition.h"

namespace msg_app {
namespace msg_list {

namespace {
constexpr int64_t MS_PER_SECOND = 1000;
} // namespace

MLListModel::MLListModel(ListType listType, MCommonMsgStore& store)
    : _store(store), _dataType(listType == LIST_TYPE_THREAD ? THREAD : MSG),
      _filter(listType == LIST_TYPE_BLOCKED_MSG ? SPAM : NONE) {}

// A list read once is kept until clear(), empty or not; a failed read is reported and read again
// on the next call.
bool MLListModel::load() {
    if (_isLoaded) {
        MSG_LOGD("data load is already done.");
        return true;
    }
    bool preloaded = false;
    bool read = _dataType == THREAD ? _loadThreads(preloaded) : _loadMessages();
    if (!read)
        return false;
    if (!preloaded)
        _loadTime = time(nullptr);
    _isLoaded = true;
    return true;
}

// Sets `fromPreload` when the preload's reading was taken over, which brings its own load time.
bool MLListModel::_loadThreads(bool& fromPreload) {
    _threads = std::make_shared<std::vector<msg_store::Thread>>();
    if (MLThreadListBgLoad::getState() == MLThreadListBgLoad::STARTED) {
        _reading = MLThreadListBgLoad::getInstance()->takeReading();
        // The first page, or all there is: enough to tell an empty list and show the first screens.
        _takeRead(MLThreadListBgLoad::FIRST_PAGE);
        _loadTime = _reading ? _reading->loadTime() : time(nullptr);
        MSG_LOGI("loaded from MLThreadListBgLoad");
        fromPreload = true;
        return true;
    }
    if (_store.threads.getAllThreads(*_threads) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("getAllThreads() is failed.");
        _threads.reset();
        return false;
    }
    _count = static_cast<int>(_threads->size());
    MSG_LOGD("_threads count = %d", _count);
    return true;
}

void MLListModel::_takeRead(size_t wanted) {
    if (!_reading)
        return;
    if (!_reading->take(*_threads, wanted)) {
        if (!_reading->succeeded())
            MSG_LOGE("the preload could not read every conversation");
        // Ended: letting go joins the worker, which is done.
        _reading.reset();
    }
    _count = static_cast<int>(_threads->size());
}

bool MLListModel::_loadMessages() {
    _msgs = std::make_shared<std::vector<msg_store::Message>>();
    msg_store::ListCondition condition;
    condition.newestFirst = 1;
    condition.folderFilter = _filter == SPAM ? msg_store::FOLDER_WATCH_SPAM : msg_store::FOLDER_NONE;
    if (_store.messages.getMessages(condition, *_msgs) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("getMessages() is failed.");
        _msgs.reset();
        return false;
    }
    _count = static_cast<int>(_msgs->size());
    MSG_LOGD("filter(%d:NONE(0), SPAM(1)), _msgs count = %d", _filter, _count);
    return true;
}

void MLListModel::clear() {
    _reading.reset();
    if (_dataType == THREAD)
        _threads.reset();
    else
        _msgs.reset();
    _count = 0;
    _handedOut = 0;
    _loadTime = 0;
    _cachedIndex = INVALID_ID;
    _isLoaded = false;
}

int MLListModel::getItemId(int index) {
    if (index < 0 || index >= _count) {
        MSG_LOGE("invalid index(%d)", index);
        return INVALID_ID;
    }
    _cachedIndex = index;
    if (_dataType == THREAD)
        return _threads ? (*_threads)[index].threadId : INVALID_ID;
    return _msgs ? (*_msgs)[index].msgId : INVALID_ID;
}

int MLListModel::handOutNext(bool wait) {
    if (_isLoaded && _handedOut == _count && _reading) {
        _reading->readOn();
        _takeRead(wait ? 1 : 0);
    }
    if (!_isLoaded || _handedOut >= _count)
        return INVALID_ID;
    return getItemId(_handedOut++);
}

template <typename Record, typename IdOf>
bool MLListModel::_findById(const std::vector<Record>* records, int id, IdOf idOf, Record& out) const {
    if (!records)
        return false;
    if (_cachedIndex >= 0 && _cachedIndex < static_cast<int>(records->size()) &&
        idOf((*records)[_cachedIndex]) == id) {
        out = (*records)[_cachedIndex];
        return true;
    }
    for (const Record& record : *records) {
        if (idOf(record) == id) {
            out = record;
            return true;
        }
    }
    MSG_LOGW("not found (%d)", id);
    return false;
}

bool MLListModel::getThreadById(int threadId, msg_store::Thread& out) {
    MSG_RETV_IF(_dataType != THREAD, false, "dataType is not THREAD");
    return _findById(
        _threads.get(), threadId, [](const msg_store::Thread& t) { return t.threadId; }, out);
}

bool MLListModel::getMessageById(int msgId, msg_store::Message& out) {
    MSG_RETV_IF(_dataType != MSG, false, "dataType is not MSG");
    return _findById(
        _msgs.get(), msgId, [](const msg_store::Message& m) { return m.msgId; }, out);
}

bool MLListModel::deleteItem(int id) const {
    if (_dataType == THREAD) {
        if (_store.threads.deleteThread(id) != msg_store::MSG_STORE_SUCCESS) {
            MSG_LOGE("deleteThread() is failed.");
            return false;
        }
        return true;
    }
    if (_store.messages.deleteMessage(id) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("deleteMessage() is failed.");
        return false;
    }
    return true;
}

bool MLListModel::restoreMsg(int id) const {
    if (common_util::restore_blocked_message(_store, id) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("restoreBlockedMessage() is failed.");
        return false;
    }
    return true;
}

// It may have gone and come back under the same id with messages the user never saw.
bool MLListModel::isUnchangedSince(int id, time_t seenTime) const {
    if (_dataType == THREAD) {
        msg_store::Thread thread;
        if (_store.threads.getThread(id, thread) != msg_store::MSG_STORE_SUCCESS || thread.msgCount == 0)
            return false;
        return thread.time / MS_PER_SECOND <= static_cast<int64_t>(seenTime);
    }
    msg_store::Message msg;
    return _store.messages.getMessage(id, msg) == msg_store::MSG_STORE_SUCCESS &&
           msg_store::isSpamFolder(msg.folderType);
}

} // namespace msg_list
} // namespace msg_app
