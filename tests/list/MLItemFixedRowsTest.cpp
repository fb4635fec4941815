// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "ListRowFixture.h"

#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemGroupIndex.h"
#include "list/MLItem/MLItemMargin.h"
#include "list/MLItem/MLItemNoContent.h"
#include "list/MLItem/MLItemTitle.h"

using namespace msg_app::msg_list;

namespace {

class FixedRowsTest : public ListRowFixture {
protected:
    Elm_Object_Item* append(MLItem* row) {
        return wgenlist_item_append(genlist, nullptr, row, ELM_GENLIST_ITEM_NONE);
    }
};

} // namespace

TEST_F(FixedRowsTest, StylesTextsAndSelectModes) {
    auto* margin = new MLItemMargin();
    auto* title = new MLItemTitle(LIST_TYPE_THREAD);
    auto* blockedTitle = new MLItemTitle(LIST_TYPE_BLOCKED_MSG);
    auto* index = new MLItemGroupIndex();
    auto* empty = new MLItemNoContent();
    const struct {
        MLItem* row;
        const char* style;
        const char* text;
        Elm_Object_Select_Mode mode;
    } rows[] = {{margin, "title_menu_top_margin", "", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY},
                {title, "title", "Messages", ELM_OBJECT_SELECT_MODE_NONE},
                {blockedTitle, "title", "Blocked messages", ELM_OBJECT_SELECT_MODE_NONE},
                {index, "groupindex", "Messages", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY},
                {empty, "list/nocontent", "No messages", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.style);
        Elm_Object_Item* item = append(r.row);
        ASSERT_TRUE(item);
        EXPECT_STREQ(elm_genlist_item_item_class_get(item)->item_style, r.style);
        EXPECT_EQ(elm_genlist_item_select_mode_get(item), r.mode);
        r.row->setStyle(LIST_STYLE_SELECT);
        r.row->setCheck(true);
        EXPECT_FALSE(r.row->isChecked());
    }
    for (const auto& r : rows) {
        SCOPED_TRACE(r.style);
        ASSERT_TRUE(waitRealized(r.row));
        EXPECT_EQ(shown(r.row, "elm.text"), r.text);
    }
    EXPECT_STREQ(efl_access_object_description_get(index->getElmObjectItem()), "Messages,Header");
    EXPECT_STREQ(efl_access_object_description_get(empty->getElmObjectItem()), "No messages");
}

TEST_F(FixedRowsTest, ButtonRowComposesOnlyInNormalStyle) {
    auto* menu = new MLItemButtonMenu();
    int composed = 0;
    menu->setOnComposeButtonClicked([&] { ++composed; });
    ASSERT_TRUE(append(menu));
    ASSERT_TRUE(waitRealized(menu));
    Evas_Object* compose = menu->getComposeButton();
    ASSERT_TRUE(compose);
    ASSERT_TRUE(menu->getContactsButton());
    msg_test::runLoopUntilIdle();
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(compose, &x, &y, &w, &h);
    window->click(x + w / 2, y + h / 2);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 1; }));

    menu->setStyle(LIST_STYLE_SELECT);
    EXPECT_TRUE(elm_object_disabled_get(compose));
    window->click(x + w / 2, y + h / 2);
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(composed, 1);

    menu->setStyle(LIST_STYLE_NORMAL);
    window->click(x + w / 2, y + h / 2);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 2; }));
    // The whole touch area takes the finger, not only the disc drawn inside it.
    window->click(x + 4, y + 4);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 3; }));

    menu->setAccessInnerOrder(nullptr);
    bool forced = true;
    menu->setAccessInnerOrder(&forced);
    EXPECT_FALSE(forced);
}
