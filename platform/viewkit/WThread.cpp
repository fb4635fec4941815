#include "view_kit/WThread.h"

#include "log/PlatformLog.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace view_kit {

// What the pool thread and the main loop share. The pool's callbacks hold a
// reference of their own, so the WThread may go while the worker runs.
struct WThread::Job {
    WThread* owner = nullptr; // main loop only; null once silenced
    std::function<void(IStatus*, Ecore_Thread*)> worker;
    std::function<void(WThread*, void*)> notify;
    std::function<void(WThread*)> end;
    std::function<void(WThread*)> cancel;
    Ecore_Thread* thread = nullptr;
    std::atomic<bool> cancelRequested{false};
    std::atomic<bool> silenced{false};
    std::mutex mutex;
    std::condition_variable finishedCond;
    bool finished = false;
};

namespace {

using JobRef = std::shared_ptr<WThread::Job>;

class Status : public WThread::IStatus {
public:
    Status(WThread::Job& job, Ecore_Thread* thread) : _job(job), _thread(thread) {}

    bool isCancelRequested() const override {
        return _job.cancelRequested || _job.silenced || ecore_thread_check(_thread);
    }

    bool notify(void* data) override {
        if (isCancelRequested() || !_job.notify)
            return false;
        return ecore_thread_feedback(_thread, data);
    }

private:
    WThread::Job& _job;
    Ecore_Thread* _thread;
};

void markFinished(WThread::Job& job) {
    std::lock_guard<std::mutex> lock(job.mutex);
    job.finished = true;
    job.finishedCond.notify_all();
}

void heavyCb(void* data, Ecore_Thread* thread) {
    JobRef& job = *static_cast<JobRef*>(data);
    Status status(*job, thread);
    if (job->worker)
        job->worker(&status, thread);
    markFinished(*job);
}

void notifyCb(void* data, Ecore_Thread*, void* msg) {
    JobRef& job = *static_cast<JobRef*>(data);
    if (job->owner && !job->silenced && job->notify)
        job->notify(job->owner, msg);
    else
        PLAT_LOGW("notification after the thread was silenced is dropped");
}

void finish(void* data, bool cancelled) {
    auto* ref = static_cast<JobRef*>(data);
    JobRef job = *ref;
    delete ref;
    // A job cancelled before it started never ran its worker.
    markFinished(*job);
    job->thread = nullptr;
    WThread* owner = job->owner;
    if (!owner || job->silenced)
        return;
    std::function<void(WThread*)> cb = cancelled ? job->cancel : job->end;
    if (cb)
        cb(owner);
}

void endCb(void* data, Ecore_Thread*) {
    finish(data, false);
}

void cancelCb(void* data, Ecore_Thread*) {
    finish(data, true);
}

} // namespace

WThread::WThread() : _job(std::make_shared<Job>()) {
    _job->owner = this;
}

WThread::~WThread() {
    if (isRunning())
        cancelWithoutCallback(0);
    _job->owner = nullptr;
}

void WThread::setWorker(std::function<void(IStatus*, Ecore_Thread*)> worker) {
    _job->worker = std::move(worker);
}

void WThread::setNotifyCb(std::function<void(WThread*, void*)> notify) {
    _job->notify = std::move(notify);
}

void WThread::setEndCb(std::function<void(WThread*)> end) {
    _job->end = std::move(end);
}

void WThread::setCancelCb(std::function<void(WThread*)> cancel) {
    _job->cancel = std::move(cancel);
}

bool WThread::isRunning() const {
    return _job->thread != nullptr;
}

bool WThread::run() {
    PLAT_RETV_IF(isRunning(), false, "the thread is running already");
    PLAT_RETV_IF(!_job->worker, false, "no worker");
    // A finished job is not reused: a late callback of it must not touch a new run.
    if (_job->finished || _job->silenced || _job->cancelRequested) {
        auto fresh = std::make_shared<Job>();
        fresh->worker = _job->worker;
        fresh->notify = _job->notify;
        fresh->end = _job->end;
        fresh->cancel = _job->cancel;
        _job->owner = nullptr;
        _job = fresh;
        _job->owner = this;
    }
    auto* ref = new JobRef(_job);
    _job->thread = ecore_thread_feedback_run(heavyCb, notifyCb, endCb, cancelCb, ref, EINA_FALSE);
    if (!_job->thread && !_job->finished) {
        PLAT_LOGE("ecore_thread_feedback_run() failed");
        delete ref;
        return false;
    }
    return true;
}

bool WThread::cancel() {
    PLAT_RETV_IF(!isRunning(), false, "the thread is not running");
    _job->cancelRequested = true;
    // May finish the job (and run the cancel callback) at once.
    ecore_thread_cancel(_job->thread);
    return true;
}

bool WThread::cancelWithoutCallback(double timeout) {
    JobRef job = _job;
    job->silenced = true;
    job->cancelRequested = true;
    if (job->thread)
        ecore_thread_cancel(job->thread);
    std::unique_lock<std::mutex> lock(job->mutex);
    if (job->finished)
        return true;
    auto limit = std::chrono::duration<double>(timeout > 0 ? timeout : 0);
    return job->finishedCond.wait_for(lock, limit, [&job] { return job->finished; });
}

} // namespace view_kit
