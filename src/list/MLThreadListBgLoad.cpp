#include "list/MLThreadListBgLoad.h"

#include "common/MCommonMsgStore.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

namespace msg_app {
namespace msg_list {

MLThreadListBgLoad* MLThreadListBgLoad::_instance = nullptr;

MLThreadListBgLoad* MLThreadListBgLoad::getInstance() {
    if (!_instance) {
        _instance = new MLThreadListBgLoad();
        singleton_release::add(destroy);
    }
    return _instance;
}

int MLThreadListBgLoad::getState() {
    return _instance ? _instance->_state : NONE;
}

void MLThreadListBgLoad::destroy() {
    delete _instance;
    _instance = nullptr;
}

MLThreadListBgLoad::~MLThreadListBgLoad() {
    _waitForWorker();
    _unsubscribe();
}

void MLThreadListBgLoad::start() {
    MSG_RET_IF(_state != NONE, "_state(%d) is not NONE", _state);
    MSG_RET_IF(_threads != nullptr, "_threads is not null");

    _thread = std::thread(_onThWorker, this);
    _state = STARTED;

    auto keep = [this](const char* payload) { _storageChangedCb(payload, this); };
    _subscription.add(msg_store::EVENT_TYPE_STORAGE_CHANGE, keep);
    _subscription.add(msg_store::EVENT_TYPE_GROUPCHAT_STATE_CHANGE, keep);
}

void MLThreadListBgLoad::_onThWorker(MLThreadListBgLoad* self) {
    MSG_LOGD("MLThreadListBgLoad : _onThWorker() start");
    MSG_RET_IF(!self, "userData is NULL!!");
    std::lock_guard<std::mutex> lock(self->_mutex);
    self->_threads = std::make_shared<std::vector<msg_store::Thread>>();
    // A store object of the worker's own: nothing of the main loop's is touched here.
    MCommonMsgStore store;
    if (store.threads.getAllThreads(*self->_threads) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("getAllThreads() failed");
    self->_loadTime = std::time(nullptr);
    MSG_LOGD("MLThreadListBgLoad : _onThWorker() end (conversations_cnt:%d)",
             static_cast<int>(self->_threads->size()));
}

void MLThreadListBgLoad::_waitForWorker() {
    if (_state == STARTED && _thread.joinable()) {
        MSG_LOGD("wait to join a thread");
        _thread.join();
        MSG_LOGD("Done.");
        _state = JOINED;
    }
}

void MLThreadListBgLoad::getThreads(std::shared_ptr<std::vector<msg_store::Thread>>& threads) {
    _waitForWorker();
    std::lock_guard<std::mutex> lock(_mutex);
    threads = std::move(_threads);
    _threads.reset();
}

time_t MLThreadListBgLoad::getLoadTime() {
    _waitForWorker();
    std::lock_guard<std::mutex> lock(_mutex);
    return _loadTime;
}

int MLThreadListBgLoad::getCount() {
    _waitForWorker();
    std::lock_guard<std::mutex> lock(_mutex);
    return _threads ? static_cast<int>(_threads->size()) : 0;
}

std::vector<std::string>* MLThreadListBgLoad::getStorageChanges() {
    _unsubscribe();
    return _storageChanges.get();
}

void MLThreadListBgLoad::_unsubscribe() {
    _subscription.clear();
}

void MLThreadListBgLoad::_storageChangedCb(const char* payload, void* userData) {
    MSG_ENTER();
    MSG_RET_IF(!payload, "message is null");
    MSG_RET_IF(!userData, "data is null");
    auto* self = static_cast<MLThreadListBgLoad*>(userData);
    if (!self->_storageChanges)
        self->_storageChanges = std::make_unique<std::vector<std::string>>();
    self->_storageChanges->push_back(payload);
}

} // namespace msg_list
} // namespace msg_app
