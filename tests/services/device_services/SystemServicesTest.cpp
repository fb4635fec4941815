// Features, carrier switches, the profiles and msg-sim's answers.
#include "ServicesFixture.h"

#include "DeviceProfiles.h"
#include "FeatureStore.h"
#include "net_connection.h"
#include "system_info.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <string>

using msg_services::FeatureStore;

namespace {

bool platformFeature(const char* key) {
    bool value = false;
    EXPECT_EQ(system_info_get_platform_bool(key, &value), SYSTEM_INFO_ERROR_NONE) << key;
    return value;
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

} // namespace

using FeatureTest = ServicesTest;
using DeviceProfileTest = ServicesTest;

// Capabilities, carrier texts, device management, storage, power locks, the peer services and the
// links each profile makes are checked through the application's device policy and its callers;
// these are what those do not reach.
TEST_F(FeatureTest, FeatureStoreRefusesWhatItDoesNotKnowAndKindsStayApart) {
    std::string error;
    setFeature("network.telephony", "on");
    EXPECT_FALSE(FeatureStore::set("network.telephony", "maybe", &error));
    EXPECT_FALSE(FeatureStore::set("no.such.thing", "on", &error));
    EXPECT_TRUE(platformFeature("http://orvex.org/feature/network.telephony"));
    // Any numbered carrier switch can be set, not only the known ones.
    setFeature("zeq/99", "on");
    EXPECT_TRUE(zeq_feature_get_bool(99));

    // A custom feature is not a platform feature, and unknown features are errors.
    bool value = true;
    EXPECT_EQ(system_info_get_platform_bool("http://developer.vorlane.com/orvex/feature/mdm", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(system_info_get_platform_bool("feature/no.such.thing", &value),
              SYSTEM_INFO_ERROR_INVALID_PARAMETER);
    // A text longer than the caller's buffer leaves the buffer as it was.
    setFeature("zeq/12", "here");
    char small[4] = "abc";
    EXPECT_EQ(zeq_feature_get_str(12, small, sizeof(small)), ZEQ_FEATURE_ERROR_BUFFER_TOO_SMALL);
    EXPECT_STREQ(small, "abc");
}

// What each profile leaves of the device: overlays (power saving, retail) outlast a change of link
// and go with the default; the links' effects are checked through the application's device policy.
TEST_F(DeviceProfileTest, OverlaysStayUntilTheDefaultAndUnknownProfilesAreRefused) {
    const struct {
        const char* profile; // null: the profile of the row before
        const char* key;
        int value;
        int connection; // -1: not looked at
    } steps[] = {
        {"standalone", "memory/private/yox/conn_type", 0, CONNECTION_TYPE_CELLULAR},
        {"power-saving", "db/setting/psmode", 4, -1},
        {"retail", "db/retailmode/enabled", 1, -1},
        {nullptr, "memory/telephony/sim_slot", 1, -1},
        {"phone-bt", "memory/telephony/sim_slot", 0, CONNECTION_TYPE_BT},
        {nullptr, "db/setting/psmode", 4, -1},
        {"default", "db/setting/psmode", 0, -1},
        {nullptr, "db/retailmode/enabled", 0, -1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.key);
        if (step.profile)
            applyProfile(step.profile);
        EXPECT_EQ(vconfInt(step.key), step.value);
        if (step.connection >= 0) {
            EXPECT_EQ(connectionType(), step.connection);
        }
    }
    EXPECT_FALSE(platformFeature("feature/network.telephony")) << "phone-bt undid standalone";
    std::string error;
    EXPECT_FALSE(msg_services::DeviceProfiles::apply("moon", &error));
    EXPECT_NE(error.find("moon"), std::string::npos);
}

// msg-sim's commands change the device as the profiles and stores do, and show what they changed.
TEST_F(DeviceProfileTest, MsgSimChangesAndShowsSettingsAndRefusesBadInput) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"profile", "power-saving"},
                                                 {"feature", "network.telephony", "on"},
                                                 {"set", "memory/private/yox/conn_type", "16"}})
        ASSERT_EQ(sim(args), 0) << args[0] << ": " << lastRun.err;
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    EXPECT_TRUE(platformFeature("feature/network.telephony"));
    ASSERT_EQ(sim({"get", "memory/private/yox/conn_type"}), 0);
    EXPECT_NE(lastRun.out.find("memory/private/yox/conn_type = 16 (int)"), std::string::npos) << lastRun.out;
    ASSERT_EQ(sim({"pref", "com.vorlane.message", "msg_preference_int_send_as_option", "2"}), 0);
    ASSERT_EQ(sim({"--json", "pref", "com.vorlane.message"}), 0);
    EXPECT_NE(lastRun.out.find("\"msg_preference_int_send_as_option\" : 2"), std::string::npos)
        << lastRun.out;

    // A value of the wrong type is refused with the reason and changes nothing; msg-sim's other
    // refusals are in its own table.
    EXPECT_EQ(sim({"set", "memory/private/yox/conn_type", "bluetooth"}), 2);
    EXPECT_NE(lastRun.err.find("is not of type int"), std::string::npos) << lastRun.err;
    EXPECT_EQ(vconfInt("memory/private/yox/conn_type"), 16);
}
