#include "ListStoreFixture.h"

#include "MainLoop.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

using msg_app::msg_list::MLThreadListBgLoad;

namespace {

class BgLoadTest : public ListStoreFixture {
protected:
    void TearDown() override {
        MLThreadListBgLoad::destroy();
        ListStoreFixture::TearDown();
    }
};

} // namespace

TEST_F(BgLoadTest, ConversationsAreHandedOutOnceAfterTheWorkerEnds) {
    for (int i = 0; i < 300; ++i)
        receive({"+" + std::to_string(1000 + i), "hello", "", "sms", 1000 + i});
    auto* loader = MLThreadListBgLoad::getInstance();
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::NONE);
    time_t before = time(nullptr);
    loader->start();
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::STARTED);

    std::shared_ptr<std::vector<msg_store::Thread>> threads;
    loader->getThreads(threads); // blocks until the worker is done
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::JOINED);
    ASSERT_TRUE(threads);
    ASSERT_EQ(threads->size(), 300u);
    EXPECT_EQ(threads->front().time, 1299) << "newest first";
    EXPECT_GE(loader->getLoadTime(), before);

    std::shared_ptr<std::vector<msg_store::Thread>> again;
    loader->getThreads(again);
    EXPECT_FALSE(again);
    EXPECT_EQ(loader->getCount(), 0);
}

TEST_F(BgLoadTest, ChangesBeforeTheHandOverAreRecordedInOrderOnce) {
    // A witness subscription tells when the feed has delivered to every subscriber.
    std::vector<std::string> seen;
    auto witness = [](const char* payload, void* data) {
        static_cast<std::vector<std::string>*>(data)->push_back(payload);
    };
    for (auto event : {msg_store::EVENT_TYPE_STORAGE_CHANGE, msg_store::EVENT_TYPE_GROUPCHAT_STATE_CHANGE})
        ASSERT_EQ(msg_store::ConnectionManager::subscribeEvent(event, witness, &seen),
                  msg_store::MSG_STORE_SUCCESS);
    auto* loader = MLThreadListBgLoad::getInstance();
    EXPECT_EQ(loader->getStorageChanges(), nullptr) << "nothing recorded before the start";
    loader->start();
    int first = receive({"+100", "hello", "", "sms", 1000});
    int second = receive({"+200", "hello", "", "sms", 2000});
    ASSERT_EQ(msg_store::PhoneSide::setAddresses(
                  1, {{msg_store::ADDRESS_TYPE_PHONE, "+100"}, {msg_store::ADDRESS_TYPE_PHONE, "+300"}}),
              msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return seen.size() == 3; }));

    auto* changes = loader->getStorageChanges();
    ASSERT_TRUE(changes);
    ASSERT_EQ(changes->size(), 3u);
    EXPECT_EQ(changes->at(0), "msg_inserted:" + std::to_string(first) + "/1");
    EXPECT_EQ(changes->at(1), "msg_inserted:" + std::to_string(second) + "/2");
    EXPECT_EQ(changes->at(2), "groupchat_address_changed:" + std::to_string(first) + "/1");

    // After the hand-over nothing more is recorded.
    receive({"+400", "hello", "", "sms", 3000});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(loader->getStorageChanges()->size(), 3u);
}
