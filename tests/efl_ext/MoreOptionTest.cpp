#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MoreOptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = eext_more_option_add(window.win());
        ASSERT_NE(panel, nullptr);
        evas_object_size_hint_weight_set(panel, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_win_resize_object_add(window.win(), panel);
        evas_object_show(panel);
        for (const char* text : {"Reply", "Call", "Delete"}) {
            Eext_Object_Item* item = eext_more_option_item_append(panel);
            ASSERT_NE(item, nullptr);
            eext_more_option_item_part_text_set(item, "selector,main_text", text);
            items.push_back(item);
        }
        msg_test::runLoopUntilIdle();
    }

    // The cue sits on the right edge, in the middle.
    // Edje hands its signals over on the next loop iterations.
    void settle() { msg_test::runLoopUntilIdle(); }
    void tapCue() {
        window.click(350, 180);
        settle();
    }
    void tapItem(Eext_Object_Item* item) {
        int x, y, w, h;
        evas_object_geometry_get(item->obj, &x, &y, &w, &h);
        window.click(x + w / 2, y + h / 2);
        settle();
    }
    bool waitFor(const std::string& signal) {
        return msg_test::runLoopUntil([&] { return count(signal) > 0; }, 3.0);
    }
    int count(const std::string& signal) {
        int n = 0;
        for (const std::string& e : events)
            n += e == signal;
        return n;
    }

    msg_test::TestWindow window;
    Evas_Object* panel = nullptr;
    std::vector<Eext_Object_Item*> items;
    std::vector<std::string> events;
    std::vector<Eext_Object_Item*> eventItems;
};

// One recorder per signal, so that the test knows which one fired.
struct Recorder {
    std::vector<std::string>* events;
    std::vector<Eext_Object_Item*>* items;
    const char* name;
};

void namedRecordCb(void* data, Evas_Object*, void* info) {
    auto* r = static_cast<Recorder*>(data);
    r->events->push_back(r->name);
    r->items->push_back(static_cast<Eext_Object_Item*>(info));
}

class MoreOptionEventsTest : public MoreOptionTest {
protected:
    void SetUp() override {
        MoreOptionTest::SetUp();
        for (const char* name :
             {"more,option,opened", "more,option,closed", "item,clicked", "item,selected"}) {
            recorders.push_back({&events, &eventItems, name});
        }
        for (Recorder& r : recorders)
            evas_object_smart_callback_add(panel, r.name, namedRecordCb, &r);
    }
    void TearDown() override {
        for (Recorder& r : recorders)
            evas_object_smart_callback_del_full(panel, r.name, namedRecordCb, &r);
    }
    std::vector<Recorder> recorders;
};

TEST_F(MoreOptionEventsTest, TappingTheCueOpensThePanelAndBackClosesIt) {
    EXPECT_FALSE(eext_more_option_opened_get(panel));
    tapCue();
    EXPECT_TRUE(eext_more_option_opened_get(panel));
    ASSERT_TRUE(waitFor("more,option,opened"));
    Evas_Object* selector = eext_more_option_rotary_selector_get(panel);
    EXPECT_EQ(eext_rotary_selector_selected_item_get(selector), items[0]);
    EXPECT_TRUE(eext_rotary_object_event_activated_get(panel));

    window.pressKey("Escape");
    EXPECT_FALSE(eext_more_option_opened_get(panel));
    ASSERT_TRUE(waitFor("more,option,closed"));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(panel));
}

TEST_F(MoreOptionEventsTest, TheBezelMovesTheSelectionAndATapClicksAnItem) {
    eext_more_option_opened_set(panel, EINA_TRUE);
    ASSERT_TRUE(waitFor("more,option,opened"));
    events.clear();
    eventItems.clear();
    window.pressKey("Next");
    window.pressKey("Next");
    window.pressKey("Next"); // stays on the last item
    EXPECT_EQ(events, (std::vector<std::string>{"item,selected", "item,selected"}));
    EXPECT_EQ(eventItems.back(), items[2]);
    Evas_Object* selector = eext_more_option_rotary_selector_get(panel);
    EXPECT_STREQ(elm_object_part_text_get(selector, "selector,main_text"), "Delete");

    events.clear();
    eventItems.clear();
    tapItem(items[1]);
    EXPECT_EQ(events, (std::vector<std::string>{"item,selected", "item,clicked"}));
    EXPECT_EQ(eventItems.back(), items[1]);
    // A tap in the middle clicks the selected item.
    window.click(180, 180);
    settle();
    EXPECT_EQ(events.back(), "item,clicked");
    EXPECT_EQ(eventItems.back(), items[1]);
}

TEST_F(MoreOptionEventsTest, CueSignalsAndItemRemoval) {
    Evas_Object* cue = elm_object_part_content_get(panel, "elm.swallow.right");
    ASSERT_NE(cue, nullptr);
    EXPECT_NE(elm_layout_edje_get(cue), nullptr);
    EXPECT_NE(edje_object_part_object_get(elm_layout_edje_get(cue), "access"), nullptr);
    elm_object_signal_emit(panel, "cue,hide", "elm");
    ASSERT_TRUE(msg_test::runLoopUntilPartState(elm_layout_edje_get(panel), "elm.swallow.right", "hidden"));
    tapCue();
    EXPECT_FALSE(eext_more_option_opened_get(panel));

    eext_more_option_item_del(items[1]);
    const Eina_List* list = eext_more_option_items_get(panel);
    ASSERT_EQ(eina_list_count(list), 2u);
    EXPECT_EQ(eina_list_nth(list, 1), items[2]);
    eext_more_option_items_clear(panel);
    EXPECT_EQ(eext_more_option_items_get(panel), nullptr);
}

TEST_F(MoreOptionEventsTest, TheBezelGoesBackToItsOwnerWhenThePanelCloses) {
    Evas_Object* list = evas_object_rectangle_add(window.evas());
    eext_rotary_object_event_activated_set(list, EINA_TRUE);
    eext_more_option_opened_set(panel, EINA_TRUE);
    EXPECT_TRUE(eext_rotary_object_event_activated_get(panel));
    eext_more_option_opened_set(panel, EINA_FALSE);
    EXPECT_TRUE(eext_rotary_object_event_activated_get(list));
    ASSERT_TRUE(waitFor("more,option,closed"));
}

} // namespace
