// The screen reader's reading order through the list, in normal and in select mode.
// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "ListScreenFixture.h"

#include "list/MLItem/MLItemButtonMenu.h"
#include "vconf.h"

#include <algorithm>

using namespace msg_app::msg_list;

namespace {

class ListAccessTest : public ListScreenFixture {
protected:
    void SetUp() override {
        ListScreenFixture::SetUp();
        ASSERT_EQ(vconf_set_bool("db/setting/accessibility/tts", 1), VCONF_OK);
    }
    // Whether the screen reader reads `to` right after `from`.
    static bool flows(const Eo* from, const Eo* to) {
        bool found = false;
        Eina_Iterator* relations = efl_access_object_relations_get(from);
        void* data = nullptr;
        EINA_ITERATOR_FOREACH(relations, data) {
            auto* relation = static_cast<Efl_Access_Relation*>(data);
            if (relation->type == EFL_ACCESS_RELATION_TYPE_FLOWS_TO)
                found = found || eina_list_data_find(relation->objects, to);
        }
        eina_iterator_free(relations);
        return found;
    }
};

TEST_F(ListAccessTest, ButtonsHeaderRowsCountAndBottomButtonAreReadInOrder) {
    int older = conversation("+15550001", 1, "a", "", 1600000000000);
    int newer = conversation("+15550002", 1, "b", "", 1700000000000);
    create(LIST_TYPE_THREAD);
    auto* menu = dynamic_cast<MLItemButtonMenu*>(rowAt(1));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return menu->getContactsButton() != nullptr; }));
    Elm_Object_Item* header = elm_genlist_nth_item_get(list->getGenlist(), 2);
    EXPECT_TRUE(flows(menu->getComposeButton(), menu->getContactsButton()));
    EXPECT_TRUE(flows(menu->getContactsButton(), header));
    EXPECT_TRUE(flows(itemOf(newer), itemOf(older)));

    list->doAction(MLListViewController::ACTION_DELETE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return flows(header, countButton()); }));
    EXPECT_TRUE(flows(countButton(), itemOf(newer)));
    EXPECT_TRUE(flows(itemOf(older), list->getBottomButton()));
}

TEST_F(ListAccessTest, ANewRowIsLinkedBetweenItsNeighbours) {
    int older = conversation("+15550001", 1, "a", "", 1600000000000);
    int newest = conversation("+15550003", 1, "c", "", 1700000000000);
    create(LIST_TYPE_THREAD);
    int middle = conversation("+15550002", 1, "b", "", 1650000000000);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return itemOf(middle) != nullptr; }));
    msg_test::runLoopUntilIdle();
    EXPECT_TRUE(flows(itemOf(newest), itemOf(middle)));
    EXPECT_TRUE(flows(itemOf(middle), itemOf(older)));
    EXPECT_FALSE(flows(itemOf(newest), itemOf(older))) << "the old link is gone";
}

} // namespace
