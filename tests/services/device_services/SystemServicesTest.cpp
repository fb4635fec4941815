// Features, capabilities, carrier switches, storage, power, feedback, the peer services and the profiles.
#include "ServicesFixture.h"

#include "DeviceProfiles.h"
#include "FeatureStore.h"
#include "JournalStore.h"
#include "capability_manager.h"
#include "device_power.h"
#include "fabrel.h"
#include "feedback.h"
#include "mdm.h"
#include "net_connection.h"
#include "preference.h"
#include "storage.h"
#include "system_info.h"
#include "tarvik.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <cstdlib>
#include <string>

using msg_services::FeatureStore;
using msg_services::JournalStore;

namespace {

bool platformFeature(const char* key) {
    bool value = false;
    EXPECT_EQ(system_info_get_platform_bool(key, &value), SYSTEM_INFO_ERROR_NONE) << key;
    return value;
}

std::string capability(const char* name) {
    capability_manager_h record = nullptr;
    EXPECT_EQ(capability_manager_create(&record), CAPABILITY_MANAGER_ERROR_NONE);
    char* value = nullptr;
    int error = capability_manager_get_value_str(record, name, &value);
    std::string text = error == CAPABILITY_MANAGER_ERROR_NONE ? value : "<" + std::to_string(error) + ">";
    std::free(value);
    capability_manager_destroy(record);
    return text;
}

int vconfInt(const char* key) {
    int value = -99;
    EXPECT_EQ(vconf_get_int(key, &value), VCONF_OK) << key;
    return value;
}

int connectionType() {
    connection_h connection = nullptr;
    EXPECT_EQ(connection_create(&connection), CONNECTION_ERROR_NONE);
    connection_type_e type = CONNECTION_TYPE_DISCONNECTED;
    int error = connection_get_type(connection, &type);
    connection_destroy(connection);
    return error == CONNECTION_ERROR_NONE ? type : error;
}

int remoteLinkState() {
    fabrel_h handle = nullptr;
    EXPECT_EQ(fabrel_create(&handle), FABREL_ERROR_NONE);
    int state = -1;
    EXPECT_EQ(fabrel_get_service_state(handle, FABREL_SERVICE_REMOTE, &state), FABREL_ERROR_NONE);
    fabrel_destroy(handle);
    return state;
}

int sharedPreference(const char* key) {
    int value = -99;
    EXPECT_EQ(preference_get_int(key, &value), PREFERENCE_ERROR_NONE) << key;
    return value;
}

} // namespace

using FeatureTest = ServicesTest;
using DeviceServicesTest = ServicesTest;
using DeviceProfileTest = ServicesTest;

TEST_F(FeatureTest, FeaturesCapabilitiesAndCarrierSwitchesFollowTheFeatureStore) {
    EXPECT_FALSE(platformFeature("http://orvex.org/feature/network.telephony"));
    EXPECT_EQ(capability("messaging"), "true");
    std::string error;
    ASSERT_TRUE(FeatureStore::set("network.telephony", "on", &error)) << error;
    ASSERT_TRUE(FeatureStore::set("messaging", "off", &error)) << error;
    EXPECT_TRUE(platformFeature("feature/network.telephony"));
    EXPECT_EQ(capability("messaging"), "false");
    EXPECT_EQ(capability("teleportation"), "<" + std::to_string(CAPABILITY_MANAGER_ERROR_NO_DATA) + ">");

    // A custom feature is not a platform feature, and unknown features are errors.
    bool value = true;
    EXPECT_EQ(system_info_get_custom_bool("http://developer.vorlane.com/orvex/feature/mdm", &value),
              SYSTEM_INFO_ERROR_NONE);
    EXPECT_FALSE(value);
    EXPECT_EQ(system_info_get_platform_bool("http://developer.vorlane.com/orvex/feature/mdm", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(system_info_get_platform_bool("feature/no.such.thing", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(FeatureStore::set("network.telephony", "maybe", &error));
    EXPECT_TRUE(platformFeature("feature/network.telephony"));

    // Any numbered carrier switch can be set, not only the known ones; texts fit the caller's buffer.
    EXPECT_FALSE(zeq_feature_get_bool(99));
    ASSERT_TRUE(FeatureStore::set("zeq/99", "on", &error)) << error;
    ASSERT_TRUE(FeatureStore::set("zeq/12", "here", &error)) << error;
    EXPECT_TRUE(zeq_feature_get_bool(99));
    char buffer[128] = "untouched";
    ASSERT_EQ(zeq_feature_get_str(12, buffer, sizeof(buffer)), ZEQ_FEATURE_ERROR_NONE);
    EXPECT_STREQ(buffer, "here");
    char small[4] = "abc";
    EXPECT_EQ(zeq_feature_get_str(12, small, sizeof(small)), ZEQ_FEATURE_ERROR_BUFFER_TOO_SMALL);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(zeq_feature_get_str(99, buffer, sizeof(buffer)), ZEQ_FEATURE_ERROR_NO_DATA);
}

TEST_F(DeviceServicesTest, StoragePowerAndFeedbackFollowTheDevice) {
    ASSERT_EQ(vconf_set_int("memory/private/device/storage_free_kb", 512), VCONF_OK);
    struct statvfs pretended {};
    ASSERT_EQ(storage_get_internal_memory_size(&pretended), STORAGE_ERROR_NONE);
    EXPECT_EQ(static_cast<unsigned long long>(pretended.f_bsize) * pretended.f_bavail, 512ull * 1024);

    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_TAP), FEEDBACK_ERROR_NOT_INITIALIZED);
    ASSERT_EQ(feedback_initialize(), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play_type(FEEDBACK_TYPE_VIBRATION, FEEDBACK_PATTERN_MESSAGE), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_LIST_LONG_PRESS), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play(static_cast<feedback_pattern_e>(18)), FEEDBACK_ERROR_INVALID_PARAMETER);
    ASSERT_EQ(feedback_deinitialize(), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(device_power_request_lock(POWER_LOCK_DISPLAY_DIM, 0), DEVICE_ERROR_NONE);
    EXPECT_EQ(device_power_request_lock(POWER_LOCK_CPU, -5), DEVICE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(device_power_release_lock(POWER_LOCK_DISPLAY_DIM), DEVICE_ERROR_NONE);

    auto feedback = JournalStore::list("feedback");
    ASSERT_EQ(feedback.size(), 2u);
    EXPECT_EQ(feedback[0].category + " " + feedback[0].text,
              "vibration " + std::to_string(FEEDBACK_PATTERN_MESSAGE));
    EXPECT_EQ(feedback[1].category + " " + feedback[1].text, "all 19");
    auto power = JournalStore::list("power");
    ASSERT_EQ(power.size(), 2u);
    EXPECT_EQ(power[0].category + " " + power[0].text, "lock 2 0");
    EXPECT_EQ(power[1].category, "unlock");
}

TEST_F(DeviceServicesTest, PeerServicesFollowTheirSettings) {
    EXPECT_EQ(mdm_get_allow_text_messaging("*"), MDM_STATUS_ERROR); // the service was not obtained
    ASSERT_EQ(mdm_get_service(), MDM_RESULT_SUCCESS);
    ASSERT_EQ(vconf_set_int("db/private/mdm/text_messaging/SIM1", 1), VCONF_OK);
    EXPECT_EQ(mdm_get_allow_text_messaging("SIM1"), MDM_RESTRICTED);
    EXPECT_EQ(mdm_get_allow_text_messaging("*"), MDM_ALLOWED);
    EXPECT_EQ(mdm_release_service(), MDM_RESULT_SUCCESS);
    ASSERT_EQ(vconf_set_bool("db/private/mdm/available", 0), VCONF_OK);
    EXPECT_EQ(mdm_get_service(), MDM_RESULT_SERVICE_NOT_ENABLED);

    EXPECT_EQ(connectionType(), CONNECTION_TYPE_BT);
    ASSERT_EQ(vconf_set_int("memory/dnet/status", 42), VCONF_OK);
    EXPECT_EQ(connectionType(), CONNECTION_ERROR_OPERATION_FAILED);

    // The number-sharing status of the sync service is checked through the application's number sync.
    int status = -1;
    tarvik_h sharing = nullptr;
    ASSERT_EQ(tarvik_init(&sharing), TARVIK_ERROR_NONE);
    ASSERT_EQ(vconf_set_int("db/private/tarvik/status", 1), VCONF_OK);
    ASSERT_EQ(tarvik_service_get_status_sync(sharing, &status), TARVIK_ERROR_NONE);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(tarvik_deinit(sharing), TARVIK_ERROR_NONE);
}

TEST_F(DeviceProfileTest, StandaloneAndOverlaysThenPhoneBtUndoesStandalone) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("standalone", &error)) << error;
    EXPECT_TRUE(platformFeature("feature/network.telephony.mms"));
    EXPECT_EQ(vconfInt("db/setup_wizard/standalone"), 1);
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 0);
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_CELLULAR);
    EXPECT_EQ(sharedPreference("consumer_preference_int_peer_connection_status"), 0);
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("power-saving", &error)) << error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("retail", &error)) << error;
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    EXPECT_EQ(vconfInt("db/retailmode/enabled"), 1);
    EXPECT_EQ(vconfInt("memory/telephony/sim_slot"), 1);

    ASSERT_TRUE(msg_services::DeviceProfiles::apply("phone-bt", &error)) << error;
    EXPECT_FALSE(platformFeature("feature/network.telephony"));
    EXPECT_EQ(vconfInt("memory/telephony/sim_slot"), 0);
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_BT);
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    EXPECT_EQ(sharedPreference("consumer_preference_int_peer_connection_status"), 1);

    ASSERT_TRUE(msg_services::DeviceProfiles::apply("default", &error)) << error;
    EXPECT_EQ(vconfInt("db/setting/psmode"), 0);
    EXPECT_EQ(vconfInt("db/retailmode/enabled"), 0);
    EXPECT_FALSE(msg_services::DeviceProfiles::apply("moon", &error));
    EXPECT_NE(error.find("moon"), std::string::npos);
}

TEST_F(DeviceProfileTest, RemoteMakesTheInternetLinkUsable) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("remote", &error)) << error;
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_WIFI);
    EXPECT_EQ(remoteLinkState(), FABREL_STATE_CONNECTED);
    EXPECT_EQ(vconfInt("db/private/merrowin/status"), 4);
    EXPECT_EQ(sharedPreference("consumer_preference_int_peer_connection_status"), 1);
}

// Other tests change the device through msg-sim's set, pref and profile; these are its answers.
TEST_F(DeviceProfileTest, MsgSimShowsSettingsAndRefusesBadInput) {
    ASSERT_EQ(sim({"set", "memory/private/yox/conn_type", "16"}), 0) << lastRun.err;
    ASSERT_EQ(sim({"get", "memory/private/yox/conn_type"}), 0);
    EXPECT_NE(lastRun.out.find("memory/private/yox/conn_type = 16 (int)"), std::string::npos) << lastRun.out;
    ASSERT_EQ(sim({"pref", "com.vorlane.message", "msg_preference_int_send_as_option", "2"}), 0);
    ASSERT_EQ(sim({"--json", "pref", "com.vorlane.message"}), 0);
    EXPECT_NE(lastRun.out.find("\"msg_preference_int_send_as_option\" : 2"), std::string::npos)
        << lastRun.out;

    // Bad input: a clear message and a non-zero exit, nothing changed.
    EXPECT_EQ(sim({"set", "memory/private/yox/conn_type", "bluetooth"}), 2);
    EXPECT_NE(lastRun.err.find("is not of type int"), std::string::npos) << lastRun.err;
    const std::vector<std::string> refused[] = {
        {"set", "db/brand/new", "1"}, {"profile", "moon"}, {"feature", "network.telephony", "maybe"}};
    for (const auto& args : refused)
        EXPECT_EQ(sim(args), 2) << args[0];
    EXPECT_EQ(sim({"get", "db/no/such/key"}), 1);
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 16);
}
