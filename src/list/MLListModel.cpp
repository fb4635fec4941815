#include "list/MLListModel.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/ListCondition.h"
#include "msg_store/MessageManager.h"
#include "msg_store/ThreadManager.h"

namespace msg_app {
namespace msg_list {

MLListModel::MLListModel(ListType listType)
    : _dataType(listType == LIST_TYPE_THREAD ? THREAD : MSG),
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

// Sets `fromPreload` when the preloaded list was taken, which brings its own load time.
bool MLListModel::_loadThreads(bool& fromPreload) {
    if (MLThreadListBgLoad::getState() != MLThreadListBgLoad::NONE) {
        std::shared_ptr<std::vector<msg_store::Thread>> preloaded;
        MLThreadListBgLoad* loader = MLThreadListBgLoad::getInstance();
        time_t loadTime = loader->getLoadTime();
        loader->getThreads(preloaded);
        if (preloaded) {
            _threads = preloaded;
            _loadTime = loadTime;
            _count = static_cast<int>(_threads->size());
            MSG_LOGI("loaded from MLThreadListBgLoad");
            fromPreload = true;
            return true;
        }
    }
    _threads = std::make_shared<std::vector<msg_store::Thread>>();
    if (msg_store::ThreadManager().getAllThreads(*_threads) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("getAllThreads() is failed.");
        _threads.reset();
        return false;
    }
    _count = static_cast<int>(_threads->size());
    MSG_LOGD("_threads count = %d", _count);
    return true;
}

bool MLListModel::_loadMessages() {
    _msgs = std::make_shared<std::vector<msg_store::Message>>();
    msg_store::ListCondition condition;
    condition.newestFirst = 1;
    condition.folderFilter = _filter == SPAM ? msg_store::FOLDER_WATCH_SPAM : msg_store::FOLDER_NONE;
    if (msg_store::MessageManager().getMessages(condition, *_msgs) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("getMessages() is failed.");
        _msgs.reset();
        return false;
    }
    _count = static_cast<int>(_msgs->size());
    MSG_LOGD("filter(%d:NONE(0), SPAM(1)), _msgs count = %d", _filter, _count);
    return true;
}

void MLListModel::clear() {
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

int MLListModel::handOutNext() {
    if (!hasMoreToHandOut())
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
        if (msg_store::ThreadManager().deleteThread(id) != msg_store::MSG_STORE_SUCCESS) {
            MSG_LOGE("deleteThread() is failed.");
            return false;
        }
        return true;
    }
    if (msg_store::MessageManager().deleteMessage(id) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("deleteMessage() is failed.");
        return false;
    }
    return true;
}

bool MLListModel::restoreMsg(int id) const {
    if (common_util::restore_blocked_message(id) != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("restoreBlockedMessage() is failed.");
        return false;
    }
    return true;
}

} // namespace msg_list
} // namespace msg_app
