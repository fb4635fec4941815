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
    _unsubscribe();
}

void MLThreadListBgLoad::start() {
    MSG_RET_IF(_state != NONE, "_state(%d) is not NONE", _state);
    // The changes are recorded from before the read begins: none falls between the two.
    auto keep = [this](const char* payload) { _storageChangedCb(payload, this); };
    _subscription.add(msg_store::EVENT_TYPE_STORAGE_CHANGE, keep);
    _subscription.add(msg_store::EVENT_TYPE_GROUPCHAT_STATE_CHANGE, keep);
    _reading.reset(new Reading());
    _reading->_loadTime = std::time(nullptr);
    _reading->_thread = std::thread(&Reading::_run, _reading.get());
    _state = STARTED;
}

std::shared_ptr<MLThreadListBgLoad::Reading> MLThreadListBgLoad::takeReading() {
    if (_reading)
        _state = TAKEN;
    return std::move(_reading);
}

MLThreadListBgLoad::Reading::~Reading() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _stop = true;
    }
    _changed.notify_all();
    if (_thread.joinable())
        _thread.join();
}

void MLThreadListBgLoad::Reading::_run() {
    MSG_LOGD("MLThreadListBgLoad : _run() start");
    // A store object of the worker's own: nothing of the main loop's is touched here.
    MCommonMsgStore store;
    bool failed = store.threads.readThreads([this](msg_store::Thread&& thread) {
        return _keep(std::move(thread));
    }) != msg_store::MSG_STORE_SUCCESS;
    if (failed)
        MSG_LOGE("readThreads() failed");
    std::lock_guard<std::mutex> lock(_mutex);
    _failed = failed;
    _ended = true;
    _changed.notify_all();
    MSG_LOGD("MLThreadListBgLoad : _run() end (conversations_cnt:%d)", static_cast<int>(_readCount));
}

bool MLThreadListBgLoad::Reading::_keep(msg_store::Thread&& thread) {
    std::unique_lock<std::mutex> lock(_mutex);
    _read.push_back(std::move(thread));
    if (++_readCount == FIRST_PAGE) {
        _changed.notify_all();
        _changed.wait(lock, [this] { return _pastFirstPage || _stop; });
    } else if (_read.size() % FIRST_PAGE == 0) {
        _changed.notify_all();
    }
    return !_stop;
}

bool MLThreadListBgLoad::Reading::take(std::vector<msg_store::Thread>& out, size_t wanted) {
    std::unique_lock<std::mutex> lock(_mutex);
    _changed.wait(lock, [&] { return _read.size() >= wanted || _ended; });
    out.insert(out.end(), std::make_move_iterator(_read.begin()), std::make_move_iterator(_read.end()));
    _read.clear();
    return !_ended;
}

void MLThreadListBgLoad::Reading::readOn() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        if (_pastFirstPage)
            return;
        _pastFirstPage = true;
    }
    _changed.notify_all();
}

bool MLThreadListBgLoad::Reading::succeeded() const {
    std::lock_guard<std::mutex> lock(_mutex);
    return !_failed;
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
