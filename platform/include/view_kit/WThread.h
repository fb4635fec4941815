#ifndef VIEW_KIT_WTHREAD_H
#define VIEW_KIT_WTHREAD_H

#include <Ecore.h>

#include <functional>
#include <memory>

namespace view_kit {

// A worker on Ecore's thread pool. The worker runs off the main loop; the
// notify, end and cancel callbacks run on the main loop. After
// cancelWithoutCallback, or when the WThread is deleted, none of them runs.
class WThread {
public:
    // What the worker may ask and do while it runs.
    class IStatus {
    public:
        virtual ~IStatus() = default;
        virtual bool isCancelRequested() const = 0;
        // Hands data to the notify callback on the main loop. False when it
        // cannot (cancelled, no notify callback, queue failure): the data
        // stays the worker's to free.
        virtual bool notify(void* data) = 0;
    };

    WThread();
    ~WThread();
    WThread(const WThread&) = delete;
    WThread& operator=(const WThread&) = delete;

    void setWorker(std::function<void(IStatus*, Ecore_Thread*)> worker);
    void setNotifyCb(std::function<void(WThread*, void* data)> notify);
    void setEndCb(std::function<void(WThread*)> end);
    void setCancelCb(std::function<void(WThread*)> cancel);

    bool run();
    bool isRunning() const;
    // Asks the worker to stop; the cancel callback follows when it has.
    bool cancel();
    // Asks the worker to stop, silences every callback and waits up to
    // timeout seconds for the worker; true when it had stopped in time.
    bool cancelWithoutCallback(double timeout);

    struct Job;

private:
    std::shared_ptr<Job> _job;
};

} // namespace view_kit

#endif
