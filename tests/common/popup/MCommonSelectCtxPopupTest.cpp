// The select-all context popup: its items, their styles, a tap and its position.
#include "common/popup/MCommonSelectCtxPopup.h"
#include "WatchScreenTest.h"

#include <gtest/gtest.h>

using msg_app::MCommonSelectCtxPopup;

namespace {

class MCommonSelectCtxPopupTest : public WatchScreenTest {
protected:
    std::vector<Elm_Object_Item*> items(MCommonSelectCtxPopup* popup) {
        std::vector<Elm_Object_Item*> result;
        for (Elm_Object_Item* it = elm_ctxpopup_first_item_get(popup->getEvasObject()); it;
             it = elm_ctxpopup_item_next_get(it))
            result.push_back(it);
        return result;
    }
    std::string itemStyle(Elm_Object_Item* item) {
        const char* style = elm_object_item_style_get(item);
        return style ? style : "";
    }
    int selectAll = 0;
    int deselectAll = 0;
};

TEST_F(MCommonSelectCtxPopupTest, ItemsFollowTheCallbacksAndTheirStylesATapRunsOneAndBackDismisses) {
    // Both items: styled top and bottom; the back key dismisses the popup without running either.
    auto* popup = new MCommonSelectCtxPopup();
    popup->setSelectAllItemCb([this] { ++selectAll; });
    popup->setDeselectAllItemCb([this] { ++deselectAll; });
    ASSERT_TRUE(page->attachPopup(popup));
    auto weak = popup->getWeakPtr();
    EXPECT_STREQ("select_mode", elm_object_style_get(popup->getEvasObject()));
    auto list = items(popup);
    ASSERT_EQ(2u, list.size());
    EXPECT_STREQ("Select all", elm_object_item_text_get(list[0]));
    EXPECT_EQ("select_mode/top", itemStyle(list[0]));
    EXPECT_EQ("select_mode/bottom", itemStyle(list[1]));
    ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(popup->getEvasObject())));
    pressKey("Escape");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
    EXPECT_EQ(0, selectAll + deselectAll);

    // Only the deselect callback: one unstyled item, which fills the list and runs on a tap.
    popup = new MCommonSelectCtxPopup();
    popup->setDeselectAllItemCb([this] { ++deselectAll; });
    ASSERT_TRUE(page->attachPopup(popup));
    weak = popup->getWeakPtr();
    list = items(popup);
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ("Deselect all", elm_object_item_text_get(list[0]));
    EXPECT_EQ(std::string::npos, itemStyle(list[0]).find("select_mode/"));
    Evas_Object* itemList = elm_object_content_get(popup->getEvasObject());
    ASSERT_TRUE(msg_test::runLoopUntilShown(itemList));
    clickCenter(itemList);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));
    EXPECT_EQ(1, deselectAll);
    EXPECT_EQ(0, selectAll);
}

} // namespace
