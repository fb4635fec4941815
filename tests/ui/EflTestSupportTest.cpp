#include "EflTest.h"

#include <gtest/gtest.h>

#include <limits>

// A wait that gave up must say so, or every test waiting on a condition would pass without it.
// (Clicks reaching widgets are exercised by every widget test that taps.)
TEST(EflTestSupport, PumpUntilGivesUpAtTheLimit) {
    double start = ecore_time_get();
    EXPECT_FALSE(msg_test::pumpUntil([] { return false; }, 0.1));
    EXPECT_FALSE(msg_test::runLoopUntil([] { return false; }, 0.1));
    EXPECT_GE(ecore_time_get() - start, 0.2);
}

// True from the real loop's wait means the condition holds as it returns. The rest of the turn in
// which it was seen runs the idle enterers (where a canvas renders and rows are built again), which
// may undo it; and another may stop the loop before it holds.
TEST(EflTestSupport, RunLoopUntilIsTrueOnlyWithTheConditionHoldingAsItReturns) {
    // An idler sets it; the idle enterer after it undoes it as many times as asked.
    struct World {
        bool on;
        int undos;
    };
    const struct {
        const char* name;
        int undos;
        bool stoppedByAnother;
        bool held;
    } cases[] = {
        {"undone twice by the rest of the turn", 2, false, true},
        {"undone every time", std::numeric_limits<int>::max(), false, false},
        {"the loop stopped by another first", 0, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World world{false, c.undos};
        Ecore_Idler* set = ecore_idler_add(
            [](void* data) {
                static_cast<World*>(data)->on = true;
                return ECORE_CALLBACK_RENEW;
            },
            &world);
        Ecore_Idle_Enterer* undo = ecore_idle_enterer_add(
            [](void* data) {
                auto* w = static_cast<World*>(data);
                if (w->on && w->undos > 0) {
                    w->on = false;
                    --w->undos;
                }
                return ECORE_CALLBACK_RENEW;
            },
            &world);
        if (c.stoppedByAnother)
            ecore_job_add([](void*) { ecore_main_loop_quit(); }, nullptr);
        bool held = msg_test::runLoopUntil([&] { return world.on; }, c.held ? msg_test::WAIT_SECONDS : 0.2);
        ecore_idler_del(set);
        ecore_idle_enterer_del(undo);
        EXPECT_EQ(held, c.held);
        EXPECT_EQ(world.on, held) << "the answer is not the state at the return";
        if (held) {
            EXPECT_EQ(world.undos, 0) << "returned before the rest of the turn undid it as often as asked";
        }
    }
}
