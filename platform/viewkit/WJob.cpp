#include "view_kit/WJob.h"

#include "log/PlatformLog.h"

namespace view_kit {

WJob::~WJob() {
    stop();
}

void WJob::start(std::function<void()> onRun) {
    stop();
    PLAT_RET_IF(!onRun, "callback is empty");
    _job = ecore_job_add(_jobCb, this);
    PLAT_RET_IF(!_job, "ecore_job_add() failed");
    _onRun = std::move(onRun);
}

void WJob::stop() {
    _onRun = nullptr;
    if (!_job)
        return;
    ecore_job_del(_job);
    _job = nullptr;
}

void WJob::_jobCb(void* data) {
    auto* self = static_cast<WJob*>(data);
    // The loop frees the job itself once this returns; taken out first, as the callback may
    // start another or destroy this object.
    self->_job = nullptr;
    std::function<void()> onRun = std::move(self->_onRun);
    self->_onRun = nullptr;
    if (onRun)
        onRun();
}

} // namespace view_kit
