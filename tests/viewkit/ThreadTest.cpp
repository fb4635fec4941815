#include "EflTest.h"
#include "view_kit/WThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using view_kit::WThread;

namespace {

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
