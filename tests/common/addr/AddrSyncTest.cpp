// The shared caches, the background contact sync and re-resolution when the
// address book changes, in this process or another.
#include "AddrTest.h"

#include "FeedSync.h"
#include "LogCapture.h"
#include "Programs.h"
#include "common/MCommonAppEventMgr.h"
#include "common/addr/MCommonAddrMgr.h"

using msg_app::MCommonAddr;
using msg_app::MCommonAddrMgr;
using msg_app::MCommonConvAddr;
using ConvList = std::vector<std::shared_ptr<MCommonConvAddr>>;

namespace {

bool allSynced(const ConvList& list) {
    for (const auto& conv : list) {
        if (!conv->isContactSynced())
            return false;
    }
    return true;
}

class AddrSyncTest : public AddrTest {
protected:
    // Conversations held as a list screen holds them, none resolved yet.
    ConvList holdConversations(const std::vector<int>& ids) {
        ConvList list;
        for (int id : ids)
            list.push_back(conv(id));
        return list;
    }
    std::vector<int> makeConversations(int count) {
        std::vector<int> ids;
        for (int i = 0; i < count; ++i, ++_nextSerial)
            ids.push_back(makeConversation({("+1415666" + std::to_string(1000 + _nextSerial)).c_str()}));
        return ids;
    }
    // Each new conversation gets a number of its own: +14156661000, +14156661001, ...
    int _nextSerial = 0;
};

TEST_F(AddrSyncTest, CachesShareLiveObjectsOnly) {
    MCommonAddrMgr* mgr = MCommonAddrMgr::getInstance();
    EXPECT_TRUE(mgr->isContactConnected());
    std::shared_ptr<MCommonAddr> a, b;
    ASSERT_TRUE(mgr->getAddr("+14155550101", a));
    ASSERT_TRUE(mgr->getAddr("+14155550101", b));
    EXPECT_EQ(a, b);
    std::weak_ptr<MCommonAddr> old = a;
    a.reset();
    b.reset();
    EXPECT_TRUE(old.expired()) << "the cache does not keep objects alive";
    ASSERT_TRUE(mgr->getAddr("+14155550101", a));
    EXPECT_STREQ(a->getAddress(), "+14155550101");

    int id = makeConversation({"+14155550101"});
    EXPECT_EQ(conv(id), conv(id));
}

TEST_F(AddrSyncTest, BackgroundSyncResolvesHeldConversationsAndRefusesASecondWhileItRuns) {
    addContact("Grace Hopper", "+14156661003");
    ConvList list = holdConversations(makeConversations(150));
    msg_test::LogCapture log;
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_EQ(log.count("thread is running."), 1);
    EXPECT_EQ(log.count("job-convIds count(150)"), 1);
    // The worker's end reaches the main loop after its last result.
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(list) && log.contains("EndCb of syncThread"); }));
    EXPECT_EQ(rawName(list[3]), "Grace Hopper");
    EXPECT_GT(list[3]->getNthAddr(0)->getContactId(), 0);
    EXPECT_EQ(list[4]->getNthAddr(0)->getContactId(), 0);

    // Once it ended, a sync may start again.
    ConvList more = holdConversations(makeConversations(3));
    log.clear();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_FALSE(log.contains("thread is running."));
    EXPECT_TRUE(log.contains("job-convIds count(3)"));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(more); }));
}

// A contact added while the worker is half-way must not leave names resolved
// against the old address book.
TEST_F(AddrSyncTest, ContactChangeDuringSyncResolvesAgain) {
    ConvList list = holdConversations(makeConversations(300));
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    addContact("Last Of Many", "+14156661299");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactChanges() == 1; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(list); }));
    EXPECT_EQ(rawName(list[299]), "Last Of Many");
}

TEST_F(AddrSyncTest, ReleaseAndConversationsGoingAwayDuringSyncLeaveNothingBehind) {
    msg_test::LogCapture first;
    {
        ConvList list = holdConversations(makeConversations(200));
        MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
        ASSERT_TRUE(msg_test::pumpUntil([&] { return first.contains("start sync contact"); }));
        // The last conversation going away stops the sync.
    }
    ASSERT_TRUE(msg_test::pumpUntil([] { return ecore_thread_active_get() == 0; }));
    ConvList list = holdConversations(makeConversations(200));
    msg_test::LogCapture log;
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_FALSE(log.contains("thread is running.")) << "the stopped sync no longer holds the key";
    ASSERT_TRUE(msg_test::pumpUntil([&] { return log.contains("start sync contact"); }));
    MCommonAddrMgr::release();
    // Objects handed out stay usable, outside the new manager's cache; it resolves them on demand.
    EXPECT_NE(conv(list[5]->getConvId()), list[5]);
    addContact("After Release", "+14156661205");
    list[5]->reload();
    EXPECT_EQ(rawName(list[5]), "After Release");
}

TEST_F(AddrSyncTest, ContactChangeWhilePausedAppliesOnceOnResume) {
    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation({"+14155550177"}));
    const std::string before = rawName(held);

    auto* events = msg_app::MCommonAppEventMgr::getInstance();
    events->emit(msg_app::APP_EVENT_PAUSED);
    addContact("Katherine Johnson", "+14155550177");
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(contactChanges(), 0);
    EXPECT_EQ(rawName(held), before) << "nothing is re-resolved while paused";

    events->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(contactChanges(), 1);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return held->isContactSynced(); }));
    EXPECT_EQ(rawName(held), "Katherine Johnson");
    events->emit(msg_app::APP_EVENT_PAUSED);
    events->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(contactChanges(), 1) << "the missed change is applied once";
}

TEST_F(AddrSyncTest, ContactAddedByAnotherProcessRenamesTheConversation) {
    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation({"+14155550188"}));
    ASSERT_NE(rawName(held), "Dorothy Vaughan");

    ASSERT_EQ(msg_test::runSim({"contact", "add", "--name", "Dorothy Vaughan", "--number", "+14155550188"},
                               device.path())
                  .exitCode,
              0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactChanges() == 1; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return rawName(held) == "Dorothy Vaughan"; }));
}

} // namespace
