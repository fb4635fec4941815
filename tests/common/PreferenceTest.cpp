#include "CommonDeviceTest.h"

#include "common/Preference.h"
#include "preference.h"

using namespace msg_app;

namespace {

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

TEST_F(PreferenceTest, InitWritesMissingDefaultsOnceFlagged) {
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
}

TEST_F(PreferenceTest, TypedAccessRefusesWrongTypesAndNulls) {
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
