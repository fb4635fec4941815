#include "StoreFixture.h"

#include "MainLoop.h"
#include "Programs.h"

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace msg_store;
using msg_test::StoreTest;

TEST_F(StoreTest, EachWriteAnnouncesEveryMessageItTouchedInCommitOrderAcrossProcesses) {
    record(EVENT_TYPE_STORAGE_CHANGE);
    std::vector<int> ids;
    ASSERT_EQ(PhoneSide::insertMessages({incoming("+100", "a"), incoming("+100", "b")}, &ids),
              MSG_STORE_SUCCESS);
    int tid = threadOf(ids[0]);
    std::string pairs = std::to_string(ids[0]) + "/" + std::to_string(tid) + "," + std::to_string(ids[1]) +
                        "/" + std::to_string(tid);
    ASSERT_EQ(ThreadManager().readThread(tid), MSG_STORE_SUCCESS);
    ASSERT_EQ(ThreadManager().readThread(tid), MSG_STORE_SUCCESS); // nothing left to mark: no event
    ASSERT_EQ(ThreadManager().deleteThread(tid), MSG_STORE_SUCCESS);
    // Events come in the order of the writes, another process's too: the later ones show that none
    // is missing between.
    int next = receive("+200", "next");
    for (int i = 0; i < 3; ++i) {
        msg_test::ProgramRun run = msg_test::runProgram(
            "msg-sim", {"--device", device.path(), "receive", "--from", "+300", "--text", std::to_string(i)});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    ASSERT_TRUE(msg_test::pumpUntil([&] { return events.size() >= 7; }));
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 4),
              (std::vector<std::string>{
                  "msg_inserted:" + pairs, "msg_updated:" + pairs, "msg_deleted:" + pairs,
                  "msg_inserted:" + std::to_string(next) + "/" + std::to_string(threadOf(next))}));
    std::vector<int> inserted;
    for (size_t i = 3; i < events.size(); ++i)
        inserted.push_back(std::atoi(events[i].c_str() + events[i].find(':') + 1));
    EXPECT_TRUE(std::is_sorted(inserted.begin(), inserted.end()));
    EXPECT_EQ(std::set<int>(inserted.begin(), inserted.end()).size(), 4u);
}

TEST_F(StoreTest, SubscriptionsAreExactAndUnsubscribable) {
    std::vector<std::string> other;
    record(EVENT_TYPE_STORAGE_CHANGE);
    ASSERT_EQ(ConnectionManager::subscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb, &other),
              MSG_STORE_SUCCESS);
    EXPECT_EQ(ConnectionManager::subscribeEvent(EVENT_TYPE_STORAGE_CHANGE, nullptr, &other),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    // Removing one instance's subscription leaves the other's running.
    ASSERT_EQ(ConnectionManager::unsubscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb, &other),
              MSG_STORE_SUCCESS);
    EXPECT_EQ(ConnectionManager::unsubscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb, &other),
              MSG_STORE_ERR_NOT_FOUND);
    receive("+100", "one");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return events.size() == 1; }));
    EXPECT_TRUE(other.empty());
    ASSERT_EQ(ConnectionManager::unsubscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb), MSG_STORE_SUCCESS);
    receive("+100", "two");
    // Events come in the order of the writes: once a later one is heard, "two" was handed out.
    ASSERT_EQ(ConnectionManager::subscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb, &other),
              MSG_STORE_SUCCESS);
    std::string three = "msg_inserted:" + std::to_string(receive("+100", "three")) + "/";
    ASSERT_TRUE(msg_test::pumpUntil([&] { return !other.empty() && other.back().rfind(three, 0) == 0; }));
    EXPECT_EQ(events.size(), 1u);
}
