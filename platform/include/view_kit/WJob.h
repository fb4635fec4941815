#ifndef VIEW_KIT_WJOB_H
#define VIEW_KIT_WJOB_H

#include <Ecore.h>

#include <functional>

namespace view_kit {

// Runs a callback once, when the main loop next turns: for work that must not run inside the
// call or event that asks for it. The job is forgotten before the callback runs, so the callback
// may start it again, stop it, or destroy the owner of this object. Destroying it cancels.
// Main loop only.
class WJob {
public:
    WJob() = default;
    ~WJob();
    WJob(const WJob&) = delete;
    WJob& operator=(const WJob&) = delete;

    // A job already pending is replaced.
    void start(std::function<void()> onRun);
    // Nothing when no job is pending.
    void stop();
    bool isPending() const { return _job != nullptr; }

private:
    static void _jobCb(void* data);

    Ecore_Job* _job = nullptr;
    std::function<void()> _onRun;
};

} // namespace view_kit

#endif
