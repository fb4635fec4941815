// The background contact sync of the address manager.
#include "common/addr/MCommonAddrMgr.h"

#include "MCommonAddrSyncJobs.h"
#include "common/MsgLog.h"
#include "contacts.h"

#include <Ecore.h>

namespace msg_app {

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
