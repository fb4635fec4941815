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
#include "merrowin.h"
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
using PeerServicesTest = ServicesTest;
using DeviceProfileTest = ServicesTest;

TEST_F(FeatureTest, FeaturesAreReadByUriOrPathAndByTheirKind) {
    EXPECT_FALSE(platformFeature("http://orvex.org/feature/network.telephony"));
    EXPECT_FALSE(platformFeature("feature/network.telephony.mms"));
    std::string error;
    ASSERT_TRUE(FeatureStore::set("network.telephony", "on", &error)) << error;
    EXPECT_TRUE(platformFeature("http://orvex.org/feature/network.telephony"));

    bool value = true;
    EXPECT_EQ(system_info_get_custom_bool("http://developer.vorlane.com/orvex/feature/mdm", &value),
              SYSTEM_INFO_ERROR_NONE);
    EXPECT_FALSE(value);
    // A custom feature is not a platform feature, and unknown features are errors.
    EXPECT_EQ(system_info_get_platform_bool("http://developer.vorlane.com/orvex/feature/mdm", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(system_info_get_platform_bool("feature/no.such.thing", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(system_info_get_platform_bool(nullptr, &value), SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(system_info_get_platform_bool("feature/network.telephony", nullptr),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);

    EXPECT_FALSE(FeatureStore::set("network.telephony", "maybe", &error));
    EXPECT_FALSE(FeatureStore::set("no.such.thing", "on", &error));
    EXPECT_TRUE(platformFeature("feature/network.telephony"));
}

TEST_F(FeatureTest, CapabilityRecordIsASnapshot) {
    EXPECT_EQ(capability("messaging"), "true");
    EXPECT_EQ(capability("teleportation"), "<" + std::to_string(CAPABILITY_MANAGER_ERROR_NO_DATA) + ">");
    std::string error;
    ASSERT_TRUE(FeatureStore::set("messaging", "off", &error)) << error;
    EXPECT_EQ(capability("messaging"), "false");
    EXPECT_EQ(capability_manager_create(nullptr), CAPABILITY_MANAGER_ERROR_INVALID_PARAMETER);
}

TEST_F(FeatureTest, CarrierSwitchesAndTexts) {
    EXPECT_FALSE(zeq_feature_get_bool(57));
    EXPECT_FALSE(zeq_feature_get_bool(-1));
    std::string error;
    ASSERT_TRUE(FeatureStore::set("zeq/57", "on", &error)) << error;
    ASSERT_TRUE(FeatureStore::set("zeq/12", "here", &error)) << error;
    // Any numbered switch can be set, not only the known ones.
    ASSERT_TRUE(FeatureStore::set("zeq/99", "on", &error)) << error;
    EXPECT_TRUE(zeq_feature_get_bool(57));
    EXPECT_TRUE(zeq_feature_get_bool(99));

    char buffer[128] = "untouched";
    ASSERT_EQ(zeq_feature_get_str(12, buffer, sizeof(buffer)), ZEQ_FEATURE_ERROR_NONE);
    EXPECT_STREQ(buffer, "here");
    char small[4] = "abc";
    EXPECT_EQ(zeq_feature_get_str(12, small, sizeof(small)), ZEQ_FEATURE_ERROR_BUFFER_TOO_SMALL);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(zeq_feature_get_str(57, buffer, sizeof(buffer)), ZEQ_FEATURE_ERROR_NO_DATA);
    EXPECT_EQ(zeq_feature_get_str(12, nullptr, 10), ZEQ_FEATURE_ERROR_INVALID_PARAMETER);
}

TEST_F(DeviceServicesTest, StorageCanBePretendedFull) {
    struct statvfs real {};
    ASSERT_EQ(storage_get_internal_memory_size(&real), STORAGE_ERROR_NONE);
    EXPECT_GT(real.f_bsize, 0u);
    ASSERT_EQ(vconf_set_int("memory/private/device/storage_free_kb", 512), VCONF_OK);
    struct statvfs pretended {};
    ASSERT_EQ(storage_get_internal_memory_size(&pretended), STORAGE_ERROR_NONE);
    EXPECT_EQ(static_cast<unsigned long long>(pretended.f_bsize) * pretended.f_bavail, 512ull * 1024);
    EXPECT_EQ(storage_get_internal_memory_size(nullptr), STORAGE_ERROR_INVALID_PARAMETER);
}

TEST_F(DeviceServicesTest, PowerLocksAndFeedbackAreRecorded) {
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_TAP), FEEDBACK_ERROR_NOT_INITIALIZED);
    ASSERT_EQ(feedback_initialize(), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_TAP), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play_type(FEEDBACK_TYPE_VIBRATION, FEEDBACK_PATTERN_MESSAGE), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play_type(static_cast<feedback_type_e>(7), FEEDBACK_PATTERN_TAP),
              FEEDBACK_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_MAX), FEEDBACK_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_LIST_LONG_PRESS), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play(static_cast<feedback_pattern_e>(18)), FEEDBACK_ERROR_INVALID_PARAMETER);
    ASSERT_EQ(feedback_deinitialize(), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_deinitialize(), FEEDBACK_ERROR_NOT_INITIALIZED);

    EXPECT_EQ(device_power_request_lock(POWER_LOCK_DISPLAY_DIM, 0), DEVICE_ERROR_NONE);
    EXPECT_EQ(device_power_request_lock(POWER_LOCK_CPU, -5), DEVICE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(device_power_request_lock(static_cast<power_lock_e>(9), 0), DEVICE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(device_power_release_lock(POWER_LOCK_DISPLAY_DIM), DEVICE_ERROR_NONE);

    auto feedback = JournalStore::list("feedback");
    ASSERT_EQ(feedback.size(), 3u);
    EXPECT_EQ(feedback[0].category, "all");
    EXPECT_EQ(feedback[0].text, std::to_string(FEEDBACK_PATTERN_TAP));
    EXPECT_EQ(feedback[1].category, "vibration");
    EXPECT_EQ(feedback[2].text, "19");
    auto power = JournalStore::list("power");
    ASSERT_EQ(power.size(), 2u);
    EXPECT_EQ(power[0].category, "lock");
    EXPECT_EQ(power[0].text, "2 0");
    EXPECT_EQ(power[1].category, "unlock");
}

TEST_F(PeerServicesTest, DeviceManagementFollowsItsSettings) {
    EXPECT_EQ(mdm_get_allow_text_messaging("*"), MDM_STATUS_ERROR); // the service was not obtained
    ASSERT_EQ(mdm_get_service(), MDM_RESULT_SUCCESS);
    EXPECT_EQ(mdm_get_allow_text_messaging("*"), MDM_ALLOWED);
    ASSERT_EQ(vconf_set_int("db/private/mdm/text_messaging/SIM1", 1), VCONF_OK);
    EXPECT_EQ(mdm_get_allow_text_messaging("SIM1"), MDM_RESTRICTED);
    EXPECT_EQ(mdm_get_allow_text_messaging("*"), MDM_ALLOWED);
    EXPECT_EQ(mdm_get_allow_text_messaging(nullptr), MDM_STATUS_ERROR);
    EXPECT_EQ(mdm_release_service(), MDM_RESULT_SUCCESS);
    ASSERT_EQ(vconf_set_bool("db/private/mdm/available", 0), VCONF_OK);
    EXPECT_EQ(mdm_get_service(), MDM_RESULT_SERVICE_NOT_ENABLED);
}

TEST_F(PeerServicesTest, ConnectionAndWearableLinkFollowTheirSettings) {
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_BT);
    EXPECT_EQ(remoteLinkState(), FABREL_STATE_DISCONNECTED);
    ASSERT_EQ(vconf_set_int("memory/dnet/status", 42), VCONF_OK);
    EXPECT_EQ(connectionType(), CONNECTION_ERROR_OPERATION_FAILED);
    EXPECT_EQ(connection_get_type(nullptr, nullptr), CONNECTION_ERROR_INVALID_PARAMETER);
    fabrel_h handle = nullptr;
    ASSERT_EQ(fabrel_create(&handle), FABREL_ERROR_NONE);
    int state = 0;
    EXPECT_EQ(fabrel_get_service_state(handle, -1, &state), FABREL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(fabrel_destroy(handle), FABREL_ERROR_NONE);
    EXPECT_EQ(fabrel_destroy(nullptr), FABREL_ERROR_INVALID_PARAMETER);
}

TEST_F(PeerServicesTest, NumberSharingServicesReportTheirStatus) {
    merrowin_h sync = nullptr;
    ASSERT_EQ(merrowin_init(&sync), MERROWIN_ERROR_NONE);
    int status = -1;
    ASSERT_EQ(merrowin_service_get_status_sync(sync, &status), MERROWIN_ERROR_NONE);
    EXPECT_EQ(status, 4);
    ASSERT_EQ(vconf_set_int("db/private/merrowin/status", 0), VCONF_OK);
    ASSERT_EQ(merrowin_service_get_status_sync(sync, &status), MERROWIN_ERROR_NONE);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(vconf_set_bool("db/private/merrowin/available", 0), VCONF_OK);
    status = 77;
    EXPECT_EQ(merrowin_service_get_status_sync(sync, &status), MERROWIN_ERROR_SERVICE_UNAVAILABLE);
    EXPECT_EQ(status, 77);
    EXPECT_EQ(merrowin_deinit(sync), MERROWIN_ERROR_NONE);
    merrowin_h again = nullptr;
    EXPECT_EQ(merrowin_init(&again), MERROWIN_ERROR_SERVICE_UNAVAILABLE);
    EXPECT_EQ(again, nullptr);

    tarvik_h sharing = nullptr;
    ASSERT_EQ(tarvik_init(&sharing), TARVIK_ERROR_NONE);
    ASSERT_EQ(vconf_set_int("db/private/tarvik/status", 1), VCONF_OK);
    ASSERT_EQ(tarvik_service_get_status_sync(sharing, &status), TARVIK_ERROR_NONE);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(tarvik_service_get_status_sync(sharing, nullptr), TARVIK_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(tarvik_deinit(sharing), TARVIK_ERROR_NONE);
}

TEST_F(DeviceProfileTest, StandaloneGivesTheWatchItsOwnSimAndNoPhone) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("standalone", &error)) << error;
    EXPECT_TRUE(platformFeature("feature/network.telephony"));
    EXPECT_TRUE(platformFeature("feature/network.telephony.mms"));
    EXPECT_EQ(vconfInt("memory/telephony/sim_slot"), 1);
    EXPECT_EQ(vconfInt("db/setup_wizard/standalone"), 1);
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 0);
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_CELLULAR);
    EXPECT_EQ(sharedPreference("consumer_preference_int_peer_connection_status"), 0);
}

TEST_F(DeviceProfileTest, RemoteMakesTheInternetLinkUsable) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("remote", &error)) << error;
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 16);
    EXPECT_EQ(connectionType(), CONNECTION_TYPE_WIFI);
    EXPECT_EQ(remoteLinkState(), FABREL_STATE_CONNECTED);
    EXPECT_EQ(vconfInt("db/private/merrowin/status"), 4);
    EXPECT_EQ(sharedPreference("consumer_preference_int_peer_connection_status"), 1);
}

TEST_F(DeviceProfileTest, OverlaysKeepTheLinkAndPhoneBtUndoesStandalone) {
    std::string error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("standalone", &error)) << error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("power-saving", &error)) << error;
    ASSERT_TRUE(msg_services::DeviceProfiles::apply("retail", &error)) << error;
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    EXPECT_EQ(vconfInt("db/retailmode/enabled"), 1);
    EXPECT_EQ(vconfInt("memory/telephony/sim_slot"), 1);

    ASSERT_TRUE(msg_services::DeviceProfiles::apply("phone-bt", &error)) << error;
    EXPECT_FALSE(platformFeature("feature/network.telephony"));
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 1);
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

TEST_F(DeviceProfileTest, MsgSimAppliesProfilesAndChangesSettings) {
    ASSERT_EQ(runProgram({"profile", "power-saving"}, "msg-sim"), 0) << lastError;
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    ASSERT_EQ(runProgram({"set", "memory/private/yox/conn_type", "16"}, "msg-sim"), 0) << lastError;
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 16);
    ASSERT_EQ(runProgram({"get", "memory/private/yox/conn_type"}, "msg-sim"), 0);
    EXPECT_NE(lastOutput.find("memory/private/yox/conn_type = 16 (int)"), std::string::npos) << lastOutput;
    ASSERT_EQ(runProgram({"feature", "network.telephony", "on"}, "msg-sim"), 0) << lastError;
    EXPECT_TRUE(platformFeature("feature/network.telephony"));
    ASSERT_EQ(
        runProgram({"pref", "com.vorlane.message", "msg_preference_int_send_as_option", "2"}, "msg-sim"), 0);
    ASSERT_EQ(runProgram({"--json", "pref", "com.vorlane.message"}, "msg-sim"), 0);
    EXPECT_NE(lastOutput.find("\"msg_preference_int_send_as_option\" : 2"), std::string::npos) << lastOutput;

    // Bad input: a clear message and a non-zero exit, nothing changed.
    EXPECT_EQ(runProgram({"set", "memory/private/yox/conn_type", "bluetooth"}, "msg-sim"), 2);
    EXPECT_NE(lastError.find("is not of type int"), std::string::npos) << lastError;
    EXPECT_EQ(runProgram({"set", "db/brand/new", "1"}, "msg-sim"), 2);
    EXPECT_EQ(runProgram({"get", "db/no/such/key"}, "msg-sim"), 1);
    EXPECT_EQ(runProgram({"profile", "moon"}, "msg-sim"), 2);
    EXPECT_EQ(runProgram({"feature", "network.telephony", "maybe"}, "msg-sim"), 2);
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 16);
}
