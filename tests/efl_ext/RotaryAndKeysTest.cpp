#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

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

class RotaryAndKeysTest : public ::testing::Test {
protected:
    Evas_Object* shownRect() {
        Evas_Object* rect = evas_object_rectangle_add(window.evas());
        evas_object_resize(rect, 100, 100);
        evas_object_show(rect);
        return rect;
    }
    void wheel(int z) { evas_event_feed_mouse_wheel(window.evas(), 0, z, 0, nullptr); }

    msg_test::TestWindow window;
    std::vector<std::string> calls;
};

TEST_F(RotaryAndKeysTest, OnlyTheActivatedObjectGetsDetentsInPriorityOrder) {
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

} // namespace
