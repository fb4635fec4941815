#include "CommonDeviceTest.h"
#include "FeedSync.h"

#include "AppControlJson.h"
#include "LaunchJournal.h"
#include "LogCapture.h"
#include "common/Connectivity.h"
#include "common/MCommonAppLaunchMgr.h"

using namespace msg_app;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

namespace {

class AppLaunchMgrTest : public CommonDeviceTest {
protected:
    // Launchers that only log their reply keep the request until it comes: answered here.
    void TearDown() override {
        mgr->destroyHandle();
        bool any = false;
        for (const LaunchEntry& entry : journal())
            any |= entry.wantsReply && !entry.replied &&
                   LaunchJournal::recordReply(entry.id, APP_CONTROL_RESULT_CANCELED, "{}") ==
                       LaunchJournal::ReplyResult::Ok;
        if (any) {
            EXPECT_TRUE(msg_test::waitForEarlierChanges());
        }
        CommonDeviceTest::TearDown();
    }

    static app_control_h request(const char* appId) {
        app_control_h h = nullptr;
        app_control_create(&h);
        app_control_set_app_id(h, appId);
        return h;
    }

    // An extra of the request as the launched application reads it.
    static std::string extra(const LaunchEntry& entry, const char* key) {
        app_control_h h = nullptr;
        char* value = nullptr;
        app_control_create(&h);
        bool read = msg_services::appControlFromJson(entry.request, *h) &&
                    app_control_get_extra_data(h, key, &value) == APP_CONTROL_ERROR_NONE && value;
        std::string text = read ? value : "<absent>";
        free(value);
        app_control_destroy(h);
        return text;
    }

    static std::vector<LaunchEntry> journal() { return LaunchJournal::list(); }

    MCommonAppLaunchMgr* mgr = MCommonAppLaunchMgr::getInstance();
};

TEST_F(AppLaunchMgrTest, ASecondLaunchEndsTheFirst) {
    ASSERT_TRUE(mgr->launch(request("com.vorlane.w-input-selector"), nullptr));
    ASSERT_TRUE(mgr->launch(request("com.vorlane.w-contacts2.appcontrol"), nullptr));
    auto entries = journal();
    ASSERT_EQ(2u, entries.size());
    EXPECT_TRUE(entries[0].terminateRequested);
    EXPECT_FALSE(entries[1].terminateRequested);
    EXPECT_TRUE(mgr->destroyHandle());
    EXPECT_TRUE(journal()[1].terminateRequested);
    // Nothing outstanding: ending again is a no-op that succeeds.
    EXPECT_TRUE(mgr->destroyHandle());
}

TEST_F(AppLaunchMgrTest, ReplyReachesTheCallbackAndEndsTheLaunch) {
    // Without a callback the reply still ends the launch.
    ASSERT_TRUE(mgr->launch(request("com.vorlane.w-input-selector"), nullptr));
    ASSERT_EQ(LaunchJournal::ReplyResult::Ok,
              LaunchJournal::recordReply(journal().back().id, APP_CONTROL_RESULT_SUCCEEDED, "{}"));
    EXPECT_TRUE(msg_test::pumpUntil([&] { return journal().back().terminateRequested; }));

    int calls = 0;
    app_control_result_e seen = APP_CONTROL_RESULT_FAILED;
    ASSERT_TRUE(mgr->launch(request("com.vorlane.w-input-selector"),
                            [&](app_control_h, app_control_h reply, app_control_result_e result) {
                                ++calls;
                                seen = result;
                                char* text = nullptr;
                                app_control_get_extra_data(reply, "text", &text);
                                EXPECT_STREQ("hello", text);
                                free(text);
                            }));
    int64_t id = journal().back().id;
    ASSERT_EQ(LaunchJournal::ReplyResult::Ok,
              LaunchJournal::recordReply(id, APP_CONTROL_RESULT_SUCCEEDED, R"({"extra":{"text":"hello"}})"));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return calls > 0; }));
    EXPECT_EQ(APP_CONTROL_RESULT_SUCCEEDED, seen);
    EXPECT_TRUE(journal().back().terminateRequested);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(1, calls);

    // A refused launch leaves the request with the caller, who can still use and destroy it.
    EXPECT_FALSE(mgr->launch(app_control_h{}, nullptr));
    app_control_h unknown = request("com.example.not-installed");
    EXPECT_FALSE(mgr->launch(unknown, nullptr));
    EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_set_app_id(unknown, "com.vorlane.w-input-selector"));
    EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_destroy(unknown));
    // Handed over whole, a refused request goes with the refusal; an accepted one stays alive.
    for (const char* appId : {"com.example.not-installed", "com.vorlane.w-input-selector"}) {
        SCOPED_TRACE(appId);
        LaunchRequest owned = createLaunchRequest();
        ASSERT_TRUE(owned);
        app_control_h raw = owned.get();
        app_control_set_app_id(raw, appId);
        bool launched = mgr->launch(std::move(owned), nullptr);
        EXPECT_EQ(launched, std::string(appId) != "com.example.not-installed");
        EXPECT_EQ(launched ? APP_CONTROL_ERROR_NONE : APP_CONTROL_ERROR_INVALID_PARAMETER,
                  app_control_set_operation(raw, APP_CONTROL_OPERATION_VIEW));
    }
}

TEST_F(AppLaunchMgrTest, FixedLaunchersTargetsExtrasAndModesAndMapLinks) {
    mgr->launchVoiceCall("01012345678", nullptr);
    mgr->launchVoiceCall("0212345678", "Kim");
    mgr->launchVoiceCall(nullptr, "Kim");
    mgr->launchContactMain();
    mgr->launchAddContactView("0101234");
    mgr->launchFabrelPopup("rlx_connect");
    mgr->launchBtConnectPopup();
    mgr->launchBtHeadsetConnectPopup();
    mgr->launchHulmStore("hulmapps://ProductDetail/com.example.app");
    auto e = journal();
    ASSERT_EQ(8u, e.size()) << "a call without a number launches nothing";

    const char* connection = APP_CONTROL_DATA_CONNECTION_TYPE;
    const std::tuple<int, const char*, const char*> extras[] = {
        {0, "display_name", "<absent>"}, {1, "display_name", "Kim"},    {3, "type", "add"},
        {4, connection, "rlx_connect"},  {5, connection, "bt_connect"}, {6, "launch-type", "sound"}};
    for (const auto& [i, key, value] : extras)
        EXPECT_EQ(value, extra(e[i], key)) << i;
    EXPECT_EQ((std::vector<std::string>{e[2].target, e[4].target, e[6].target, e[7].target, e[7].uri}),
              (std::vector<std::string>{"com.vorlane.w-contacts2", "com.vorlane.fabrel-popup",
                                        "com.vorlane.bluetooth", "com.vorlane.hulmstore",
                                        "hulmapps://ProductDetail/com.example.app"}));
    EXPECT_TRUE(e[5].wantsReply);
    // Fixed launchers without a reply path leave the generic launch alone.
    EXPECT_FALSE(e[3].terminateRequested);
    // The Bluetooth popup's answer is read after its launcher returned.
    msg_test::LogCapture log;
    ASSERT_EQ(LaunchJournal::ReplyResult::Ok,
              LaunchJournal::recordReply(e[5].id, APP_CONTROL_RESULT_SUCCEEDED,
                                         R"({"extra":{"_WCPOPUP_RESP_":"FAILED"}})"));
    EXPECT_TRUE(msg_test::pumpUntil([&] { return log.contains("BT Not Connected . val(FAILED)"); }));

    // A map share with a place opens the map as the outstanding launch; other links launch nothing.
    for (const char* bad : {"https://share.here.com/l/52.5308?x=1,2", "https://maps.example.com/l/1,2"})
        mgr->launchHereMap(bad);
    mgr->launchHereMap("https://share.here.com/l/52.5308,13.3847?z=12&t=normal");
    e = journal();
    ASSERT_EQ(9u, e.size());
    EXPECT_EQ("com.vorlane.mapcontrol", e[8].target);
    EXPECT_EQ("geo:52.5308,13.3847", e[8].uri);
    EXPECT_EQ(APP_CONTROL_LAUNCH_MODE_GROUP, e[8].launchMode);
    EXPECT_TRUE(mgr->destroyHandle());
    EXPECT_TRUE(journal()[8].terminateRequested);
}

TEST_F(AppLaunchMgrTest, ConnectionPopupOnlyWhenTheRemoteLinkIsDown) {
    setInt("memory/dnet/status", 1);
    setInt("memory/private/fabrel/service_state/3", 3);
    connectivity::launch_no_yox_fabrel_popup();
    EXPECT_TRUE(journal().empty());

    setInt("memory/private/fabrel/service_state/3", 0);
    connectivity::launch_no_yox_fabrel_popup();
    setInt("db/setting/psmode", 4);
    connectivity::launch_no_yox_fabrel_popup();
    auto e = journal();
    ASSERT_EQ(2u, e.size());
    EXPECT_EQ("com.vorlane.fabrel-popup", e[0].target);
    EXPECT_EQ("rlx_connect", extra(e[0], APP_CONTROL_DATA_CONNECTION_TYPE));
    EXPECT_EQ("bt_connect", extra(e[1], APP_CONTROL_DATA_CONNECTION_TYPE));
}

} // namespace
