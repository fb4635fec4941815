#include "EflTest.h"
#include "LogCapture.h"
#include "view_kit/WSignal.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using view_kit::WSignal;

namespace {

TEST(SignalTest, ListenersHearEveryEmissionInTheOrderTheyWereAdded) {
    WSignal<void(int, const char*)> signal;
    std::vector<std::string> heard;
    unsigned a =
        signal.addListener([&](int n, const char* s) { heard.push_back("a" + std::to_string(n) + s); });
    unsigned b =
        signal.addListener([&](int n, const char* s) { heard.push_back("b" + std::to_string(n) + s); });
    EXPECT_NE(a, 0u);
    EXPECT_GT(b, a);
    signal.emit(1, "x");
    EXPECT_EQ(heard, (std::vector<std::string>{"a1x", "b1x"}));
    EXPECT_EQ(signal.addListener(nullptr), 0u);
}

TEST(SignalTest, AListenerAddedDuringAnEmissionFirstHearsTheNextOne) {
    WSignal<void()> signal;
    int late = 0;
    bool added = false;
    signal.addListener([&] {
        if (!added) {
            added = true;
            signal.addListener([&] { ++late; });
        }
    });
    signal.emit();
    EXPECT_EQ(late, 0);
    signal.emit();
    EXPECT_EQ(late, 1);
}

TEST(SignalTest, AListenerRemovedDuringAnEmissionIsNotCalledLaterInIt) {
    WSignal<void()> signal;
    unsigned victim = 0;
    int victimCalls = 0;
    signal.addListener([&] { signal.removeListener(victim); });
    victim = signal.addListener([&] { ++victimCalls; });
    signal.emit();
    signal.emit();
    EXPECT_EQ(victimCalls, 0);

    // Added and removed within one emission: never called.
    unsigned transient = 0;
    int transientCalls = 0;
    WSignal<void()> other;
    other.addListener([&] {
        if (!transient) {
            transient = other.addListener([&] { ++transientCalls; });
            other.removeListener(transient);
        }
    });
    other.emit();
    other.emit();
    EXPECT_EQ(transientCalls, 0);
}

TEST(SignalTest, RemovingTwiceLogsTheCriticalLineOnceAndChangesNothing) {
    msg_test::LogCapture log;
    WSignal<void()> signal;
    int calls = 0;
    unsigned id = signal.addListener([&] { ++calls; });
    signal.addListener([&] { ++calls; });
    signal.removeListener(id);
    EXPECT_EQ(log.count("Already removed listener"), 0);
    signal.removeListener(id);
    EXPECT_EQ(log.count("* Critical * Already removed listener! = " + std::to_string(id)), 1);
    signal.removeListener(0);
    EXPECT_EQ(log.count("Already removed listener"), 1);
    signal.emit();
    EXPECT_EQ(calls, 1);
}

TEST(SignalTest, DeletingTheBoundObjectStopsItsListener) {
    msg_test::TestWindow window;
    WSignal<void(int)> signal;
    Evas_Object* bound = evas_object_rectangle_add(window.evas());
    int boundCalls = 0, freeCalls = 0;
    signal.addListener([&](int) { ++boundCalls; }, bound);
    signal.addListener([&](int) { ++freeCalls; });
    signal.emit(1);
    evas_object_del(bound);
    signal.emit(2);
    EXPECT_EQ(boundCalls, 1);
    EXPECT_EQ(freeCalls, 2);

    // Deleted during an emission: skipped for the rest of it.
    Evas_Object* second = evas_object_rectangle_add(window.evas());
    int secondCalls = 0;
    signal.addListener([&](int) { evas_object_del(second); });
    signal.addListener([&](int) { ++secondCalls; }, second);
    signal.emit(3);
    EXPECT_EQ(secondCalls, 0);
}

TEST(SignalTest, AListenerMayDeleteTheSignalAndNestedEmissionsAreSafe) {
    auto signal = std::make_unique<WSignal<void()>>();
    int after = 0;
    signal->addListener([&] { signal.reset(); });
    signal->addListener([&] { ++after; });
    signal->emit();
    EXPECT_EQ(signal, nullptr);
    EXPECT_EQ(after, 0);

    WSignal<void(int)> nested;
    std::vector<int> depths;
    unsigned removable = 0;
    nested.addListener([&](int depth) {
        depths.push_back(depth);
        if (depth == 0) {
            nested.removeListener(removable);
            nested.emit(1);
        }
    });
    removable = nested.addListener([&](int depth) { depths.push_back(100 + depth); });
    nested.emit(0);
    EXPECT_EQ(depths, (std::vector<int>{0, 1}));
}

} // namespace
