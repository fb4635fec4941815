#include "EflTest.h"

#include <gtest/gtest.h>

// A wait that gave up must say so, or every test waiting on a condition would pass without it.
// (Clicks reaching widgets are exercised by every widget test that taps.)
TEST(EflTestSupport, PumpUntilGivesUpAtTheLimit) {
    double start = ecore_time_get();
    EXPECT_FALSE(msg_test::pumpUntil([] { return false; }, 0.1));
    EXPECT_FALSE(msg_test::runLoopUntil([] { return false; }, 0.1));
    EXPECT_GE(ecore_time_get() - start, 0.2);
}
