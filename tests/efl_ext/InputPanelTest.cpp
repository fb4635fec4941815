// The watch's input panel as the user sees it: drawn where its events say it is,
// taking the touches there, and lowered by the first back key.
#include "EflTest.h"

#include <Ecore_IMF.h>
#include <efl_extension.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

using Box = std::array<int, 4>;

void countBackCb(void* data, Evas_Object*, void*) {
    ++*static_cast<int*>(data);
}

void countTouchCb(void* data, Evas*, Evas_Object*, void*) {
    ++*static_cast<int*>(data);
}

// The panel drawn on the canvas, when one is shown.
Evas_Object* drawnPanel(Evas* evas) {
    for (Evas_Object* o = evas_object_bottom_get(evas); o; o = evas_object_above_get(o)) {
        const char* group = nullptr;
        if (evas_object_visible_get(o) && !strcmp(evas_object_type_get(o), "edje")) {
            edje_object_file_get(o, nullptr, &group);
            if (group && !strcmp(group, "eext/input_panel"))
                return o;
        }
    }
    return nullptr;
}

TEST(InputPanelTest, AFocusedEntryDrawsThePanelWhereItIsReportedAndTheFirstBackLowersIt) {
    int backs = 0, touches = 0;
    msg_test::TestWindow window;
    // The back key's handler brings the device's keys and panel to the window, before any entry.
    eext_object_event_callback_add(window.win(), EEXT_CALLBACK_BACK, countBackCb, &backs);
    // The screen under the panel, which counts the touches that reach it.
    Evas_Object* screen = evas_object_rectangle_add(window.evas());
    evas_object_resize(screen, 360, 360);
    evas_object_event_callback_add(screen, EVAS_CALLBACK_MOUSE_DOWN, countTouchCb, &touches);
    evas_object_show(screen);
    Evas_Object* entry = elm_entry_add(window.win());
    elm_entry_single_line_set(entry, EINA_TRUE);
    evas_object_move(entry, 40, 20);
    evas_object_resize(entry, 280, 50);
    evas_object_show(entry);

    ASSERT_EQ(nullptr, drawnPanel(window.evas()));
    elm_object_focus_set(entry, EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return drawnPanel(window.evas()) != nullptr; }))
        << "no panel drawn";
    // The prediction row makes the panel higher; both sizes are drawn as reported.
    std::vector<int> heights;
    for (bool prediction : {true, false}) {
        SCOPED_TRACE(prediction ? "with prediction" : "without prediction");
        elm_entry_prediction_allow_set(entry, prediction ? EINA_TRUE : EINA_FALSE);
        Box reported{}, drawn{};
        ecore_imf_context_input_panel_geometry_get(
            static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(entry)), &reported[0], &reported[1],
            &reported[2], &reported[3]);
        evas_object_geometry_get(drawnPanel(window.evas()), &drawn[0], &drawn[1], &drawn[2], &drawn[3]);
        EXPECT_EQ(reported, (Box{0, 360 - reported[3], 360, reported[3]}));
        EXPECT_EQ(drawn, reported);
        heights.push_back(reported[3]);
        // A touch on the panel is the keyboard's, not the screen's below it.
        window.click(180, 340);
        EXPECT_EQ(0, touches);
    }
    EXPECT_GT(heights[0], heights[1]);
    EXPECT_GT(heights[1], 0);

    window.pressKey("Escape");
    EXPECT_EQ(nullptr, drawnPanel(window.evas()));
    window.click(180, 340);
    EXPECT_EQ(1, touches) << "the lowered panel still takes the touches";
    EXPECT_EQ(0, backs) << "the first back only lowers the panel";
    window.pressKey("Escape");
    EXPECT_EQ(1, backs);
}

} // namespace
