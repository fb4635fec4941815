// The bezel's detents: only the activated object gets them, and the circle genlist moves by one row a
// detent, however quickly the detents come.
#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A registration that writes "<name>:<direction>" to the shared calls.
struct Listener {
    std::vector<std::string>* calls;
    const char* name;
    bool consume = false;
};

Eina_Bool rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info* info) {
    auto* l = static_cast<Listener*>(data);
    l->calls->push_back(std::string(l->name) +
                        (info->direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE ? ":cw" : ":ccw"));
    return !l->consume;
}

TEST(RotaryAndKeysTest, OnlyTheActivatedObjectGetsDetentsInPriorityOrder) {
    msg_test::TestWindow window;
    std::vector<std::string> calls;
    auto shownRect = [&] {
        Evas_Object* rect = evas_object_rectangle_add(window.evas());
        evas_object_resize(rect, 100, 100);
        evas_object_show(rect);
        return rect;
    };
    auto wheel = [&](int z) { evas_event_feed_mouse_wheel(window.evas(), 0, z, 0, nullptr); };
    Evas_Object* a = shownRect();
    Evas_Object* b = shownRect();
    Listener first{&calls, "first"}, second{&calls, "second"}, other{&calls, "other"};
    ASSERT_TRUE(eext_rotary_object_event_callback_add(a, rotaryCb, &second));
    ASSERT_TRUE(eext_rotary_object_event_callback_priority_add(a, -100, rotaryCb, &first));
    ASSERT_TRUE(eext_rotary_object_event_callback_add(b, rotaryCb, &other));
    eext_rotary_object_event_activated_set(a, EINA_TRUE);
    evas_event_feed_mouse_move(window.evas(), 50, 50, 0, nullptr);
    window.pressKey("Next");
    wheel(-1);
    EXPECT_EQ(calls, (std::vector<std::string>{"first:cw", "second:cw", "first:ccw", "second:ccw"}));

    calls.clear();
    first.consume = true;
    wheel(1);
    EXPECT_EQ(calls, (std::vector<std::string>{"first:cw"}));

    calls.clear();
    eext_rotary_object_event_activated_set(b, EINA_TRUE);
    EXPECT_FALSE(eext_rotary_object_event_activated_get(a));
    window.pressKey("Prior");
    EXPECT_EQ(calls, (std::vector<std::string>{"other:ccw"}));

    // Deactivated, or deleted while active: nobody gets the detents.
    calls.clear();
    eext_rotary_object_event_activated_set(b, EINA_FALSE);
    window.pressKey("Next");
    eext_rotary_object_event_activated_set(a, EINA_TRUE);
    evas_object_del(a);
    window.pressKey("Next");
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(eext_rotary_object_event_callback_del(a, rotaryCb), nullptr);
    EXPECT_FALSE(eext_rotary_object_event_callback_add(nullptr, rotaryCb, nullptr));
}

constexpr int ROWS = 40;

char* rowText(void* data, Evas_Object*, const char*) {
    return strdup(std::to_string(reinterpret_cast<intptr_t>(data)).c_str());
}

class CircleGenlistTest : public ::testing::Test {
protected:
    void SetUp() override {
        genlist = elm_genlist_add(window.win());
        elm_genlist_mode_set(genlist, ELM_LIST_COMPRESS);
        evas_object_size_hint_weight_set(genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_win_resize_object_add(window.win(), genlist);
        addRows(0, ROWS, elm_genlist_item_append);
        evas_object_show(genlist);
        circle = eext_circle_object_genlist_add(genlist, nullptr);
        ASSERT_NE(circle, nullptr);
        eext_rotary_object_event_activated_set(circle, EINA_TRUE);
        auto setCb = [](void* data, Evas_Object*, void*) { *static_cast<bool*>(data) = true; };
        auto clearCb = [](void* data, Evas_Object*, void*) { *static_cast<bool*>(data) = false; };
        evas_object_smart_callback_add(genlist, "scroll,anim,start", setCb, &gliding);
        evas_object_smart_callback_add(genlist, "scroll,anim,stop", clearCb, &gliding);
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
    }
    // Rows showing first .. first + count - 1, each appended or prepended.
    template <typename Add> void addRows(intptr_t first, intptr_t count, Add add) {
        Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
        itc->item_style = "default";
        itc->func.text_get = rowText;
        for (intptr_t i = first; i < first + count; ++i)
            add(genlist, itc, reinterpret_cast<void*>(i), nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
        elm_genlist_item_class_free(itc);
    }
    Elm_Object_Item* middleItem() {
        int x, y, w, h;
        evas_object_geometry_get(genlist, &x, &y, &w, &h);
        return elm_genlist_at_xy_item_get(genlist, x + w / 2, y + h / 2, nullptr);
    }
    // The index of the row in the middle.
    int middleRow() {
        Elm_Object_Item* item = middleItem();
        return item ? elm_genlist_item_index_get(item) : -1;
    }
    // Whether the list stops gliding with the row in the middle: a row passed on the way is not it.
    bool restsAt(int row) {
        return msg_test::runLoopUntil([&] { return !gliding && middleRow() == row; });
    }

    // Where the scroll bar's thumb is drawn: the angle of its bright pixels on the bar's ring, in
    // degrees from 3 o'clock, clockwise; NAN when none are drawn.
    double thumbAngle() {
        Ecore_Evas* ee = ecore_evas_ecore_evas_get(window.evas());
        ecore_evas_manual_render(ee);
        const auto* pixels = static_cast<const uint32_t*>(ecore_evas_buffer_pixels_get(ee));
        double sumX = 0, sumY = 0;
        int count = 0;
        for (int y = 0; pixels && y < 360; ++y) {
            for (int x = 0; x < 360; ++x) {
                double r = std::hypot(x + 0.5 - 180, y + 0.5 - 180);
                // The thumb is near white; the track under it is dim.
                if (r > 164 && r < 176 && (pixels[y * 360 + x] & 0xff) > 160) {
                    sumX += x + 0.5 - 180;
                    sumY += y + 0.5 - 180;
                    ++count;
                }
            }
        }
        return count ? std::atan2(sumY, sumX) * 180 / M_PI : NAN;
    }

    msg_test::TestWindow window;
    Evas_Object* genlist = nullptr;
    Evas_Object* circle = nullptr;
    bool gliding = false;
};

// The thumb rides the track from its top end, with the first row at the top, to its bottom end.
TEST_F(CircleGenlistTest, TheScrollBarsThumbRidesTheTrackFromEndToEnd) {
    elm_genlist_item_show(elm_genlist_first_item_get(genlist), ELM_GENLIST_ITEM_SCROLLTO_TOP);
    ASSERT_TRUE(msg_test::runLoopUntilPartState(circle, "clip", "shown"));
    EXPECT_NEAR(thumbAngle(), -24, 1.5);
    elm_genlist_item_show(elm_genlist_last_item_get(genlist), ELM_GENLIST_ITEM_SCROLLTO_BOTTOM);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_NEAR(thumbAngle(), 24, 1.5);
}

// Detents back to back, each before the list has moved for the one before, move it a row each, either
// way. An older page put in above while the list glides to a row: the glide ends on that row, wherever
// it now stands in the list, and the next detent goes on from it, not from the row that took its place.
TEST_F(CircleGenlistTest, EachDetentWhileTheListGlidesMovesItARowAndRowsPutInAboveLeaveItOnItsRow) {
    const int top = middleRow();
    ASSERT_GT(top, 0);
    for (int i = 0; i < 5; ++i)
        window.pressKey("Next");
    ASSERT_TRUE(restsAt(top + 5)) << middleRow();
    for (int i = 0; i < 3; ++i)
        window.pressKey("Prior");
    const int start = top + 2;
    ASSERT_TRUE(restsAt(start)) << middleRow();
    auto middleText = [&] {
        Elm_Object_Item* item = middleItem();
        const char* text = item ? elm_object_item_part_text_get(item, "elm.text") : nullptr;
        return std::string(text ? text : "");
    };
    // Indices count from 1, the rows' texts from 0: one and two rows above the row at index start.
    const std::string aboveOnce = std::to_string(start - 2), aboveTwice = std::to_string(start - 3);
    window.pressKey("Prior");
    ASSERT_TRUE(gliding || msg_test::runLoopUntil([&] { return gliding; }));
    addRows(ROWS, 5, elm_genlist_item_prepend);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return !gliding; }));
    EXPECT_EQ(middleText(), aboveOnce);
    window.pressKey("Prior");
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return !gliding && middleText() == aboveTwice; }))
        << middleText();

    // The list deleted while it glides takes the row held with it.
    window.pressKey("Prior");
    ASSERT_TRUE(gliding || msg_test::runLoopUntil([&] { return gliding; }));
    evas_object_del(genlist);
    EXPECT_TRUE(msg_test::runLoopUntilIdle());
}

Evas_Object* tallContent(void*, Evas_Object* obj, const char* part) {
    if (std::strcmp(part, "elm.swallow.icon") != 0)
        return nullptr;
    Evas_Object* rect = evas_object_rectangle_add(evas_object_evas_get(obj));
    evas_object_size_hint_min_set(rect, 10, 900);
    return rect;
}

// A row taller than the list is read through half a list a detent, each glide going on from where
// the last one goes, then the next row comes; back the same way. Rows put in above while the list
// glides through the row leave the glide at its place in the row.
TEST_F(CircleGenlistTest, DetentsReadARowTallerThanTheListThroughThenGoOn) {
    Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
    itc->item_style = "default";
    itc->func.content_get = tallContent;
    Elm_Object_Item* above = elm_genlist_nth_item_get(genlist, 10);
    Elm_Object_Item* tall = elm_genlist_item_insert_after(genlist, itc, nullptr, nullptr, above,
                                                          ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    elm_genlist_item_class_free(itc);
    elm_genlist_item_show(above, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    int gy, gh, ty, th;
    evas_object_geometry_get(genlist, nullptr, &gy, nullptr, &gh);
    auto tallTop = [&] {
        Evas_Object* track = elm_object_item_track(tall);
        evas_object_geometry_get(track, nullptr, &ty, nullptr, &th);
        elm_object_item_untrack(tall);
        return ty - gy;
    };
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        tallTop();
        return th > gh;
    })) << th;
    // Where the row's top stands after each detent: at the list's top as it comes in, then half a list
    // up a detent until its bottom is at the list's bottom.
    std::vector<int> tops{0};
    while (tops.back() > gh - th)
        tops.push_back(std::max(gh - th, tops.back() - gh / 2));
    for (int top : tops) {
        window.pressKey("Next");
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !gliding && tallTop() == top; })) << tallTop();
    }
    window.pressKey("Next");
    EXPECT_TRUE(restsAt(elm_genlist_item_index_get(tall) + 1));

    // Back: the row comes in at its bottom, then the list moves up through it, a page going in above
    // during the first glide within it.
    window.pressKey("Prior");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !gliding && tallTop() == gh - th; })) << tallTop();
    window.pressKey("Prior");
    ASSERT_TRUE(gliding || msg_test::runLoopUntil([&] { return gliding; }));
    addRows(ROWS, 5, elm_genlist_item_prepend);
    const int expected = std::min(0, gh - th + gh / 2);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return !gliding && tallTop() == expected; })) << tallTop();
}

} // namespace
