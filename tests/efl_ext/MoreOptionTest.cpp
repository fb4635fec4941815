#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const kSignals[] = {"more,option,opened", "more,option,closed", "item,clicked", "item,selected"};

// What the panel announced, in order, and the item each signal carried.
struct Heard {
    std::vector<std::string> signals;
    std::vector<Eext_Object_Item*> items;
};

// One callback per signal, so that the record names the signal that fired.
template <int I> void recordCb(void* data, Evas_Object*, void* info) {
    auto* heard = static_cast<Heard*>(data);
    heard->signals.push_back(kSignals[I]);
    heard->items.push_back(static_cast<Eext_Object_Item*>(info));
}

TEST(MoreOptionTest, TheCueOpensThePanelTheBezelSelectsTheMiddleClicksAndBackHandsTheBezelBack) {
    Heard heard;
    msg_test::TestWindow window;
    Evas_Object* panel = eext_more_option_add(window.win());
    ASSERT_NE(panel, nullptr);
    evas_object_size_hint_weight_set(panel, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(window.win(), panel);
    evas_object_show(panel);
    std::vector<Eext_Object_Item*> items;
    for (const char* text : {"Reply", "Call", "Delete"}) {
        items.push_back(eext_more_option_item_append(panel));
        eext_more_option_item_part_text_set(items.back(), "selector,main_text", text);
    }
    const Evas_Smart_Cb callbacks[] = {recordCb<0>, recordCb<1>, recordCb<2>, recordCb<3>};
    for (int i = 0; i < 4; ++i)
        evas_object_smart_callback_add(panel, kSignals[i], callbacks[i], &heard);
    msg_test::runLoopUntilIdle();
    // Edje hands its signals over on the next loop iterations.
    auto clickAndSettle = [&](int x, int y) {
        window.click(x, y);
        msg_test::runLoopUntilIdle();
    };
    auto waitFor = [&](const std::string& signal) {
        return msg_test::runLoopUntil([&] {
            return std::find(heard.signals.begin(), heard.signals.end(), signal) != heard.signals.end();
        });
    };

    Evas_Object* list = evas_object_rectangle_add(window.evas());
    eext_rotary_object_event_activated_set(list, EINA_TRUE);
    EXPECT_FALSE(eext_more_option_opened_get(panel));
    clickAndSettle(350, 180); // the cue, on the right edge
    EXPECT_TRUE(eext_more_option_opened_get(panel));
    ASSERT_TRUE(waitFor("more,option,opened"));
    Evas_Object* selector = eext_more_option_rotary_selector_get(panel);
    EXPECT_EQ(eext_rotary_selector_selected_item_get(selector), items[0]);
    EXPECT_TRUE(eext_rotary_object_event_activated_get(panel));

    heard = Heard();
    for (int i = 0; i < 3; ++i) // the third stays on the last item
        window.pressKey("Next");
    EXPECT_EQ(heard.signals, (std::vector<std::string>{"item,selected", "item,selected"}));
    EXPECT_EQ(heard.items.back(), items[2]);
    EXPECT_STREQ(elm_object_part_text_get(selector, "selector,main_text"), "Delete");

    // A tap in the middle clicks the selected item (tapping an item itself is exercised by the
    // option view's tests).
    clickAndSettle(180, 180);
    EXPECT_EQ(heard.signals.back(), "item,clicked");
    EXPECT_EQ(heard.items.back(), items[2]);

    window.pressKey("Escape");
    EXPECT_FALSE(eext_more_option_opened_get(panel));
    ASSERT_TRUE(waitFor("more,option,closed"));
    EXPECT_FALSE(eext_rotary_object_event_activated_get(panel));
    EXPECT_TRUE(eext_rotary_object_event_activated_get(list));
}

} // namespace
