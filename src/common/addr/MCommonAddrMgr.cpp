#include "common/addr/MCommonAddrMgr.h"

#include "MCommonAddrSyncJobs.h"
#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "contacts.h"

#include <Ecore.h>
#include <new>

namespace msg_app {

MCommonAddrMgr* MCommonAddrMgr::_instance = nullptr;

MCommonAddrMgr* MCommonAddrMgr::getInstance() {
    if (_instance)
        return _instance;
    _instance = new MCommonAddrMgr();
    _instance->connectContact();
    MCommonAppEventMgr::getInstance()->addListener(_instance);
    singleton_release::add(_destroy);
    return _instance;
}

void MCommonAddrMgr::_destroy() {
    release();
}

void MCommonAddrMgr::release() {
    MCommonAddrMgr* mgr = _instance;
    // Cleared first: objects that die during the teardown no longer reach the maps.
    _instance = nullptr;
    delete mgr;
}

MCommonAddrMgr::~MCommonAddrMgr() {
    MCommonAppEventMgr::getInstance()->removeListener(this);
    // Not waited for: the worker shares only its job list and has its own contacts connection, so
    // it finishes its current conversation on its own and the ending main loop goes on.
    _cancelConvAddrSyncThread();
    if (!_isContactConnected)
        return;
    contacts_db_remove_changed_cb(_contacts_contact._uri, _contactChangedCb, this);
    int err = contacts_disconnect();
    if (err != CONTACTS_ERROR_NONE)
        MSG_LOGE("contacts_disconnect failed : ct_err = [%x]", err);
    _isContactConnected = false;
}

bool MCommonAddrMgr::connectContact() {
    if (_isContactConnected) {
        MSG_LOGD("contact-service is already connected.");
        return true;
    }
    int err = contacts_connect();
    MSG_RETV_IF(err != CONTACTS_ERROR_NONE, false, "contacts_connect failed : ct_err = [%d]", err);
    _isContactConnected = true;
    if (contacts_db_add_changed_cb(_contacts_contact._uri, _contactChangedCb, this) != CONTACTS_ERROR_NONE)
        MSG_LOGE("Fail to register contacts_db_add_changed_cb");
    return true;
}

bool MCommonAddrMgr::getConvAddr(int convId, std::shared_ptr<MCommonConvAddr>& out) {
    if (auto live = _findConvAddr(convId)) {
        out = live;
        return true;
    }
    auto* conv = new (std::nothrow) MCommonConvAddr(convId, [](int id) {
        if (_instance)
            _instance->_onConvAddrDestroyed(id);
    });
    MSG_RETV_IF(!conv, false, "memory full");
    std::shared_ptr<MCommonConvAddr> shared(conv);
    _convAddrMap[convId] = shared;
    out = shared;
    return true;
}

bool MCommonAddrMgr::getAddr(const char* address, std::shared_ptr<MCommonAddr>& out) {
    MSG_RETV_IF(!address, false, "address is null");
    auto it = _addrMap.find(address);
    if (it != _addrMap.end()) {
        if (auto live = it->second.lock()) {
            out = live;
            return true;
        }
        _addrMap.erase(it);
    }
    // The key is kept apart from the object: an unknown sender ("-1...") is stored empty.
    std::string key(address);
    auto* addr = new (std::nothrow) MCommonAddr(address, [key](const char*) {
        if (_instance)
            _instance->_onAddrDestroyed(key);
    });
    MSG_RETV_IF(!addr, false, "memory full");
    std::shared_ptr<MCommonAddr> shared(addr);
    _addrMap.emplace(key, shared);
    out = shared;
    return true;
}

std::shared_ptr<MCommonConvAddr> MCommonAddrMgr::_findConvAddr(int convId) {
    auto it = _convAddrMap.find(convId);
    if (it == _convAddrMap.end())
        return nullptr;
    if (auto live = it->second.lock())
        return live;
    _convAddrMap.erase(it);
    return nullptr;
}

std::vector<std::shared_ptr<MCommonConvAddr>> MCommonAddrMgr::_liveConvAddrs() {
    std::vector<std::shared_ptr<MCommonConvAddr>> live;
    for (const auto& entry : _convAddrMap) {
        if (auto conv = entry.second.lock())
            live.push_back(conv);
    }
    return live;
}

std::vector<std::shared_ptr<MCommonAddr>> MCommonAddrMgr::_liveAddrs() {
    std::vector<std::shared_ptr<MCommonAddr>> live;
    for (const auto& entry : _addrMap) {
        if (auto addr = entry.second.lock())
            live.push_back(addr);
    }
    return live;
}

void MCommonAddrMgr::_onConvAddrDestroyed(int convId) {
    auto it = _convAddrMap.find(convId);
    // A newer object may already stand under this id.
    if (it != _convAddrMap.end() && it->second.expired())
        _convAddrMap.erase(it);
    if (_convAddrMap.empty())
        _cancelConvAddrSyncThread();
}

void MCommonAddrMgr::_onAddrDestroyed(const std::string& address) {
    auto it = _addrMap.find(address);
    if (it != _addrMap.end() && it->second.expired())
        _addrMap.erase(it);
}

void MCommonAddrMgr::_updateAllContactInfo() {
    for (auto& addr : _liveAddrs())
        addr->clearContactInfo();
    for (auto& conv : _liveConvAddrs())
        conv->_clearContactInfo();
    // A sync under way resolves with the old contacts; it starts over.
    _cancelConvAddrSyncThread();
    if (!_convAddrMap.empty())
        startConvAddrBgContactSync();
}

void MCommonAddrMgr::_contactChangedCb(const char*, void* data) {
    MSG_RET_IF(!data, "data is nullptr");
    auto* mgr = static_cast<MCommonAddrMgr*>(data);
    if (MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_PAUSED) {
        mgr->_hasMissedContactEvent = true;
        MSG_LOGD("set missed event.");
        return;
    }
    mgr->_updateAllContactInfo();
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_CONTACTS_CHANGED);
}

void MCommonAddrMgr::appEventListener(MCommonAppEventType type) {
    if (type == APP_EVENT_RESUMED) {
        MSG_LOGD("on RESUME event :");
        if (!_hasMissedContactEvent)
            return;
        _hasMissedContactEvent = false;
        _updateAllContactInfo();
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_CONTACTS_CHANGED);
    } else if (type == APP_EVENT_REGION_FORMAT_CHANGED) {
        MSG_LOGD("on REGION_FORMAT_CHANGED event :");
        formatted_number::update_region();
        renameAll();
    }
}

void MCommonAddrMgr::renameAll() {
    std::string name;
    for (auto& conv : _liveConvAddrs())
        conv->getDisplayName(name, true);
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_CONTACTS_CHANGED);
}

// The background contact sync of the address manager.

namespace {

// Present while a sync runs: at most one runs at a time.
constexpr const char* kSyncJobsKey = "com.vorlane.message:_contact_sync";

using JobsHolder = std::shared_ptr<MCommonAddrSyncJobs>;

void freeSyncJobsCb(void* data) {
    MSG_LOGD("MCommonAddrMgr : delete syncThread global data");
    auto* holder = static_cast<JobsHolder*>(data);
    // The worker may still hold the list: it finds no more ids and stops.
    (*holder)->clear();
    delete holder;
}

} // namespace

void MCommonAddrMgr::startConvAddrBgContactSync() {
    MSG_RET_IF(_convAddrMap.empty(), "list is empty.");
    MSG_RET_IF(ecore_thread_global_data_find(kSyncJobsKey), "thread is running.");

    std::deque<int> convIds;
    for (auto& conv : _liveConvAddrs()) {
        if (!conv->isContactSynced())
            convIds.push_back(conv->getConvId());
    }
    MSG_LOGD("job-convIds count(%d)", static_cast<int>(convIds.size()));
    MSG_RET_IF(convIds.empty(), "job list is empty");

    auto jobs = std::make_shared<MCommonAddrSyncJobs>(std::move(convIds));
    auto* holder = new JobsHolder(jobs);
    if (!ecore_thread_global_data_add(kSyncJobsKey, holder, freeSyncJobsCb, EINA_FALSE)) {
        MSG_LOGE("ecore_thread_global_data_add failed");
        delete holder;
        return;
    }
    _syncJobs = jobs;
    _syncThread = std::make_unique<view_kit::WThread>();
    _syncThread->setWorker([jobs, holder](view_kit::WThread::IStatus* status, Ecore_Thread*) {
        _syncWorker(*jobs, holder, status);
    });
    _syncThread->setNotifyCb([this](view_kit::WThread*, void* data) { _syncNotifyCb(data); });
    _syncThread->setEndCb([this](view_kit::WThread*) {
        MSG_LOGD("EndCb of syncThread");
        _syncFinishedCb();
    });
    _syncThread->setCancelCb([this](view_kit::WThread*) {
        MSG_LOGD("CancelCb of syncThread");
        _syncFinishedCb();
    });
    if (!_syncThread->run()) {
        MSG_LOGE("cannot start the sync thread");
        _deleteSyncJobs();
    }
}

// Pool thread: touches only the job list and the copies it builds, never the manager.
void MCommonAddrMgr::_syncWorker(MCommonAddrSyncJobs& jobs, const void* jobsKey,
                                 view_kit::WThread::IStatus* status) {
    int err = contacts_connect_on_thread();
    bool connected = err == CONTACTS_ERROR_NONE;
    if (!connected)
        MSG_LOGE("contacts_connect_on_thread failed(%d)", err);
    MSG_LOGD("start sync contact");
    int convId = -1;
    while (true) {
        if (status->isCancelRequested()) {
            MSG_LOGD("cancel has been requested for this thread.");
            break;
        }
        // Only compared: a list published by a later sync is not this worker's.
        if (ecore_thread_global_data_find(kSyncJobsKey) != jobsKey) {
            MSG_LOGD("job list is empty.");
            break;
        }
        if (!jobs.pop(convId) || convId == -1)
            break;
        auto* copy = new MCommonConvAddr(convId, nullptr);
        copy->_syncContacts(connected);
        jobs.hold(copy);
        if (!status->notify(copy)) {
            MSG_LOGE("Failed to send feedback data");
            jobs.take(copy);
        }
    }
    if (connected)
        contacts_disconnect_on_thread();
    MSG_LOGD("end sync contact");
}

void MCommonAddrMgr::_syncNotifyCb(void* data) {
    MSG_RET_IF(!data, "msgData is nullptr");
    std::unique_ptr<MCommonConvAddr> copy = _syncJobs ? _syncJobs->take(data) : nullptr;
    MSG_RET_IF(!copy, "result of an ended sync is dropped");
    std::shared_ptr<MCommonConvAddr> conv = _findConvAddr(copy->getConvId());
    if (!conv) {
        MSG_LOGD("not found convAddr of id(%d)", copy->getConvId());
        return;
    }
    conv->_reset(*copy);
}

void MCommonAddrMgr::_syncFinishedCb() {
    _deleteSyncJobs();
}

void MCommonAddrMgr::_cancelConvAddrSyncThread() {
    if (!_syncJobs && !ecore_thread_global_data_find(kSyncJobsKey))
        return;
    // Silenced, the worker's queued results are never delivered; the job list frees them.
    if (_syncThread && !_syncThread->cancelWithoutCallback(0.0))
        MSG_LOGI("sync worker finishes its current conversation on its own");
    _syncThread.reset();
    _deleteSyncJobs();
}

void MCommonAddrMgr::_deleteSyncJobs() {
    if (ecore_thread_global_data_find(kSyncJobsKey))
        ecore_thread_global_data_del(kSyncJobsKey);
    _syncJobs.reset();
}

} // namespace msg_app
