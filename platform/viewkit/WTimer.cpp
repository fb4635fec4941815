#include "view_kit/WTimer.h"

#include "log/PlatformLog.h"

#include <map>

namespace view_kit {

namespace {

// The framework holds every live timer; holders only have weak pointers.
std::map<WTimer*, std::shared_ptr<WTimer>>& liveTimers() {
    static auto* timers = new std::map<WTimer*, std::shared_ptr<WTimer>>;
    return *timers;
}

} // namespace

WTimer::WTimer(Callback callback, void* data) : _callback(std::move(callback)), _data(data) {}

WTimer::~WTimer() {
    if (_timer)
        ecore_timer_del(_timer);
    if (_idler)
        ecore_idler_del(_idler);
}

std::weak_ptr<WTimer> WTimer::_keep(std::shared_ptr<WTimer> timer) {
    std::weak_ptr<WTimer> weak = timer;
    liveTimers()[timer.get()] = std::move(timer);
    return weak;
}

void WTimer::_release(WTimer* timer) {
    liveTimers().erase(timer);
}

std::weak_ptr<WTimer> WTimer::addTimer(double seconds, Callback callback, void* data) {
    PLAT_RETV_IF(!callback, std::weak_ptr<WTimer>(), "callback is empty");
    std::shared_ptr<WTimer> timer(new WTimer(std::move(callback), data));
    timer->_timer = ecore_timer_add(seconds, _tickCb, timer.get());
    PLAT_RETV_IF(!timer->_timer, std::weak_ptr<WTimer>(), "ecore_timer_add() failed");
    return _keep(std::move(timer));
}

std::weak_ptr<WTimer> WTimer::addIdler(Callback callback, void* data) {
    PLAT_RETV_IF(!callback, std::weak_ptr<WTimer>(), "callback is empty");
    std::shared_ptr<WTimer> timer(new WTimer(std::move(callback), data));
    timer->_idler = ecore_idler_add(_tickCb, timer.get());
    PLAT_RETV_IF(!timer->_idler, std::weak_ptr<WTimer>(), "ecore_idler_add() failed");
    return _keep(std::move(timer));
}

void WTimer::destroy(std::weak_ptr<WTimer>& timer) {
    std::shared_ptr<WTimer> self = timer.lock();
    timer.reset();
    if (!self)
        return;
    if (self->_running) {
        // Inside its own callback: Ecore ends it when the callback returns.
        self->_cancelled = true;
        return;
    }
    _release(self.get());
}

Eina_Bool WTimer::_tickCb(void* data) {
    auto* raw = static_cast<WTimer*>(data);
    auto found = liveTimers().find(raw);
    if (found == liveTimers().end())
        return ECORE_CALLBACK_CANCEL;
    std::shared_ptr<WTimer> self = found->second;
    self->_running = true;
    Callback callback = self->_callback;
    bool again = callback(self->_data);
    self->_running = false;
    if (again && !self->_cancelled)
        return ECORE_CALLBACK_RENEW;
    // Ecore deletes the timer itself after a cancel result.
    self->_timer = nullptr;
    self->_idler = nullptr;
    _release(self.get());
    return ECORE_CALLBACK_CANCEL;
}

} // namespace view_kit
