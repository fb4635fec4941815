#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

namespace {

char* rowTextCb(void* data, Evas_Object*, const char*) {
    return strdup(("row " + std::to_string(reinterpret_cast<intptr_t>(data))).c_str());
}

class CircleGenlistTest : public ::testing::Test {
protected:
    void SetUp() override {
        genlist = elm_genlist_add(window.win());
        evas_object_size_hint_weight_set(genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_win_resize_object_add(window.win(), genlist);
        evas_object_show(genlist);
        Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
        itc->item_style = "default";
        itc->func.text_get = rowTextCb;
        for (intptr_t i = 0; i < 40; ++i)
            elm_genlist_item_append(genlist, itc, reinterpret_cast<void*>(i), nullptr, ELM_GENLIST_ITEM_NONE,
                                    nullptr, nullptr);
        elm_genlist_item_class_free(itc);
        surface = eext_circle_surface_layout_add(genlist);
        circle = eext_circle_object_genlist_add(genlist, surface);
        auto started = [](void* data, Evas_Object*, void*) {
            ++static_cast<CircleGenlistTest*>(data)->scrolls;
        };
        auto stopped = [](void* data, Evas_Object*, void*) {
            ++static_cast<CircleGenlistTest*>(data)->rests;
        };
        evas_object_smart_callback_add(genlist, "scroll,anim,start", started, this);
        evas_object_smart_callback_add(genlist, "scroll,anim,stop", stopped, this);
        msg_test::runLoopUntilIdle();
    }
    int regionY() {
        int y = 0;
        elm_scroller_region_get(genlist, nullptr, &y, nullptr, nullptr);
        return y;
    }

    msg_test::TestWindow window;
    Evas_Object* genlist = nullptr;
    Eext_Circle_Surface* surface = nullptr;
    Evas_Object* circle = nullptr;
    // Scroll animations started and ended.
    int scrolls = 0;
    int rests = 0;
};

TEST_F(CircleGenlistTest, DetentsScrollTheListOnlyWhileItsCircleObjectIsActive) {
    ASSERT_NE(circle, nullptr);
    evas_event_feed_mouse_move(window.evas(), 180, 180, 0, nullptr);
    evas_event_feed_mouse_wheel(window.evas(), 0, 1, 0, nullptr);
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(scrolls, 0) << "a detent starts its scroll at once";
    EXPECT_EQ(regionY(), 0);

    eext_rotary_object_event_activated_set(circle, EINA_TRUE);
    for (int i = 0; i < 5; ++i)
        window.pressKey("Next");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return scrolls > 0 && rests == scrolls; }));
    int down = regionY();
    EXPECT_GT(down, 0);
    window.pressKey("Prior");
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return regionY() < down; }));
    // A second circle object for the same genlist is refused.
    EXPECT_EQ(eext_circle_object_genlist_add(genlist, surface), nullptr);
}

} // namespace
