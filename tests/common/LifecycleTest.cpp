// Start and stop of the application's common services, the first run's preferences and the usage log.
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

using PreferenceTest = CommonDeviceTest;

int intPref(const char* key) {
    int value = -100;
    EXPECT_TRUE(preference::get(key, &value)) << key;
    return value;
}

// 0 or 1, -1 when there is no such boolean.
int boolPref(const char* key) {
    bool value = false;
    return preference::get(key, &value) ? value : -1;
}

TEST_F(PreferenceTest, InitWritesMissingDefaultsOnceFlaggedAndTypedReadsRefuseOtherTypes) {
    ASSERT_TRUE(preference::set("msg_preference_bool_initialized", true));
    preference::init();
    EXPECT_FALSE(preference::exist("msg_preference_int_send_as_option"));

    ASSERT_TRUE(preference::set("msg_preference_bool_initialized", false));
    ASSERT_TRUE(preference::set("consumer_preference_int_consumer_status", 1));
    setString("db/zeq/country_iso", "KR");
    preference::init();
    EXPECT_EQ(1, intPref("consumer_preference_int_consumer_status")) << "an existing value is kept";
    for (const char* key :
         {"msg_preference_int_send_as_option", "msg_bnr_setting_restore_count",
          "msg_bnr_blocked_number_restore_count", "consumer_preference_int_peer_connection_status",
          "consumer_preference_int_sending_message_id"})
        EXPECT_EQ(0, intPref(key));
    EXPECT_EQ(1, intPref("consumer_preference_int_default_sms_application"));
    EXPECT_EQ(0, boolPref("consumer_preference_bool_support_sending_mms"));
    EXPECT_EQ(1, boolPref("msg_preference_bool_initialized"));
    EXPECT_EQ(1, boolPref("msg_preference_bool_auto_summarize")) << "a Korean SIM turns the summary on";
    // Without own telephony the conditional ones stay absent.
    EXPECT_FALSE(preference::exist("msg_preference_int_alert_reminder"));
    EXPECT_FALSE(preference::exist("msg_nms_x_days_range"));

    // Typed reads refuse another type, a missing key and a null one, and leave the value alone.
    ASSERT_TRUE(preference::set("msg_preference_int_send_as_option", 5));
    bool b = true;
    EXPECT_FALSE(preference::get("msg_preference_int_send_as_option", &b));
    EXPECT_TRUE(b);
    int i = 9;
    EXPECT_FALSE(preference::get("no_such_key", &i));
    EXPECT_EQ(9, i);
    EXPECT_FALSE(preference::exist(nullptr));
}

} // namespace
