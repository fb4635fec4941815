#include "EflTest.h"
#include "view_kit/WTimer.h"

#include <gtest/gtest.h>

using view_kit::WTimer;

namespace {

TEST(TimerTest, DestroyCancelsTimersAndIdlersBeforeTheyRunAndATimerRepeatsUntilItsCallbackSaysNo) {
    int runs = 0;
    auto count = [](void* data) {
        ++*static_cast<int*>(data);
        return true;
    };
    std::weak_ptr<WTimer> timer = WTimer::addTimer(0.02, count, &runs);
    std::weak_ptr<WTimer> idler = WTimer::addIdler(count, &runs);
    WTimer::destroy(timer);
    WTimer::destroy(idler);
    EXPECT_TRUE(timer.expired());
    EXPECT_TRUE(idler.expired());
    // A timer that repeats until its callback returns false, and so runs after them, shows that the
    // destroyed ones had their turn.
    int ticks = 0;
    std::weak_ptr<WTimer> repeating = WTimer::addTimer(
        0.03, [](void* data) { return ++*static_cast<int*>(data) < 3; }, &ticks);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return repeating.expired(); }));
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(runs, 0);
    // Destroying again does nothing; an empty callback is refused.
    WTimer::destroy(timer);
    EXPECT_TRUE(WTimer::addTimer(0.1, nullptr, nullptr).expired());
    EXPECT_TRUE(WTimer::addIdler(nullptr, nullptr).expired());
}

TEST(TimerTest, ATimerMayDestroyItselfFromItsCallback) {
    struct Holder {
        std::weak_ptr<WTimer> self;
        int runs = 0;
    } holder;
    holder.self = WTimer::addIdler(
        [](void* data) {
            auto* h = static_cast<Holder*>(data);
            ++h->runs;
            std::weak_ptr<WTimer> copy = h->self;
            WTimer::destroy(copy);
            return true;
        },
        &holder);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return holder.self.expired(); }));
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(holder.runs, 1);
}

} // namespace
