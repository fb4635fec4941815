#ifndef VIEW_KIT_WTIMER_H
#define VIEW_KIT_WTIMER_H

#include <Ecore.h>

#include <functional>
#include <memory>

namespace view_kit {

// A main-loop timer or idler held by the framework. The callback returns
// true to run again and false to end; destroy() cancels. Holders keep weak
// pointers, which expire when the timer ends.
class WTimer {
public:
    using Callback = std::function<bool(void* data)>;

    static std::weak_ptr<WTimer> addTimer(double seconds, Callback callback, void* data);
    static std::weak_ptr<WTimer> addIdler(Callback callback, void* data);
    // Cancels the timer (nothing when it has ended) and clears the pointer.
    static void destroy(std::weak_ptr<WTimer>& timer);

    ~WTimer();
    WTimer(const WTimer&) = delete;
    WTimer& operator=(const WTimer&) = delete;

private:
    WTimer(Callback callback, void* data);
    static std::weak_ptr<WTimer> _keep(std::shared_ptr<WTimer> timer);
    static void _release(WTimer* timer);
    static Eina_Bool _tickCb(void* data);

    Callback _callback;
    void* _data;
    Ecore_Timer* _timer = nullptr;
    Ecore_Idler* _idler = nullptr;
    bool _running = false;
    bool _cancelled = false;
};

} // namespace view_kit

#endif
