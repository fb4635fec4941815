#include "viewer/MVListModel.h"

#include "common/MsgLog.h"
#include "msg_store/MsgStore.h"

#include <algorithm>
#include <set>

namespace msg_app {
namespace msg_viewer {

MVListModel::MVListModel(int threadId, MCommonMsgStore& store) : _store(store), _threadId(threadId) {}

MVListModel::~MVListModel() = default;

int MVListModel::load() {
    MSG_LOGI("_threadId [%d]", _threadId);
    std::vector<msg_store::Conversation> conversations;
    fetch(conversations);
    return assign(std::move(conversations));
}

void MVListModel::fetch(std::vector<msg_store::Conversation>& out) const {
    if (_store.messages.getConversations(_threadId, out) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("getConversations(%d) failed", _threadId);
}

int MVListModel::loadNewest(int count) {
    MSG_LOGI("_threadId [%d], newest [%d]", _threadId, count);
    std::vector<msg_store::Conversation> conversations;
    // One more than asked tells whether there is a rest to read.
    if (_store.messages.getConversationsBefore(_threadId, 0, 0, count + 1, conversations) !=
        msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("getConversationsBefore(%d) failed", _threadId);
    bool whole = static_cast<int>(conversations.size()) <= count;
    RestStart start{_threadId, 0, 0};
    if (!whole) {
        conversations.erase(conversations.begin());
        start.time = conversations.front().time;
        start.msgId = conversations.front().msgId;
    }
    int held = assign(std::move(conversations));
    _whole = whole;
    _restStart = start;
    return held;
}

bool MVListModel::fetchRest(MCommonMsgStore& store, const RestStart& start,
                            std::vector<msg_store::Conversation>& out) {
    int err = store.messages.getConversationsBefore(start.threadId, start.time, start.msgId, 0, out);
    MSG_RETV_IF(err != msg_store::MSG_STORE_SUCCESS, false, "getConversationsBefore(%d) failed (%d)",
                start.threadId, err);
    return true;
}

void MVListModel::readRest() {
    if (_whole)
        return;
    std::vector<msg_store::Conversation> older;
    fetchRest(_store, _restStart, older);
    takeRest(std::move(older));
}

void MVListModel::takeRest(std::vector<msg_store::Conversation>&& older) {
    if (_whole)
        return;
    _whole = true;
    std::vector<ConvPtr> records;
    records.reserve(older.size() + _conversations.size());
    for (msg_store::Conversation& conv : older) {
        if (_byId.count(conv.msgId))
            continue;
        records.push_back(std::make_shared<msg_store::Conversation>(std::move(conv)));
        _index(records.back());
    }
    // Both runs are in time order; a message of the same time read with the rest goes first, as
    // a whole read orders them (by id).
    auto taken = static_cast<std::ptrdiff_t>(records.size());
    records.insert(records.end(), _conversations.begin(), _conversations.end());
    std::inplace_merge(records.begin(), records.begin() + taken, records.end(),
                       [](const ConvPtr& a, const ConvPtr& b) { return a->time < b->time; });
    _conversations.swap(records);
    _msgCount = static_cast<int>(_conversations.size());
    MSG_LOGI("conversation message count [%d] with the rest", _msgCount);
}

int MVListModel::assign(std::vector<msg_store::Conversation>&& conversations) {
    _conversations.clear();
    _byId.clear();
    _whole = true;
    if (conversations.empty()) {
        MSG_LOGW("conversations is empty");
        _msgCount = 0;
        return 0;
    }
    _conversations.reserve(conversations.size());
    _byId.reserve(conversations.size());
    for (msg_store::Conversation& conv : conversations) {
        _conversations.push_back(std::make_shared<msg_store::Conversation>(std::move(conv)));
        _index(_conversations.back());
    }
    _msgCount = static_cast<int>(_conversations.size());
    MSG_LOGW("conversation message count [%d]", _msgCount);
    return _msgCount;
}

bool MVListModel::add(int msgId, ConvPtr& out) {
    MSG_LOGI("msgId [%d]", msgId);
    auto conv = std::make_shared<msg_store::Conversation>();
    if (_store.messages.getConversation(msgId, *conv) != msg_store::MSG_STORE_SUCCESS ||
        conv->msgId != msgId) {
        MSG_LOGW("msgId [%d] is not in the store", msgId);
        return false;
    }
    // The store leaves spam out of a thread; showing it live would lose it on the next load.
    if (msg_store::isSpamFolder(conv->folderType)) {
        MSG_LOGW("SPAM message is not contained converstaion view");
        return false;
    }
    auto next = std::upper_bound(_conversations.begin(), _conversations.end(), conv->time,
                                 [](int64_t time, const ConvPtr& held) { return time < held->time; });
    _conversations.insert(next, conv);
    _index(conv);
    ++_msgCount;
    out = conv;
    return true;
}

bool MVListModel::update(int msgId, ConvPtr& out) {
    MSG_LOGI("msgId [%d]", msgId);
    auto conv = std::make_shared<msg_store::Conversation>();
    _store.messages.getConversation(msgId, *conv);
    int index = getIndexOf(conv->msgId);
    if (index < 0)
        return false;
    _conversations[index] = conv;
    _index(conv);
    out = conv;
    return true;
}

void MVListModel::remove(int msgId) {
    MSG_LOGI("msgId [%d]", msgId);
    int index = getIndexOf(msgId);
    if (index < 0) {
        MSG_LOGW("it couldn't find msg from _conversations");
        return;
    }
    _conversations.erase(_conversations.begin() + index);
    _byId.erase(msgId);
    --_msgCount;
}

void MVListModel::clear() {
    _whole = true;
    _conversations.clear();
    _byId.clear();
    _threadId = 0;
    _msgCount = 0;
}

bool MVListModel::isWholeThread(const std::vector<int>& ids) const {
    // The count rules the whole thread out cheaply, since a long conversation holds thousands.
    msg_store::Thread thread;
    if (_store.threads.getThread(_threadId, thread) == msg_store::MSG_STORE_SUCCESS &&
        thread.msgCount != static_cast<int>(ids.size()))
        return false;
    std::vector<msg_store::Conversation> stored;
    std::set<int> storedIds;
    if (_store.messages.getConversations(_threadId, stored) == msg_store::MSG_STORE_SUCCESS) {
        for (const msg_store::Conversation& conv : stored)
            storedIds.insert(conv.msgId);
    }
    return storedIds == std::set<int>(ids.begin(), ids.end());
}

bool MVListModel::deleteMessage(int msgId) {
    int err = _store.messages.deleteMessage(msgId);
    MSG_RETV_IF(err != msg_store::MSG_STORE_SUCCESS, false, "deleteMessage(%d) failed (%d)", msgId, err);
    return true;
}

bool MVListModel::deleteThread() {
    int err = _store.threads.deleteThread(_threadId);
    MSG_RETV_IF(err != msg_store::MSG_STORE_SUCCESS, false, "deleteThread(%d) failed (%d)", _threadId, err);
    return true;
}

void MVListModel::readMessage(int msgId) {
    if (_store.messages.readMessage(msgId) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("readMessage(%d) failed", msgId);
}

void MVListModel::readThread() {
    if (_store.threads.readThread(_threadId) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("readThread(%d) failed", _threadId);
}

bool MVListModel::exportToPhone(int msgId) {
    int err = _store.messages.exportMessageToPhone(msgId);
    MSG_RETV_IF(err != msg_store::MSG_STORE_SUCCESS, false, "exportMessageToPhone(%d) is failed (%d)", msgId,
                err);
    return true;
}

bool MVListModel::showOnPhone(int msgId) {
    int err = _store.operations.showOnDevice(msgId);
    MSG_RETV_IF(err != msg_store::MSG_STORE_SUCCESS, false, "showOnDevice failed (%d), msgId (%d)", err,
                msgId);
    return true;
}

int MVListModel::getMsgId(unsigned int index) const {
    ConvPtr conv;
    return _getConvByIndex(index, conv) ? conv->msgId : 0;
}

int MVListModel::getIndexOf(int msgId) const {
    auto held = _byId.find(msgId);
    if (held == _byId.end())
        return -1;
    // Among the messages of its time (usually itself alone).
    int64_t time = held->second->time;
    auto first = std::lower_bound(_conversations.begin(), _conversations.end(), time,
                                  [](const ConvPtr& conv, int64_t t) { return conv->time < t; });
    for (auto it = first; it != _conversations.end() && (*it)->time == time; ++it) {
        if ((*it)->msgId == msgId)
            return static_cast<int>(it - _conversations.begin());
    }
    // An update that changed its time left it at its old place until it is added again.
    auto it = std::find_if(_conversations.begin(), _conversations.end(),
                           [msgId](const ConvPtr& conv) { return conv->msgId == msgId; });
    return it == _conversations.end() ? -1 : static_cast<int>(it - _conversations.begin());
}

bool MVListModel::_getConvByIndex(unsigned int index, ConvPtr& out) const {
    MSG_RETV_IF(index >= static_cast<unsigned int>(getCount()), false, "Invalid index [%d]", index);
    out = _conversations[index];
    return true;
}

bool MVListModel::getNthConv(unsigned int n, ConvPtr& out) const {
    MSG_RETV_IF(n >= _conversations.size(), false, "Invalid index n [%d]", n);
    out = _conversations[n];
    return true;
}

bool MVListModel::getLatestConv(ConvPtr& out) const {
    if (_conversations.empty()) {
        MSG_LOGE("size(%d) is invalid.", static_cast<int>(_conversations.size()) - 1);
        return false;
    }
    out = _conversations.back();
    return true;
}

bool MVListModel::getConvById(int msgId, ConvPtr& out) const {
    int index = getIndexOf(msgId);
    if (index < 0) {
        MSG_LOGE("not found (%d)", msgId);
        return false;
    }
    out = _conversations[index];
    return true;
}

bool MVListModel::_findLatestIn(int folder1, int folder2, ConvPtr& out) const {
    auto matches = [folder1, folder2](int folder) { return folder == folder1 || folder == folder2; };
    for (auto it = _conversations.rbegin(); it != _conversations.rend(); ++it) {
        if (matches((*it)->folderType)) {
            out = *it;
            return true;
        }
    }
    // Older than the messages held: the newest of them looked up in the store, not taken in.
    std::vector<msg_store::Conversation> older;
    if (_whole ||
        _store.messages.getConversationsBefore(_restStart.threadId, _restStart.time, _restStart.msgId, 1,
                                               older, folder1, folder2) != msg_store::MSG_STORE_SUCCESS ||
        older.empty())
        return false;
    out = std::make_shared<msg_store::Conversation>(std::move(older.back()));
    return true;
}

bool MVListModel::getPhoneMsgConv(ConvPtr& out) const {
    if (_findLatestIn(msg_store::FOLDER_INBOX, msg_store::FOLDER_SENT, out))
        return true;
    MSG_LOGE("not found phone message");
    return false;
}

bool MVListModel::getHulmMsgConv(ConvPtr& out) const {
    if (_findLatestIn(msg_store::FOLDER_WATCH_INBOX, msg_store::FOLDER_WATCH_SENT, out))
        return true;
    MSG_LOGE("not found hulm message");
    return false;
}

bool MVListModel::getLatestInboxConv(ConvPtr& out) const {
    if (_findLatestIn(msg_store::FOLDER_WATCH_INBOX, msg_store::FOLDER_INBOX, out))
        return true;
    MSG_LOGE("not found inbox message");
    return false;
}

} // namespace msg_viewer
} // namespace msg_app
