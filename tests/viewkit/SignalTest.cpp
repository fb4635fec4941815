#include "EflTest.h"
#include "view_kit/WSignal.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using view_kit::WSignal;

namespace {

TEST(SignalTest, ListenersHearEmissionsInOrderAndChangesDuringOneCountFromTheNext) {
    WSignal<void(int, const char*)> signal;
    std::vector<std::string> heard;
    unsigned a =
        signal.addListener([&](int n, const char* s) { heard.push_back("a" + std::to_string(n) + s); });
    unsigned b =
        signal.addListener([&](int n, const char* s) { heard.push_back("b" + std::to_string(n) + s); });
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, a);
    signal.emit(1, "x");
    EXPECT_EQ(heard, (std::vector<std::string>{"a1x", "b1x"}));
    EXPECT_EQ(signal.addListener(nullptr), 0u);
    // Removing twice, or an id never given, changes nothing.
    signal.removeListener(a);
    signal.removeListener(a);
    signal.removeListener(0);
    heard.clear();
    signal.emit(2, "y");
    EXPECT_EQ(heard, (std::vector<std::string>{"b2y"}));

    // During an emission: one listener adds another, removes a later one, and adds then removes a third.
    WSignal<void()> other;
    int late = 0, victimCalls = 0, transientCalls = 0;
    unsigned victim = 0;
    other.addListener([&] {
        if (victim) {
            other.removeListener(victim);
            victim = 0;
            other.addListener([&] { ++late; });
            unsigned transient = other.addListener([&] { ++transientCalls; });
            other.removeListener(transient);
        }
    });
    victim = other.addListener([&] { ++victimCalls; });
    other.emit();
    EXPECT_EQ(late, 0);
    other.emit();
    EXPECT_EQ(late, 1);
    EXPECT_EQ(victimCalls, 0);
    EXPECT_EQ(transientCalls, 0);
}

TEST(SignalTest, ABoundObjectsDeletionStopsItsListenerAndAListenerMayDeleteTheSignal) {
    msg_test::TestWindow window;
    WSignal<void(int)> signal;
    Evas_Object* bound = evas_object_rectangle_add(window.evas());
    Evas_Object* deletedDuring = evas_object_rectangle_add(window.evas());
    std::vector<std::string> calls;
    signal.addListener([&](int n) { calls.push_back("bound" + std::to_string(n)); }, bound);
    signal.addListener([&](int n) {
        calls.push_back("free" + std::to_string(n));
        if (n == 2)
            evas_object_del(deletedDuring);
    });
    signal.addListener([&](int n) { calls.push_back("during" + std::to_string(n)); }, deletedDuring);
    signal.emit(1);
    evas_object_del(bound);
    signal.emit(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"bound1", "free1", "during1", "free2"}));

    auto owned = std::make_unique<WSignal<void()>>();
    int after = 0;
    owned->addListener([&] { owned.reset(); });
    owned->addListener([&] { ++after; });
    owned->emit();
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(after, 0);

    // A nested emission runs whole; a listener it removed is not called by the outer one.
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
