#include "EflTest.h"
#include "view_kit/WThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using view_kit::WThread;

namespace {

TEST(ThreadTest, TheWorkerHandsDataToTheMainLoopAndEnds) {
    WThread thread;
    std::vector<int> received;
    bool ended = false;
    std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<bool> workerOffMainLoop{false};
    thread.setWorker([&](WThread::IStatus* status, Ecore_Thread*) {
        workerOffMainLoop = std::this_thread::get_id() != mainThread;
        for (int i = 1; i <= 3; ++i) {
            auto* value = new int(i);
            if (!status->notify(value))
                delete value;
        }
    });
    thread.setNotifyCb([&](WThread* self, void* data) {
        EXPECT_EQ(self, &thread);
        received.push_back(*static_cast<int*>(data));
        delete static_cast<int*>(data);
    });
    thread.setEndCb([&](WThread*) { ended = true; });
    ASSERT_TRUE(thread.run());
    EXPECT_TRUE(thread.isRunning());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return ended; }));
    EXPECT_TRUE(workerOffMainLoop);
    EXPECT_EQ(received, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(thread.isRunning());
}

TEST(ThreadTest, ACancelledWorkerSeesTheRequestItsHandOverFailsAndTheCancelCallbackRuns) {
    WThread thread;
    std::atomic<bool> started{false};
    std::atomic<bool> sawCancel{false};
    std::atomic<int> freedByWorker{0};
    bool cancelled = false, ended = false;
    int notified = 0;
    thread.setWorker([&](WThread::IStatus* status, Ecore_Thread*) {
        started = true;
        while (!status->isCancelRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawCancel = true;
        auto* late = new int(7);
        if (!status->notify(late)) {
            delete late;
            ++freedByWorker;
        }
    });
    thread.setNotifyCb([&](WThread*, void*) { ++notified; });
    thread.setCancelCb([&](WThread*) { cancelled = true; });
    thread.setEndCb([&](WThread*) { ended = true; });
    ASSERT_TRUE(thread.run());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return started.load(); }));
    ASSERT_TRUE(thread.cancel());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return cancelled; }));
    EXPECT_TRUE(sawCancel);
    EXPECT_EQ(freedByWorker, 1);
    EXPECT_EQ(notified, 0);
    EXPECT_FALSE(ended);
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

TEST(ThreadTest, ANotifyWithoutReceiverFailsAndRunNeedsAWorker) {
    WThread thread;
    EXPECT_FALSE(thread.run());
    EXPECT_FALSE(thread.cancel());
    std::atomic<bool> handedOver{true};
    bool ended = false;
    thread.setWorker([&](WThread::IStatus* status, Ecore_Thread*) {
        int value = 1;
        handedOver = status->notify(&value);
    });
    thread.setEndCb([&](WThread*) { ended = true; });
    ASSERT_TRUE(thread.run());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return ended; }));
    EXPECT_FALSE(handedOver);
    // A finished thread can run again.
    ended = false;
    ASSERT_TRUE(thread.run());
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return ended; }));
}

} // namespace
