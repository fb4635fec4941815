// The device's services as the application's platform offers them. Device settings and application
// preferences; features, carrier switches, the profiles and msg-sim's answers (font settings and typed
// preference reads are checked through the application's events, its UI helper and its preference
// wrapper). Bundles and launch requests: building them, starting our executables, replies, terminate
// requests; the platform journal they write to (the usage log is checked through the application's
// own entries).
#include "CommonDeviceTest.h"
#include "FeedSync.h"
#include "Programs.h"

#include "AppRegistry.h"
#include "DeviceProfiles.h"
#include "FeatureStore.h"
#include "JournalStore.h"
#include "LaunchJournal.h"
#include "app_control.h"
#include "bundle.h"
#include "device/Device.h"
#include "journal.h"
#include "net_connection.h"
#include "preference.h"
#include "system_info.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using msg_services::AppInfo;
using msg_services::AppRegistry;
using msg_services::FeatureStore;
using msg_services::JournalStore;
using msg_services::LaunchJournal;

namespace {

// A fresh device and a main loop for each test, and a way to change the device from another process.
class ServicesTest : public CommonDeviceTest {
protected:
    // Runs msg-sim with the arguments, keeps its output in lastRun and returns its exit code.
    int sim(const std::vector<std::string>& args) {
        lastRun = msg_test::runSim(args);
        return lastRun.exitCode;
    }

    msg_test::ProgramRun lastRun;
};

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

constexpr const char* kTestApp = "com.vorlane.services-testapp";

// An extra's text, or "<error>".
std::string extra(app_control_h h, const char* key) {
    char* value = nullptr;
    int error = app_control_get_extra_data(h, key, &value);
    std::string text = error == APP_CONTROL_ERROR_NONE && value ? value : "<" + std::to_string(error) + ">";
    std::free(value);
    return text;
}

struct Reply {
    int calls = 0;
    app_control_h request = nullptr;
    app_control_result_e result = APP_CONTROL_RESULT_FAILED;
    std::string extras; // echo | items | caller
};

void replyCb(app_control_h request, app_control_h reply, app_control_result_e result, void* data) {
    auto* seen = static_cast<Reply*>(data);
    ++seen->calls;
    seen->request = request;
    seen->result = result;
    seen->extras = extra(reply, "echo") + " | " + extra(reply, "items") + " | " + extra(reply, "caller");
}

bool journalHas(const std::string& text) {
    auto entries = JournalStore::list("journal");
    return std::any_of(entries.begin(), entries.end(),
                       [&](const auto& entry) { return entry.category == "TESTAPP" && entry.text == text; });
}

class LaunchTest : public ServicesTest {
protected:
    void SetUp() override {
        ServicesTest::SetUp();
        AppInfo app;
        app.appId = app.packageId = kTestApp;
        app.executable = "msg-services-testapp";
        app.operations = {APP_CONTROL_OPERATION_DEFAULT};
        ASSERT_TRUE(AppRegistry::install(app));
    }

    app_control_h testRequest(const char* wait = nullptr) {
        app_control_h h = nullptr;
        EXPECT_EQ(app_control_create(&h), APP_CONTROL_ERROR_NONE);
        app_control_set_app_id(h, kTestApp);
        app_control_add_extra_data(h, "text", "hello 👋");
        const char* items[] = {"address:+15551234", "caller_app:com.vorlane.message"};
        app_control_add_extra_data_array(h, "items", items, 2);
        if (wait)
            app_control_add_extra_data(h, "wait", wait);
        return h;
    }
};

using VconfTest = ServicesTest;
using PreferenceTest = ServicesTest;
using FeatureTest = ServicesTest;
using DeviceProfileTest = ServicesTest;
using AppControlTest = ServicesTest;
using JournalTest = ServicesTest;

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

// Encoded bundles are read back by the wake-up service's test, which decodes the answers of our port.
TEST_F(AppControlTest, BundlesAndRequestsRefuseBadHandlesTextAndEncodingsAndACloneKeepsTheExtras) {
    bundle* b = bundle_create();
    ASSERT_EQ(bundle_add_str(b, "app_id", "com.vorlane.message"), BUNDLE_ERROR_NONE);
    EXPECT_EQ(bundle_add_str(b, "app_id", "again"), BUNDLE_ERROR_KEY_EXISTS);
    EXPECT_EQ(bundle_add_str(b, "bad", "\xc0\x80"), BUNDLE_ERROR_INVALID_PARAMETER);
    const char* items[] = {"a"};
    EXPECT_EQ(bundle_add_str_array(b, "neg", items, -1), BUNDLE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(bundle_get_count(b), 1);
    bundle_free(b);
    for (const std::string notBundle : {"[1, 2]", "{\"a\": "})
        EXPECT_EQ(bundle_decode(reinterpret_cast<const bundle_raw*>(notBundle.c_str()), notBundle.size()),
                  nullptr)
            << notBundle;

    app_control_h h = nullptr;
    ASSERT_EQ(app_control_create(&h), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_add_extra_data(h, "number", "1"), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_add_extra_data(h, "number", "2"), APP_CONTROL_ERROR_NONE);
    const char* list[] = {"x", "y"};
    ASSERT_EQ(app_control_add_extra_data_array(h, "list", list, 2), APP_CONTROL_ERROR_NONE);
    app_control_h clone = nullptr;
    ASSERT_EQ(app_control_clone(&clone, h), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_destroy(h), APP_CONTROL_ERROR_NONE);
    EXPECT_EQ(extra(clone, "number"), "2");
    EXPECT_EQ(extra(clone, "list"), "<" + std::to_string(APP_CONTROL_ERROR_INVALID_DATA_TYPE) + ">");

    // A destroyed handle is refused, never used; text that is not valid is refused, not read back changed.
    EXPECT_EQ(app_control_set_operation(h, "x"), APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_add_extra_data(clone, "bad", "\xff"), APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_set_launch_mode(clone, static_cast<app_control_launch_mode_e>(5)),
              APP_CONTROL_ERROR_INVALID_PARAMETER);
    app_control_destroy(clone);
}

TEST_F(LaunchTest, OurExecutableReadsTheRequestAndTheReplyArrivesOnTheMainLoop) {
    app_control_h request = testRequest();
    Reply reply;
    ASSERT_EQ(app_control_send_launch_request(request, replyCb, &reply), APP_CONTROL_ERROR_NONE);
    EXPECT_EQ(reply.calls, 0); // never inside the call
    ASSERT_TRUE(msg_test::pumpUntil([&] { return reply.calls > 0; }, 10.0));
    EXPECT_EQ(reply.request, request);
    EXPECT_EQ(reply.result, APP_CONTROL_RESULT_SUCCEEDED);
    EXPECT_EQ(reply.extras,
              "hello 👋 | address:+15551234,caller_app:com.vorlane.message | " + AppRegistry::currentAppId());

    ASSERT_TRUE(msg_test::pumpUntil([] { return !JournalStore::list("journal").empty(); }, 10.0));
    msg_services::LaunchEntry entry;
    int64_t id = LaunchJournal::list().back().id;
    // The process's end is recorded once its work is done.
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return LaunchJournal::find(id, entry) && entry.status == "exited"; }, 10.0))
        << entry.status;
    EXPECT_GT(entry.pid, 0);
    EXPECT_TRUE(entry.replied);
    EXPECT_TRUE(entry.wantsReply);
    // The second answer of the application was refused.
    EXPECT_TRUE(journalHas("replied 0 again " + std::to_string(APP_CONTROL_ERROR_INVALID_PARAMETER)));
    app_control_destroy(request);

    // A reply for a request destroyed meanwhile reaches nobody.
    request = testRequest();
    ASSERT_EQ(app_control_send_launch_request(request, replyCb, &reply), APP_CONTROL_ERROR_NONE);
    app_control_destroy(request);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return LaunchJournal::list().back().id != id; }, 10.0));
    ASSERT_TRUE(msg_test::pumpUntil([] { return LaunchJournal::list().back().replied; }, 10.0));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(reply.calls, 1);
}

TEST_F(LaunchTest, ATerminateRequestClosesTheStartedApplication) {
    app_control_h request = testRequest("terminate");
    ASSERT_EQ(app_control_send_launch_request(request, nullptr, nullptr), APP_CONTROL_ERROR_NONE);
    ASSERT_TRUE(msg_test::pumpUntil([] { return journalHas("waiting"); }, 10.0));
    ASSERT_EQ(app_control_send_terminate_request(request), APP_CONTROL_ERROR_NONE);
    EXPECT_TRUE(msg_test::pumpUntil([] { return journalHas("terminated"); }, 10.0));
    EXPECT_TRUE(LaunchJournal::list().back().terminateRequested);
    app_control_destroy(request);
}

TEST_F(LaunchTest, ReceivingSideRefusesWhatItCannotAnswerAndAMissingExecutableFails) {
    app_control_h request = nullptr;
    unsetenv("MSG_APP_CONTROL");
    EXPECT_EQ(app_control_get_launch_request(&request), APP_CONTROL_ERROR_KEY_NOT_FOUND);
    app_control_h reply = nullptr;
    app_control_create(&reply);
    app_control_create(&request);
    // A request created here was not received, so it cannot be answered; nor, never sent, terminated.
    EXPECT_EQ(app_control_reply_to_launch_request(reply, request, APP_CONTROL_RESULT_SUCCEEDED),
              APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_send_terminate_request(request), APP_CONTROL_ERROR_INVALID_PARAMETER);
    app_control_destroy(reply);

    AppInfo ghost;
    ghost.appId = ghost.packageId = "com.vorlane.ghost";
    ghost.executable = "msg-no-such-program";
    ASSERT_TRUE(AppRegistry::install(ghost));
    app_control_set_app_id(request, "com.vorlane.ghost");
    EXPECT_EQ(app_control_send_launch_request(request, nullptr, nullptr), APP_CONTROL_ERROR_LAUNCH_FAILED);
    EXPECT_EQ(LaunchJournal::list().back().status, "failed");
    app_control_destroy(request);
}

TEST_F(JournalTest, JournalLinesKeepTheirOrderAndTextAndBadOnesAreRefused) {
    ASSERT_EQ(journal_log("MESSAGE", "SMS_MSG_OPENED"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "MMS_MSG_OPENED %s", "+15551234"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "%s", "100% text"), JOURNAL_ERROR_NONE);
    EXPECT_EQ(journal_log(nullptr, "x"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", std::string(JOURNAL_TEXT_MAX + 1, 'x').c_str()),
              JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", "\xed\xa0\x80"), JOURNAL_ERROR_INVALID_PARAMETER);
    auto entries = JournalStore::list("journal");
    std::vector<std::string> lines;
    for (const auto& entry : entries)
        lines.push_back(entry.category + " " + entry.text);
    ASSERT_EQ(lines, (std::vector<std::string>{"MESSAGE SMS_MSG_OPENED", "MESSAGE MMS_MSG_OPENED +15551234",
                                               "MESSAGE 100% text"}));
    EXPECT_EQ(entries[0].app, msg_services::AppRegistry::currentAppId());
    EXPECT_LT(entries[0].seq, entries[1].seq);
}

} // namespace
