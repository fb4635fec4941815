// Start and stop of the application's common services and the usage log.
#include "AppEventRecorder.h"
#include "CommonDeviceTest.h"

#include "FeedSync.h"
#include "JournalStore.h"
#include "LaunchJournal.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonMsgSvc.h"
#include "common/Preference.h"
#include "msg_store/MsgStore.h"

using namespace msg_app;

namespace {

class LifecycleTest : public CommonDeviceTest {
protected:
    void TearDown() override {
        common_util::on_terminate();
        CommonDeviceTest::TearDown();
    }
    AppEventRecorder recorder;
};

TEST_F(LifecycleTest, StoreFollowsTheConsumerStatusAndTerminateStopsAll) {
    common_util::connect_msg_store();
    EXPECT_TRUE(msg_store::ConnectionManager::isConnected());
    ASSERT_TRUE(preference::set(msg_store::PREF_INT_CONSUMER_STATUS, 0));
    ASSERT_TRUE(msg_test::pumpUntil([] { return !msg_store::ConnectionManager::isConnected(); }));
    ASSERT_TRUE(preference::set(msg_store::PREF_INT_CONSUMER_STATUS, 1));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return recorder.count(APP_EVENT_MSG_STORE_READY) == 1; }));
    EXPECT_TRUE(msg_store::ConnectionManager::isConnected());

    // (Restores becoming events is the application's test, which starts these services.)

    app_control_h request = nullptr;
    app_control_create(&request);
    app_control_set_app_id(request, "com.vorlane.w-input-selector");
    ASSERT_TRUE(MCommonAppLaunchMgr::getInstance()->launch(request, nullptr));
    common_util::on_terminate();
    EXPECT_FALSE(msg_store::ConnectionManager::isConnected());
    EXPECT_TRUE(msg_services::LaunchJournal::list().back().terminateRequested);
    // The event bus went with the other services: its listeners are forgotten.
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_RESUMED);
    EXPECT_EQ(0, recorder.count(APP_EVENT_RESUMED));
    ASSERT_TRUE(preference::set(msg_store::PREF_INT_CONSUMER_STATUS, 0));
    ASSERT_TRUE(preference::set(msg_store::PREF_INT_CONSUMER_STATUS, 1));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(1, recorder.count(APP_EVENT_MSG_STORE_READY));
    EXPECT_FALSE(msg_store::ConnectionManager::isConnected());
}

TEST_F(LifecycleTest, UsageLogEntriesAndNoMessagingHandleWithoutOwnTelephony) {
    EXPECT_EQ(0, MCommonMsgSvc::getInstance()->getMsgSize());
    MCommonMsgSvc::release();
    dazo_log::insert("RPYI", "voice");
    dazo_log::insert("CALL", nullptr);
    dazo_log::insert(nullptr, "x");

    auto entries = msg_services::JournalStore::list("usage");
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(entries[0].category + " " + entries[0].text + " " + entries[0].app + ", " + entries[1].category,
              "RPYI voice com.vorlane.message, CALL");
}

} // namespace
