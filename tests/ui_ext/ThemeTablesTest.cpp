#include "EflTest.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <qel.h>

#include <cstring>
#include <fstream>

namespace {

class ThemeTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(dir.file("colors.xml")) << R"(<?xml version="1.0"?>
<ChangeableColorTable><Theme style="Dark">
  <ChangeableColorInfo id="AO012" color="#102030FF"/>
  <ChangeableColorInfo id="AT017" color="#A0B0C080"/>
  <ChangeableColorInfo id="T012" color="#FFFFFF"/>
  <ChangeableColorInfo id="BAD1" color="#12"/>
</Theme></ChangeableColorTable>)";
        std::ofstream(dir.file("broken.xml")) << "<ChangeableColorTable><Theme>";
    }
    void TearDown() override {
        qel_theme_color_table_free(colors);
        qel_theme_changeable_ui_enabled_set(EINA_TRUE);
    }

    msg_test::TempDir dir;
    msg_test::TestWindow window;
    Qel_Theme_Color_Table* colors = nullptr;
};

// Font tables, read from the real file, are checked by the composer's helper tests.
TEST_F(ThemeTablesTest, CodesResolveToColoursOfTheCurrentTableAndReplaceColoursOnLayoutsAndRows) {
    colors = qel_theme_color_table_new(dir.file("colors.xml").c_str());
    ASSERT_NE(colors, nullptr);
    int r = -1, g = -1, b = -1, a = -1;
    EXPECT_FALSE(qel_theme_get_color("AO012", &r, &g, &b, &a)) << "not current yet";

    ASSERT_TRUE(qel_theme_color_table_set(colors));
    ASSERT_TRUE(qel_theme_get_color("AT017", &r, &g, &b, &a));
    EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{0xA0, 0xB0, 0xC0, 0x80}));
    ASSERT_TRUE(qel_theme_get_color("T012", &r, &g, &b, &a));
    EXPECT_EQ(a, 255);
    EXPECT_FALSE(qel_theme_get_color("BAD1", &r, &g, &b, &a));

    // The codes are Edje classes now.
    int er, eg, eb, ea;
    ASSERT_TRUE(edje_color_class_get("AO012", &er, &eg, &eb, &ea, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr));
    EXPECT_EQ((std::vector<int>{er, eg, eb, ea}), (std::vector<int>{0x10, 0x20, 0x30, 0xFF}));

    // A freed table stops being current; unreadable tables and a disabled switch change nothing.
    qel_theme_color_table_free(colors);
    colors = nullptr;
    EXPECT_FALSE(qel_theme_get_color("AO012", &r, &g, &b, &a));
    EXPECT_EQ(qel_theme_color_table_new(dir.file("missing.xml").c_str()), nullptr);
    EXPECT_EQ(qel_theme_color_table_new(dir.file("broken.xml").c_str()), nullptr);
    colors = qel_theme_color_table_new(dir.file("colors.xml").c_str());
    qel_theme_changeable_ui_enabled_set(EINA_FALSE);
    EXPECT_FALSE(qel_theme_color_table_set(colors));
    EXPECT_FALSE(qel_theme_get_color("AO012", &r, &g, &b, &a));
    qel_theme_changeable_ui_enabled_set(EINA_TRUE);

    // Replacing a colour on a layout, and on a realized row, takes the target code's colour.
    ASSERT_TRUE(qel_theme_color_table_set(colors));
    Evas_Object* layout = elm_layout_add(window.win());
    elm_layout_theme_set(layout, "layout", "application", "content-back");
    ASSERT_TRUE(qel_theme_object_replace_color(layout, "T012", "AT017"));
    ASSERT_TRUE(edje_object_color_class_get(elm_layout_edje_get(layout), "T012", &r, &g, &b, &a, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{0xA0, 0xB0, 0xC0, 0x80}));
    EXPECT_FALSE(qel_theme_object_replace_color(layout, "T012", "UNKNOWN"));
    EXPECT_FALSE(qel_theme_object_replace_color(nullptr, "T012", "AT017"));

    Evas_Object* genlist = elm_genlist_add(window.win());
    evas_object_move(genlist, 0, 0);
    evas_object_resize(genlist, 360, 360);
    evas_object_show(genlist);
    static Elm_Genlist_Item_Class itc = {};
    itc.item_style = "default";
    itc.func.text_get = [](void*, Evas_Object*, const char*) -> char* { return strdup("row"); };
    Elm_Object_Item* item =
        elm_genlist_item_append(genlist, &itc, nullptr, nullptr, ELM_GENLIST_ITEM_NONE, nullptr, nullptr);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return elm_object_item_track(item) != nullptr; }));
    elm_object_item_untrack(item);
    // A realized row holds rectangles and text parts, which have no members to ask for. The colours
    // are applied again after the layout pass: no error counts once that has run.
    msg_test::ToolkitErrors errors;
    qel_theme_object_item_replace_color(item, "T012", "AT017");
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(errors.containing(""), std::vector<std::string>{});
}

} // namespace
