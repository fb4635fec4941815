// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "ListRowFixture.h"

#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemGroupIndex.h"
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

TEST_F(FixedRowsTest, TextsDescriptionsAndNoCheckInSelectMode) {
    auto* index = new MLItemGroupIndex();
    auto* empty = new MLItemNoContent();
    const std::pair<MLItem*, std::string> rows[] = {
        {new MLItemTitle(LIST_TYPE_THREAD), "Messages"},
        {new MLItemTitle(LIST_TYPE_BLOCKED_MSG), "Blocked messages"},
        {index, "Messages"},
        {empty, "No messages"}};
    for (const auto& [row, text] : rows) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(append(row));
        row->setStyle(LIST_STYLE_SELECT);
        row->setCheck(true);
        EXPECT_FALSE(row->isChecked());
        ASSERT_TRUE(waitRealized(row));
        EXPECT_EQ(shown(row, "elm.text"), text);
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
}
