#include "ListRowFixture.h"

#include "LogCapture.h"
#include "common/MCommonAppEventMgr.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "list/MLReusableObjectPool.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <vector>

using namespace msg_app::msg_list;

namespace {

class ListViewTest : public ListRowFixture {
protected:
    void TearDown() override {
        if (list)
            list->destroy();
        msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
        MLThreadListBgLoad::destroy();
        ListRowFixture::TearDown();
    }
    void create(ListType type) {
        list = new MLListViewController(type);
        list->setEventListener([this](MLListViewController::Event e) { events.push_back(e); });
        ASSERT_TRUE(list->create(window->win(), nullptr));
        evas_object_resize(list->getEvasObject(), 360, 360);
        evas_object_show(list->getEvasObject());
    }
    MLItem* rowAt(int index) {
        Elm_Object_Item* item = elm_genlist_nth_item_get(list->getGenlist(), index);
        return item ? static_cast<MLItem*>(elm_object_item_data_get(item)) : nullptr;
    }
    int idAt(int index) {
        MLItem* row = rowAt(index);
        return row && row->getType() == MLItem::CONTENT ? static_cast<MLItemContent*>(row)->getItemId() : -1;
    }
    // Many conversations in one store transaction, so one change names them all.
    void receiveMany(int count, int64_t timeMs, const std::string& prefix) {
        std::vector<msg_store::IncomingMessage> messages(count);
        for (int i = 0; i < count; ++i) {
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, prefix + std::to_string(100000 + i)}};
            messages[i].text = "bulk";
            messages[i].time = timeMs + i;
        }
        ASSERT_EQ(msg_store::PhoneSide::insertMessages(messages, nullptr), msg_store::MSG_STORE_SUCCESS);
    }
    MLListViewController* list = nullptr;
    std::vector<MLListViewController::Event> events;
};

} // namespace

TEST_F(ListViewTest, LoadsFixedRowsThenConversationsNewestFirst) {
    int older = conversation("+15550001", 1, "a", "", 1600000000000);
    int newer = conversation("+15550002", 1, "b", "", 1700000000000);
    create(LIST_TYPE_THREAD);
    EXPECT_EQ(list->getItemCount(), 2);
    EXPECT_EQ(rowAt(0)->getType(), MLItem::MARGIN);
    EXPECT_EQ(rowAt(1)->getType(), MLItem::BUTTON_MENU);
    EXPECT_EQ(rowAt(2)->getType(), MLItem::GROUP_INDEX);
    EXPECT_EQ(idAt(3), newer);
    EXPECT_EQ(idAt(4), older);
}

TEST_F(ListViewTest, FiftyChangesOneByOneFiftyOneReload) {
    create(LIST_TYPE_THREAD);
    {
        msg_test::LogCapture log;
        receiveMany(50, 1600000000000, "+1444");
        ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 50; }));
        EXPECT_FALSE(log.contains("too many"));
        EXPECT_EQ(log.count("is inserted"), 50);
    }
    msg_test::LogCapture log;
    receiveMany(51, 1700000000000, "+1333");
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return log.contains("change id cnt(51) is too many. so reload list."); }));
    EXPECT_EQ(list->getItemCount(), 101);
    EXPECT_EQ(log.count("is inserted"), 0);
    EXPECT_EQ(rowAt(2)->getType(), MLItem::GROUP_INDEX);
}

TEST_F(ListViewTest, BlockedListReportsEmptyAndFirstRow) {
    create(LIST_TYPE_BLOCKED_MSG);
    EXPECT_EQ(events,
              std::vector<MLListViewController::Event>{MLListViewController::EVENT_EMPTY_STATE_CHANGED});
    EXPECT_EQ(elm_genlist_items_count(list->getGenlist()), 0u);

    events.clear();
    int msgId = blockedMessage("+15550009", "prize");
    ASSERT_GT(msgId, 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 1; }));
    EXPECT_EQ(rowAt(0)->getType(), MLItem::TITLE);
    EXPECT_EQ(idAt(1), msgId);
    EXPECT_EQ(events,
              (std::vector<MLListViewController::Event>{MLListViewController::EVENT_EMPTY_STATE_CHANGED,
                                                        MLListViewController::EVENT_CHANGED}));

    events.clear();
    ASSERT_EQ(msg_store::MessageManager().restoreBlockedMessage(msgId), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 0; }));
    EXPECT_EQ(events,
              std::vector<MLListViewController::Event>{MLListViewController::EVENT_EMPTY_STATE_CHANGED});
}

TEST_F(ListViewTest, FirstIdleTakesOverFromThePreload) {
    int first = conversation("+15550001", 1, "a", "", 1600000000000);
    MLThreadListBgLoad::getInstance()->start();
    msg_test::LogCapture log;
    create(LIST_TYPE_THREAD);
    EXPECT_TRUE(log.contains("loaded from MLThreadListBgLoad"));
    EXPECT_EQ(idAt(3), first);

    int second = conversation("+15550002", 1, "b", "", 1700000000000);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return idAt(3) == second; }));
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LAUNCH_COMPLETED);
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return log.contains("do process missed storage_changed events"); }));
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::NONE);
    EXPECT_GT(MLReusableObjectPool::getInstance()->getSize(), 0u) << "filled on the first idle";
    // The replayed insertion finds its row already there and does not add it twice.
    EXPECT_EQ(list->getItemCount(), 2);
}
