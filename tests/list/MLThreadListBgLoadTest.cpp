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

// The worker reads the first page and goes on only when asked; the reading is taken over once,
// and whoever lets go of it mid-read ends the worker.
TEST_F(BgLoadTest, TheFirstPageComesFirstAndTheRestWhenAskedForNewestFirst) {
    constexpr size_t COUNT = 300;
    for (size_t i = 0; i < COUNT; ++i)
        receive({"+" + std::to_string(1000 + i), "hello", "", "sms", static_cast<int64_t>(1000 + i)});
    auto* loader = MLThreadListBgLoad::getInstance();
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::NONE);
    EXPECT_FALSE(loader->takeReading()) << "nothing to take before the start";
    time_t before = time(nullptr);
    loader->start();
    std::shared_ptr<MLThreadListBgLoad::Reading> reading = loader->takeReading();
    ASSERT_TRUE(reading);
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::TAKEN);
    EXPECT_FALSE(loader->takeReading()) << "taken over once";
    EXPECT_GE(reading->loadTime(), before);

    std::vector<msg_store::Thread> threads;
    EXPECT_TRUE(reading->take(threads, MLThreadListBgLoad::FIRST_PAGE));
    ASSERT_EQ(threads.size(), MLThreadListBgLoad::FIRST_PAGE) << "the worker waits after the first page";
    EXPECT_EQ(threads.front().time, 1000 + static_cast<int64_t>(COUNT) - 1) << "newest first";
    reading->readOn();
    EXPECT_FALSE(reading->take(threads, COUNT)) << "the read ended and everything was taken";
    ASSERT_EQ(threads.size(), COUNT);
    EXPECT_TRUE(reading->succeeded());
    for (size_t i = 1; i < threads.size(); ++i)
        ASSERT_EQ(threads[i].time, threads[i - 1].time - 1) << "at " << i;

    // Let go of at the first page, and mid-read: the worker ends either way.
    for (bool readOn : {false, true}) {
        MLThreadListBgLoad::destroy();
        MLThreadListBgLoad::getInstance()->start();
        reading = MLThreadListBgLoad::getInstance()->takeReading();
        std::vector<msg_store::Thread> some;
        reading->take(some, 1);
        if (readOn)
            reading->readOn();
        reading.reset();
    }
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
    EXPECT_EQ(*changes,
              (std::vector<std::string>{"msg_inserted:" + std::to_string(first) + "/1",
                                        "msg_inserted:" + std::to_string(second) + "/2",
                                        "groupchat_address_changed:" + std::to_string(first) + "/1"}));

    // After the hand-over nothing more is recorded.
    receive({"+400", "hello", "", "sms", 3000});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(loader->getStorageChanges()->size(), 3u);
}
