// The watch's input panel as the user sees it: drawn where its events say it is,
// taking the touches there, and lowered by the first back key.
#include "EflTest.h"

#include <Ecore_IMF.h>
#include <efl_extension.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr const char* PANEL_GROUP = "eext/input_panel";

struct Box {
    int x, y, w, h;
    bool operator==(const Box& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};

void countBackCb(void* data, Evas_Object*, void*) {
    ++*static_cast<int*>(data);
}

class InputPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The back key's handler brings the device's keys and panel to the window, before any entry.
        eext_object_event_callback_add(window.win(), EEXT_CALLBACK_BACK, countBackCb, &backs);
        entry = elm_entry_add(window.win());
        elm_entry_single_line_set(entry, EINA_TRUE);
        evas_object_move(entry, 40, 20);
        evas_object_resize(entry, 280, 50);
        evas_object_show(entry);
    }
    void TearDown() override {
        eext_object_event_callback_del(window.win(), EEXT_CALLBACK_BACK, countBackCb);
        evas_object_del(entry);
    }

    // The panel drawn on the canvas, when one is shown.
    Evas_Object* drawnPanel() const {
        for (Evas_Object* o = evas_object_bottom_get(window.evas()); o; o = evas_object_above_get(o)) {
            const char* group = nullptr;
            if (evas_object_visible_get(o) && !strcmp(evas_object_type_get(o), "edje")) {
                edje_object_file_get(o, nullptr, &group);
                if (group && !strcmp(group, PANEL_GROUP))
                    return o;
            }
        }
        return nullptr;
    }
    Box drawnBox() const {
        Box b{};
        evas_object_geometry_get(drawnPanel(), &b.x, &b.y, &b.w, &b.h);
        return b;
    }
    Box reportedBox() const {
        Box b{};
        auto* imf = static_cast<Ecore_IMF_Context*>(elm_entry_imf_context_get(entry));
        ecore_imf_context_input_panel_geometry_get(imf, &b.x, &b.y, &b.w, &b.h);
        return b;
    }

    // The outermost object that keeps a touch at (x, y), past those that let it through.
    Evas_Object* touchedAt(int x, int y) const {
        Eina_List* found = evas_objects_at_xy_get(window.evas(), x, y, EINA_FALSE, EINA_FALSE);
        Evas_Object* keeper = nullptr;
        Eina_List* it = nullptr;
        void* data = nullptr;
        EINA_LIST_FOREACH(found, it, data) {
            auto* o = static_cast<Evas_Object*>(data);
            if (!evas_object_repeat_events_get(o)) {
                keeper = o;
                break;
            }
        }
        eina_list_free(found);
        while (keeper && evas_object_smart_parent_get(keeper))
            keeper = evas_object_smart_parent_get(keeper);
        return keeper;
    }

    msg_test::TestWindow window;
    int backs = 0;
    Evas_Object* entry = nullptr;
};

TEST_F(InputPanelTest, AFocusedEntryDrawsThePanelWhereItIsReportedAndTheFirstBackLowersIt) {
    ASSERT_EQ(nullptr, drawnPanel());
    elm_object_focus_set(entry, EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return drawnPanel() != nullptr; })) << "no panel drawn";
    // The prediction row makes the panel higher; both sizes are drawn as reported.
    for (bool prediction : {true, false}) {
        SCOPED_TRACE(prediction ? "with prediction" : "without prediction");
        elm_entry_prediction_allow_set(entry, prediction ? EINA_TRUE : EINA_FALSE);
        Box reported = reportedBox();
        EXPECT_EQ(reported, (Box{0, 360 - reported.h, 360, reported.h}));
        EXPECT_EQ(drawnBox(), reported);
        // A touch on the panel is the keyboard's, not the screen's below it.
        EXPECT_EQ(drawnPanel(), touchedAt(180, 340));
    }

    window.pressKey("Escape");
    EXPECT_EQ(nullptr, drawnPanel());
    EXPECT_EQ(0, backs) << "the first back only lowers the panel";
    window.pressKey("Escape");
    EXPECT_EQ(1, backs);
}

} // namespace
