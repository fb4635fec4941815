#include "EflTest.h"
#include "view_kit/WEventFreeze.h"

#include <gtest/gtest.h>

using view_kit::WEventFreeze;

namespace {

void countCb(void* data, Evas*, Evas_Object*, void*) {
    ++*static_cast<int*>(data);
}

// A batch of changes puts off the pointer's question until the outermost batch ends, and then the
// canvas takes input again.
TEST(EventFreezeTest, WhatComesUnderThePointerDuringABatchIsEnteredOnceTheOutermostBatchEnds) {
    msg_test::TestWindow window;
    Evas_Object* box = evas_object_rectangle_add(window.evas());
    evas_object_geometry_set(box, 0, 0, 100, 100);
    int entered = 0, pressed = 0;
    evas_object_event_callback_add(box, EVAS_CALLBACK_MOUSE_IN, countCb, &entered);
    evas_object_event_callback_add(box, EVAS_CALLBACK_MOUSE_DOWN, countCb, &pressed);
    evas_event_feed_mouse_in(window.evas(), 0, nullptr);
    evas_event_feed_mouse_move(window.evas(), 50, 50, 0, nullptr);
    {
        WEventFreeze outer(window.win());
        {
            WEventFreeze inner(box);
            evas_object_show(box);
        }
        EXPECT_EQ(entered, 0);
        EXPECT_GT(evas_event_freeze_get(window.evas()), 0);
        WEventFreeze none(nullptr);
    }
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(evas_event_freeze_get(window.evas()), 0);
    window.click(50, 50);
    EXPECT_EQ(pressed, 1);
}

TEST(EventFreezeTest, TheCanvasMayGoWhileABatchRuns) {
    msg_test::ToolkitErrors errors;
    {
        auto* window = new msg_test::TestWindow;
        WEventFreeze freeze(window->win());
        delete window;
        // The canvas itself is freed when the loop next turns.
        msg_test::runLoopUntilIdle();
    }
    // The end of the batch leaves the canvas that went alone: no call on a dead object.
    EXPECT_EQ(errors.containing(""), std::vector<std::string>{});
}

} // namespace
