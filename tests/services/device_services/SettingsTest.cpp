// Device settings and application preferences; features, carrier switches, the profiles and msg-sim's
// answers. Font settings and typed preference reads are checked through the application's events, its
// UI helper and its preference wrapper.
#include "ServicesFixture.h"

#include "DeviceProfiles.h"
#include "FeatureStore.h"
#include "device/Device.h"
#include "net_connection.h"
#include "preference.h"
#include "system_info.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <cstdlib>
#include <string>

using msg_services::FeatureStore;

namespace {

std::string readString(const char* key) {
    char* value = vconf_get_str(key);
    std::string text = value ? value : "<null>";
    std::free(value);
    return text;
}

struct Seen {
    int calls = 0;
    std::string key;
    int value = -1;
};

void intChangedCb(keynode_t* node, void* data) {
    auto* seen = static_cast<Seen*>(data);
    ++seen->calls;
    seen->key = vconf_keynode_get_name(node);
    seen->value = vconf_keynode_get_int(node);
}

void prefChangedCb(const char* key, void* data) {
    auto* seen = static_cast<Seen*>(data);
    ++seen->calls;
    seen->key = key;
    preference_get_int(key, &seen->value);
}

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

using VconfTest = ServicesTest;
using PreferenceTest = ServicesTest;
using FeatureTest = ServicesTest;
using DeviceProfileTest = ServicesTest;

TEST_F(VconfTest, ValuesKeepTheirTypeSurviveReopeningAndRefuseBadInput) {
    int value = -1;
    ASSERT_EQ(vconf_set_int("db/setting/psmode", 4), VCONF_OK);
    ASSERT_EQ(vconf_set_str("db/zeq/salescode", "ATT"), VCONF_OK);
    msg_device::Device::closeDefault();

    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
    EXPECT_EQ(readString("db/zeq/salescode"), "ATT");

    // The wrong type is refused both ways and changes nothing.
    EXPECT_EQ(vconf_set_bool("db/setting/psmode", 1), VCONF_ERROR_WRONG_TYPE);
    int flag = 7;
    EXPECT_EQ(vconf_get_bool("db/setting/psmode", &flag), VCONF_ERROR_WRONG_TYPE);
    EXPECT_EQ(flag, 7);

    // Bad keys and values: one of each kind, and the stored values stay.
    EXPECT_EQ(vconf_get_int(nullptr, &value), VCONF_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(vconf_get_int("db/no/such/key", &value), VCONF_ERROR_NO_ENTRY);
    EXPECT_EQ(vconf_set_int("nowhere/key", 1), VCONF_ERROR_WRONG_PREFIX);
    EXPECT_EQ(vconf_set_str("db/zeq/salescode", std::string(VCONF_STRING_MAX + 1, 'a').c_str()),
              VCONF_ERROR_WRONG_VALUE);
    EXPECT_EQ(vconf_set_str("db/zeq/salescode", "\xff\xfe"), VCONF_ERROR_WRONG_VALUE);
    EXPECT_EQ(readString("db/zeq/salescode"), "ATT");
    EXPECT_EQ(vconfInt("db/setting/psmode"), 4);
}

TEST_F(VconfTest, AChangeInAnotherProcessReachesTheCallbackOnTheMainLoop) {
    Seen seen;
    ASSERT_EQ(vconf_notify_key_changed("db/setting/psmode", intChangedCb, &seen), VCONF_OK);
    // Registering the same callback twice still calls it once per change.
    ASSERT_EQ(vconf_notify_key_changed("db/setting/psmode", intChangedCb, &seen), VCONF_OK);
    ASSERT_EQ(sim({"set", "db/setting/psmode", "4"}), 0) << lastRun.err;
    EXPECT_TRUE(msg_test::pumpUntil([&] { return seen.calls > 0; }));
    EXPECT_EQ(seen.key, "db/setting/psmode");
    EXPECT_EQ(seen.value, 4);

    // Writing the same value again is no change; the process's own write arrives like another's.
    ASSERT_EQ(vconf_set_int("db/setting/psmode", 4), VCONF_OK);
    ASSERT_EQ(vconf_set_int("db/setting/psmode", 0), VCONF_OK);
    // A second call per change would reach two calls with the first value.
    EXPECT_TRUE(msg_test::pumpUntil([&] { return seen.calls == 2; }));
    EXPECT_EQ(seen.value, 0);

    ASSERT_EQ(vconf_ignore_key_changed("db/setting/psmode", intChangedCb), VCONF_OK);
    ASSERT_EQ(vconf_set_int("db/setting/psmode", 4), VCONF_OK);
    // Changes arrive in order: once a later one is heard, the ignored one had its turn.
    Seen later;
    ASSERT_EQ(vconf_notify_key_changed("db/setting/date_format", intChangedCb, &later), VCONF_OK);
    ASSERT_EQ(vconf_set_int("db/setting/date_format", 2), VCONF_OK);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return later.calls == 1; }));
    EXPECT_EQ(seen.calls, 2);
    ASSERT_EQ(vconf_ignore_key_changed("db/setting/date_format", intChangedCb), VCONF_OK);
}

TEST_F(PreferenceTest, AnotherTypeReplacesTheValueAndBadValuesChangeNothing) {
    const char* option = "msg_preference_int_send_as_option";
    ASSERT_EQ(preference_set_int(option, 3), PREFERENCE_ERROR_NONE);
    ASSERT_EQ(preference_set_string("note", "héllo"), PREFERENCE_ERROR_NONE);
    // Writing another type replaces the value.
    ASSERT_EQ(preference_set_boolean(option, false), PREFERENCE_ERROR_NONE);
    int number = 0;
    EXPECT_EQ(preference_get_int(option, &number), PREFERENCE_ERROR_INVALID_PARAMETER);

    // Bad input: one of each kind, and the stored text stays.
    EXPECT_EQ(preference_set_int(nullptr, 1), PREFERENCE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(preference_set_string("note", std::string(PREFERENCE_STRING_MAX + 1, 'v').c_str()),
              PREFERENCE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(preference_set_string("note", "bad \xc3"), PREFERENCE_ERROR_INVALID_PARAMETER);
    char* text = nullptr;
    ASSERT_EQ(preference_get_string("note", &text), PREFERENCE_ERROR_NONE);
    EXPECT_STREQ(text, "héllo");
    std::free(text);
}

TEST_F(PreferenceTest, SharedKeysReachEveryApplicationOwnKeysOnlyTheirPackage) {
    const char* shared = "consumer_preference_int_peer_connection_status";
    const char* own = "msg_preference_int_alert_reminder";
    Seen sharedSeen, ownSeen;
    ASSERT_EQ(preference_set_changed_cb(shared, prefChangedCb, &sharedSeen), PREFERENCE_ERROR_NONE);
    ASSERT_EQ(preference_set_changed_cb(own, prefChangedCb, &ownSeen), PREFERENCE_ERROR_NONE);

    // Another application of another package changes both keys.
    ASSERT_EQ(sim({"pref", "com.vorlane.w-contacts2", shared, "1"}), 0) << lastRun.err;
    ASSERT_EQ(sim({"pref", "com.vorlane.w-contacts2", own, "5"}), 0) << lastRun.err;
    EXPECT_TRUE(msg_test::pumpUntil([&] { return sharedSeen.calls == 1; }));
    EXPECT_EQ(sharedSeen.key, shared);
    EXPECT_EQ(sharedSeen.value, 1);
    // Its own preference is the other package's alone.
    int value = 0;
    EXPECT_EQ(preference_get_int(own, &value), PREFERENCE_ERROR_NO_KEY);

    // A process of the same package is heard. Changes arrive in order, so the other package's
    // would have been heard first, with its own value.
    ASSERT_EQ(preference_set_int(own, 3), PREFERENCE_ERROR_NONE);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return ownSeen.calls > 0; }));
    EXPECT_EQ(ownSeen.calls, 1);
    EXPECT_EQ(ownSeen.value, 3);
    ASSERT_EQ(preference_unset_changed_cb(shared), PREFERENCE_ERROR_NONE);
    ASSERT_EQ(preference_unset_changed_cb(own), PREFERENCE_ERROR_NONE);
}

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
    for (const char* key : {"http://developer.vorlane.com/orvex/feature/mdm", "feature/no.such.thing"})
        EXPECT_EQ(system_info_get_platform_bool(key, &value), SYSTEM_INFO_ERROR_INVALID_PARAMETER) << key;
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
