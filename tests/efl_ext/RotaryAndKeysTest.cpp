#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Journal {
    std::vector<std::string> calls;
    bool consume = false;
};

Eina_Bool firstCb(void* data, Evas_Object*, Eext_Rotary_Event_Info* info) {
    auto* j = static_cast<Journal*>(data);
    j->calls.push_back(info->direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE ? "first:cw" : "first:ccw");
    return !j->consume;
}

Eina_Bool secondCb(void* data, Evas_Object*, Eext_Rotary_Event_Info*) {
    static_cast<Journal*>(data)->calls.push_back("second");
    return EINA_TRUE;
}

Eina_Bool otherObjectCb(void* data, Evas_Object*, Eext_Rotary_Event_Info*) {
    static_cast<Journal*>(data)->calls.push_back("other object");
    return EINA_TRUE;
}

Eina_Bool handlerCb(void* data, Eext_Rotary_Event_Info*) {
    static_cast<Journal*>(data)->calls.push_back("handler");
    return EINA_TRUE;
}

void backCb(void* data, Evas_Object*, void*) {
    static_cast<Journal*>(data)->calls.push_back("back");
}

void otherBackCb(void* data, Evas_Object*, void*) {
    static_cast<Journal*>(data)->calls.push_back("other back");
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
    Journal journal;
};

TEST_F(RotaryAndKeysTest, OnlyTheActivatedObjectGetsDetentsInPriorityOrder) {
    Evas_Object* a = shownRect();
    Evas_Object* b = shownRect();
    ASSERT_TRUE(eext_rotary_object_event_callback_add(a, secondCb, &journal));
    ASSERT_TRUE(eext_rotary_object_event_callback_priority_add(a, -100, firstCb, &journal));
    ASSERT_TRUE(eext_rotary_object_event_callback_add(b, otherObjectCb, &journal));
    eext_rotary_object_event_activated_set(a, EINA_TRUE);
    evas_event_feed_mouse_move(window.evas(), 50, 50, 0, nullptr);
    window.pressKey("Next");
    wheel(-1);
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:cw", "second", "first:ccw", "second"}));

    journal.calls.clear();
    journal.consume = true;
    wheel(1);
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:cw"}));

    journal.calls.clear();
    eext_rotary_object_event_activated_set(b, EINA_TRUE);
    EXPECT_FALSE(eext_rotary_object_event_activated_get(a));
    window.pressKey("Prior");
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"other object"}));
}

TEST_F(RotaryAndKeysTest, DeactivatingOrDeletingTheActiveObjectLeavesDetentsToTheHandlers) {
    Evas_Object* a = shownRect();
    eext_rotary_object_event_callback_add(a, firstCb, &journal);
    ASSERT_TRUE(eext_rotary_event_handler_add(handlerCb, &journal));
    eext_rotary_object_event_activated_set(a, EINA_TRUE);
    eext_rotary_object_event_activated_set(a, EINA_FALSE);
    window.pressKey("Next");
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"handler"}));

    journal.calls.clear();
    eext_rotary_object_event_activated_set(a, EINA_TRUE);
    evas_object_del(a);
    window.pressKey("Next");
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"handler"}));
    EXPECT_EQ(eext_rotary_event_handler_del(handlerCb), &journal);
    EXPECT_EQ(eext_rotary_object_event_callback_del(a, firstCb), nullptr);
}

TEST_F(RotaryAndKeysTest, BackGoesToTheNewestShownRegistration) {
    Evas_Object* screen = shownRect();
    Evas_Object* popup = shownRect();
    eext_object_event_callback_add(screen, EEXT_CALLBACK_BACK, backCb, &journal);
    eext_object_event_callback_add(popup, EEXT_CALLBACK_BACK, otherBackCb, &journal);
    window.pressKey("Escape");
    evas_object_hide(popup);
    window.pressKey("Escape");
    evas_object_show(popup);
    EXPECT_EQ(eext_object_event_callback_del(popup, EEXT_CALLBACK_BACK, otherBackCb), &journal);
    window.pressKey("Escape");
    evas_object_del(screen);
    window.pressKey("Escape");
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"other back", "back", "back"}));
}

TEST_F(RotaryAndKeysTest, BadArgumentsAreRefused) {
    EXPECT_FALSE(eext_rotary_object_event_callback_add(nullptr, firstCb, nullptr));
    EXPECT_FALSE(eext_rotary_object_event_callback_add(shownRect(), nullptr, nullptr));
    eext_object_event_callback_add(nullptr, EEXT_CALLBACK_BACK, backCb, nullptr);
    eext_object_event_callback_add(shownRect(), EEXT_CALLBACK_LAST, backCb, &journal);
    window.pressKey("Escape");
    EXPECT_TRUE(journal.calls.empty());
    EXPECT_EQ(eext_circle_object_genlist_add(shownRect(), nullptr), nullptr);
    EXPECT_EQ(eext_more_option_add(nullptr), nullptr);
}

} // namespace
