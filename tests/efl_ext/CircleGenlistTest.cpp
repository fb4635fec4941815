// The circle genlist moves by one row a detent, however quickly the detents come.
#include "EflTest.h"

#include <efl_extension.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

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
        Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
        itc->item_style = "default";
        itc->func.text_get = rowText;
        for (intptr_t i = 0; i < ROWS; ++i)
            elm_genlist_item_append(genlist, itc, reinterpret_cast<void*>(i), nullptr, ELM_GENLIST_ITEM_NONE,
                                    nullptr, nullptr);
        elm_genlist_item_class_free(itc);
        evas_object_show(genlist);
        circle = eext_circle_object_genlist_add(genlist, nullptr);
        ASSERT_NE(circle, nullptr);
        eext_rotary_object_event_activated_set(circle, EINA_TRUE);
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
    }
    // The index of the row in the middle once the list has stopped gliding.
    int middleRow() {
        msg_test::runLoopFor(GLIDE_SECONDS);
        int x, y, w, h;
        evas_object_geometry_get(genlist, &x, &y, &w, &h);
        Elm_Object_Item* item = elm_genlist_at_xy_item_get(genlist, x + w / 2, y + h / 2, nullptr);
        return item ? elm_genlist_item_index_get(item) : -1;
    }

    static constexpr double GLIDE_SECONDS = 1.5;
    msg_test::TestWindow window;
    Evas_Object* genlist = nullptr;
    Evas_Object* circle = nullptr;
};

TEST_F(CircleGenlistTest, DetentsThatComeWhileTheListStillGlidesEachMoveItByARow) {
    const int start = middleRow();
    ASSERT_GT(start, 0);
    const struct {
        const char* key;
        int rows;
    } turns[] = {{"Next", 5}, {"Prior", 3}};
    int expected = start;
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.key);
        // Back to back: each comes before the list has moved for the one before.
        for (int i = 0; i < turn.rows; ++i)
            window.pressKey(turn.key);
        expected += std::strcmp(turn.key, "Next") == 0 ? turn.rows : -turn.rows;
        EXPECT_EQ(middleRow(), expected);
    }
}

} // namespace
