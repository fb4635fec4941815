// The main loop's timers and idlers, and work run off the main loop.
#include "EflTest.h"
#include "view_kit/WThread.h"
#include "view_kit/WTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using view_kit::WThread;
using view_kit::WTimer;

namespace {

TEST(TimerTest, DestroyCancelsBeforeTheRunAndATimerRepeatsUntilItsCallbackSaysNoOrDestroysItself) {
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
    // An idler that destroys itself from its callback (through a copy of its handle) runs once.
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
    // A timer that repeats until its callback returns false, and so runs after them, shows that the
    // destroyed ones had their turn.
    int ticks = 0;
    std::weak_ptr<WTimer> repeating = WTimer::addTimer(
        0.03, [](void* data) { return ++*static_cast<int*>(data) < 3; }, &ticks);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return repeating.expired(); }));
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(holder.self.expired());
    EXPECT_EQ(holder.runs, 1);
    // Destroying again does nothing; an empty callback is refused.
    WTimer::destroy(timer);
    EXPECT_TRUE(WTimer::addTimer(0.1, nullptr, nullptr).expired());
    EXPECT_TRUE(WTimer::addIdler(nullptr, nullptr).expired());
}

// Hand-over of data to the main loop, and cancelling with a callback, are exercised by the
// progress popup's tests.
TEST(ThreadTest, RunNeedsAWorkerThatRunsOffTheMainLoopAndAFinishedThreadRunsAgain) {
    WThread thread;
    EXPECT_FALSE(thread.run());
    EXPECT_FALSE(thread.cancel());
    const std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<int> offMainLoop{0};
    bool ended = false;
    thread.setWorker(
        [&](WThread::IStatus*, Ecore_Thread*) { offMainLoop += std::this_thread::get_id() != mainThread; });
    thread.setEndCb([&](WThread*) { ended = true; });
    for (int run = 1; run <= 2; ++run) {
        ended = false;
        ASSERT_TRUE(thread.run());
        EXPECT_TRUE(thread.isRunning());
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return ended; }));
        EXPECT_FALSE(thread.isRunning());
        EXPECT_EQ(offMainLoop, run);
    }
}

TEST(ThreadTest, CancelWithoutCallbackWaitsAndSilencesEverything) {
    auto thread = std::make_unique<WThread>();
    std::atomic<bool> started{false};
    int callbacks = 0;
    thread->setWorker([&](WThread::IStatus* status, Ecore_Thread*) {
        started = true;
        while (!status->isCancelRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    thread->setNotifyCb([&](WThread*, void*) { ++callbacks; });
    thread->setCancelCb([&](WThread*) { ++callbacks; });
    thread->setEndCb([&](WThread*) { ++callbacks; });
    ASSERT_TRUE(thread->run());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return started.load(); }));
    EXPECT_TRUE(thread->cancelWithoutCallback(2.0));
    // The owner may go at once; the pool's late callbacks find nobody.
    thread.reset();
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(callbacks, 0);
}

} // namespace
