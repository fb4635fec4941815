#include "EflTest.h"
#include "TestControllers.h"
#include "view_kit/WGenlistItem.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using view_kit::WGenlistItem;

namespace {

class CountedItem : public WGenlistItem {
public:
    CountedItem(int& alive, int& selected) : _alive(alive), _selected(selected) { ++_alive; }
    ~CountedItem() override { --_alive; }

    Elm_Genlist_Item_Class* getItemClassNew() override {
        Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
        itc->item_style = "default";
        itc->func.text_get = [](void*, Evas_Object*, const char*) -> char* { return strdup("row"); };
        return itc;
    }
    void onSelect(Elm_Object_Item* item) override {
        ++_selected;
        elm_genlist_item_selected_set(item, EINA_FALSE);
    }
    void onSetElmObjectItem(Elm_Object_Item* item) override { seenItem = item; }

    Elm_Object_Item* seenItem = nullptr;

private:
    int& _alive;
    int& _selected;
};

class GenlistItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        genlist = elm_genlist_add(window.win());
        elm_win_resize_object_add(window.win(), genlist);
        evas_object_show(genlist);
    }

    msg_test::TestWindow window;
    Evas_Object* genlist = nullptr;
    int alive = 0;
    int selected = 0;
};

TEST_F(GenlistItemTest, RowsRunTheirOnSelectLinkTheirParentWeaklyAndDieWithTheGenlist) {
    msg_test::CallJournal journal;
    auto* page = new msg_test::JournalPage(journal, "page");
    ASSERT_TRUE(page->create(window.win(), nullptr));
    CountedItem* first = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* item = new CountedItem(alive, selected);
        first = first ? first : item;
        item->attachToParentViewController(page);
        Elm_Object_Item* it = wgenlist_item_append(genlist, nullptr, item, ELM_GENLIST_ITEM_NONE);
        ASSERT_NE(it, nullptr);
        EXPECT_EQ(item->seenItem, it);
    }
    EXPECT_EQ(first->getParentViewController().get(), page);
    elm_genlist_item_selected_set(first->getElmObjectItem(), EINA_TRUE);
    EXPECT_EQ(selected, 1);

    page->destroy();
    EXPECT_EQ(first->getParentViewController(), nullptr);
    elm_object_item_del(first->getElmObjectItem());
    EXPECT_EQ(alive, 2);
    evas_object_del(genlist);
    EXPECT_EQ(alive, 0);
}

// A class without the row's own delete callback would leak the row: refused. A row handed over in its
// handle is the genlist's once placed and gone at once when refused, in every place a row can go; one
// given by pointer stays its caller's.
TEST_F(GenlistItemTest, AClassThatWouldLeakItsRowIsRefusedAndARowInItsHandleGoesWithTheRefusal) {
    Elm_Genlist_Item_Class* leaking = elm_genlist_item_class_new();
    leaking->item_style = "default";
    {
        CountedItem kept(alive, selected);
        EXPECT_EQ(wgenlist_item_append(genlist, leaking, &kept, ELM_GENLIST_ITEM_NONE), nullptr);
        EXPECT_EQ(elm_genlist_items_count(genlist), 0u);
    }
    using Place = std::function<Elm_Object_Item*(Elm_Genlist_Item_Class*, std::unique_ptr<WGenlistItem>)>;
    const Place places[] = {
        [&](Elm_Genlist_Item_Class* itc, std::unique_ptr<WGenlistItem> row) {
            return wgenlist_item_append(genlist, itc, std::move(row), ELM_GENLIST_ITEM_NONE);
        },
        [&](Elm_Genlist_Item_Class* itc, std::unique_ptr<WGenlistItem> row) {
            return wgenlist_item_prepend(genlist, itc, std::move(row), ELM_GENLIST_ITEM_NONE);
        },
        [&](Elm_Genlist_Item_Class* itc, std::unique_ptr<WGenlistItem> row) {
            return wgenlist_item_insert_before(genlist, itc, std::move(row),
                                               elm_genlist_first_item_get(genlist), ELM_GENLIST_ITEM_NONE);
        },
    };
    unsigned placed = 0;
    for (const Place& place : places) {
        EXPECT_EQ(place(leaking, std::make_unique<CountedItem>(alive, selected)), nullptr);
        EXPECT_EQ(alive, static_cast<int>(placed)) << "the refused row is deleted";
        EXPECT_NE(place(nullptr, std::make_unique<CountedItem>(alive, selected)), nullptr);
        EXPECT_EQ(elm_genlist_items_count(genlist), ++placed);
        EXPECT_EQ(alive, static_cast<int>(placed)) << "the placed row lives in its genlist item";
    }
    elm_genlist_item_class_free(leaking);
    evas_object_del(genlist);
    EXPECT_EQ(alive, 0);
}

} // namespace
