#include "EflTest.h"

#include <gtest/gtest.h>

using msg_test::pumpUntil;
using msg_test::TestWindow;

TEST(EflTestSupport, ClickReachesAButton) {
    TestWindow window;
    Evas_Object* button = elm_button_add(window.win());
    elm_object_text_set(button, "OK");
    evas_object_move(button, 100, 150);
    evas_object_resize(button, 160, 60);
    evas_object_show(button);
    int clicks = 0;
    evas_object_smart_callback_add(
        button, "clicked", [](void* data, Evas_Object*, void*) { ++*static_cast<int*>(data); }, &clicks);
    msg_test::runLoopUntilIdle();
    window.click(180, 180);
    EXPECT_TRUE(pumpUntil([&] { return clicks == 1; }, 2.0));
    window.click(10, 10);
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(clicks, 1);
}

TEST(EflTestSupport, PumpUntilGivesUpAtTheLimit) {
    double start = ecore_time_get();
    EXPECT_FALSE(pumpUntil([] { return false; }, 0.1));
    EXPECT_GE(ecore_time_get() - start, 0.1);
}
