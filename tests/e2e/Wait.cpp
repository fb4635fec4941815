#include "Wait.h"

#include <chrono>
#include <thread>

namespace msg_e2e {

namespace {

constexpr auto POLL_INTERVAL = std::chrono::milliseconds(40);

} // namespace

bool waitUntil(const std::function<bool()>& condition, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
}

} // namespace msg_e2e
