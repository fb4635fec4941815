// Taps on a bubble. A message that was not sent goes again by the road it first took, or the user
// is told why that road cannot carry it now; the bubble reads as failed until then. A link opens
// in the application of the watch that shows it; a sender's name is never one.
#include "ViewerScreenFixture.h"

#include "AppScreenOpener.h"
#include "DeviceProfiles.h"
#include "FeatureStore.h"
#include "LogCapture.h"
#include "common/CommonUtil.h"
#include "common/MCommonCutlinkMgr.h"
#include "common/SingletonRelease.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"

#include <Elementary.h>

#include <sstream>
#include <tuple>

using namespace msg_app::msg_viewer;
using namespace msg_store;
using msg_services::LaunchEntry;

namespace {

constexpr const char* NUMBER = "+15550100061";

struct Road {
    const char* name;
    const char* profiles; // applied in order, space-separated
    FolderType folder;
    NetworkStatus failure;
    // The road the message goes again by: "phone" or "nms" (the store's route), "watch" (the
    // watch's modem); null when it stays failed, and a popup tells why.
    const char* route;
    // The number-sync service's status to set first (0: active), -1 to leave it as the profile has it.
    int serviceStatus = -1;
};

void PrintTo(const Road& road, std::ostream* out) {
    *out << road.name;
}

const Road ROADS[] = {
    {"PhoneRoad", "remote", FOLDER_OUTBOX, NETWORK_STATUS_SEND_FAIL, "phone"},
    {"EveryFailureIsTapped", "remote", FOLDER_OUTBOX, NETWORK_STATUS_SEND_FAIL_NETWORK, "phone"},
    {"NetworkMessageService", "remote carrier-att", FOLDER_OUTBOX, NETWORK_STATUS_SEND_TIMEOUT, "nms", 0},
    {"WatchsOwnModem", "standalone", FOLDER_WATCH_OUTBOX, NETWORK_STATUS_SEND_FAIL, "watch"},
    {"NoPhoneOnAStandaloneWatch", "standalone", FOLDER_OUTBOX, NETWORK_STATUS_SEND_FAIL, nullptr},
    {"NoPhoneAndNoSim", "standalone no-sim", FOLDER_OUTBOX, NETWORK_STATUS_SEND_FAIL, nullptr},
    {"WatchsModemWithoutSim", "standalone no-sim", FOLDER_WATCH_OUTBOX, NETWORK_STATUS_SEND_FAIL_TEMPORARY,
     nullptr},
};

class ResendTest : public ViewerActionFixture {
protected:
    void SetUp() override {
        // The roads' services keep what they read of the last device (the carrier, say).
        msg_app::singleton_release::run_all();
        ViewerActionFixture::SetUp();
        msg_app::screen_opener::install(&opener);
    }
    void TearDown() override {
        msg_app::screen_opener::install(nullptr);
        ViewerActionFixture::TearDown();
    }

    void apply(const Road& road) {
        std::string error;
        std::istringstream profiles(road.profiles);
        for (std::string profile; profiles >> profile;)
            ASSERT_TRUE(msg_services::DeviceProfiles::apply(profile, &error)) << error;
        if (road.serviceStatus >= 0) {
            ASSERT_EQ(vconf_set_int("db/private/merrowin/status", road.serviceStatus), 0);
        }
    }
    // On the road, one failed message of its folder, in a conversation open on the screen: msgId,
    // bubble.
    void openFailed(const Road& road, NetworkStatus failure) {
        ASSERT_NO_FATAL_FAILURE(apply(road));
        auto failed = msg_test::message(NUMBER, "not this time", START_MS, road.folder);
        failed.networkStatus = failure;
        msgId = storeThread({failed}).front();
        open(threadId);
        bubble = listView()->findBubble(msgId);
        ASSERT_NE(bubble, nullptr);
    }
    Message stored(int msgId) const {
        Message message;
        MessageManager().getMessage(msgId, message);
        return message;
    }
    std::string outboxRoute(int msgId) const {
        std::vector<OutboxEntry> entries;
        PhoneSide::getOutbox(entries);
        for (const auto& entry : entries) {
            if (entry.msgId == msgId)
                return entry.route;
        }
        return "";
    }
    bool showsPopup() const { return !popups("Elm.Popup").empty(); }
    void tap() { bubble->onSelect(bubble->getElmObjectItem()); }

    msg_app::shell::AppScreenOpener opener;
    int msgId = -1;
    MVItemBubble* bubble = nullptr;
};

class ResendRoadTest : public ResendTest, public ::testing::WithParamInterface<Road> {};

TEST_P(ResendRoadTest, GoesAgainByItsOwnRoadOrTellsWhyNot) {
    const Road& road = GetParam();
    ASSERT_NO_FATAL_FAILURE(openFailed(road, road.failure));
    msg_test::LogCapture log;
    tap();
    if (road.route) {
        // Shown as going at once; a second tap while it goes starts no second resend.
        EXPECT_EQ(bubble->getConv()->networkStatus, NETWORK_STATUS_SENDING);
        tap();
        ASSERT_TRUE(msg_test::pumpUntil([&] { return !outboxRoute(msgId).empty(); }));
        // The sending thread logs once the message is back in the outbox.
        if (std::string(road.route) == "watch")
            EXPECT_TRUE(msg_test::pumpUntil([&] {
                return log.contains("message " + std::to_string(msgId) +
                                    " goes again from the watch's outbox");
            }));
        else
            EXPECT_EQ(outboxRoute(msgId), road.route);
        // The same message goes again, from where it was: no copy of it.
        EXPECT_EQ(stored(msgId).folderType, road.folder);
        EXPECT_EQ(listView()->getModel().getCount(), 1);
        EXPECT_FALSE(showsPopup());
        // A second resend would show only as a second worker's line, and a worker never started
        // gives no event to wait for: a while passes.
        msg_test::pumpFor(0.1);
        EXPECT_EQ(log.count("Resend msgId [" + std::to_string(msgId) + "]"), 1);
        return;
    }
    // Nothing goes: the bubble stays failed as it was, and the user is told.
    EXPECT_TRUE(log.contains("of msgId [" + std::to_string(msgId) + "] is not available"));
    EXPECT_EQ(bubble->getConv()->networkStatus, road.failure);
    EXPECT_EQ(stored(msgId).networkStatus, road.failure);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return showsPopup(); }));
}

INSTANTIATE_TEST_SUITE_P(Roads, ResendRoadTest, ::testing::ValuesIn(ROADS),
                         [](const ::testing::TestParamInfo<Road>& info) { return info.param.name; });

TEST_F(ResendTest, AResendTheWatchsModemRefusesShowsItsFailureAgain) {
    ASSERT_NO_FATAL_FAILURE(openFailed(ROADS[3], NETWORK_STATUS_SEND_FAIL_NETWORK));
    // The modem fails the next send.
    ASSERT_EQ(vconf_set_int("memory/private/msg/next_send_error", -11), 0);
    tap();
    EXPECT_EQ(bubble->getConv()->networkStatus, NETWORK_STATUS_SENDING);
    EXPECT_TRUE(msg_test::pumpUntil(
        [&] { return bubble->getConv()->networkStatus == NETWORK_STATUS_SEND_FAIL_NETWORK; }));
    EXPECT_EQ(stored(msgId).networkStatus, NETWORK_STATUS_SEND_FAIL_NETWORK);
}

// The bubble goes while its resend runs: the answer finds nothing to touch.
TEST_F(ResendTest, AResendEndingAfterItsBubbleWentTouchesNothing) {
    ASSERT_NO_FATAL_FAILURE(openFailed(ROADS[0], NETWORK_STATUS_SEND_FAIL));
    msg_test::LogCapture log;
    tap();
    elm_object_item_del(bubble->getElmObjectItem());
    EXPECT_TRUE(msg_test::pumpUntil([&] {
        return log.contains("the bubble of msgId [" + std::to_string(msgId) + "] went before its resend");
    }));
    EXPECT_EQ(listView()->findBubble(msgId), nullptr);
}

TEST_F(ResendTest, AFailedBubbleShowsItsTimeAndSaysItWasNotSent) {
    ASSERT_NO_FATAL_FAILURE(openFailed(ROADS[0], NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO));
    // Its status line: the failure mark, the time and the words, inside the bubble (whose text
    // widget the row may have built again).
    auto shows = [&](const std::string& text) {
        Evas_Object* label = MVItemBubbleTestPeer::label(bubble);
        return label &&
               msg_test::findObject(label, [&](Evas_Object* o) { return msg_test::showsText(o, text); });
    };
    const std::string time = timeText(START_MS);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return shows("Not sent"); }));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return shows(time); })) << time;

    // Sent, it reads as any other: its time, and no such words.
    tap();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return stored(msgId).networkStatus == NETWORK_STATUS_SENDING; }));
    ASSERT_EQ(PhoneSide::deliver(msgId), MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return bubble->getConv()->folderType == FOLDER_SENT; }));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return shows(time); }));
    EXPECT_FALSE(shows("Not sent"));
}

constexpr const char* SENDER = "+15550100042";

class BubbleLinkTest : public ViewerActionFixture {
protected:
    // The anchors of the bubble's text, in order: their names as a tap reports them.
    static std::vector<std::string> anchors(const std::string& text) {
        std::vector<std::string> names;
        const std::string open = "<a href=";
        for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
            size_t end = text.find('>', at);
            names.push_back(text.substr(at + open.size(), end - at - open.size()));
        }
        return names;
    }
    std::string textOf(int msgId) {
        const bool loaded = listView()->findBubble(msgId) != nullptr;
        // Only a bubble in view has its text widget.
        if (loaded)
            showAtMiddle(msgId);
        EXPECT_TRUE(loaded && msg_test::runLoopUntil([&] { return labelOf(msgId) != nullptr; })) << msgId;
        return labelOf(msgId) ? elm_object_text_get(labelOf(msgId)) : "";
    }
    // A finger on the bubble's one link, as the text widget reports it.
    void tapTheLink(int msgId) {
        std::vector<std::string> names = anchors(textOf(msgId));
        ASSERT_EQ(names.size(), 1u) << textOf(msgId);
        Elm_Entry_Anchor_Info info = {};
        info.name = names.front().c_str();
        evas_object_smart_callback_call(labelOf(msgId), "anchor,clicked", &info);
    }
};

} // namespace

TEST_F(BubbleLinkTest, EachKindOfLinkOpensInTheApplicationForIt) {
    std::string error;
    ASSERT_TRUE(msg_services::FeatureStore::set("zeq/12", "here", &error)) << error;
    // The link in the text, the application it opens in (null: the browser, whichever application
    // that is) and the address it is given.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"vorlaneapps://ProductDetail/app.one", "com.vorlane.hulmstore",
         "vorlaneapps://ProductDetail/app.one"},
        {"http://apps.vorlane.com/hulm/appDetail.as?appId=0001", "com.vorlane.hulmstore",
         "http://apps.vorlane.com/hulm/appDetail.as?appId=0001"},
        // The link "Send my location" sends, west of Greenwich.
        {"https://share.here.com/l/40.712800,-74.006000?z=13", "com.vorlane.mapcontrol",
         "geo:40.712800,-74.006000"},
        // A location page opens in a web view of our own, or in the browser without a web engine.
        {"https://glympse.com/AB12-CD3", nullptr, "https://glympse.com/AB12-CD3"},
        {"www.example.com/page", nullptr, "http://www.example.com/page"},
        {"HTTPS://EXAMPLE.COM/X", nullptr, "HTTPS://EXAMPLE.COM/X"},
    };
    std::vector<std::string> texts;
    for (const auto& c : cases)
        texts.push_back(std::string("see ") + std::get<0>(c));
    std::vector<int> ids = watchThread({SENDER}, texts);
    // The link manager reads the watch's applications and carrier once: anew for this watch.
    msg_app::MCommonCutlinkMgr::release();
    open(threadId);
    for (size_t i = 0; i < ids.size(); ++i) {
        const auto& [text, target, uri] = cases[i];
        SCOPED_TRACE(text);
        int64_t since = lastLaunchId();
        ASSERT_NO_FATAL_FAILURE(tapTheLink(ids[i]));
        if (std::string(text).find("glympse") != std::string::npos &&
            msg_app::common_util::is_web_engine_available()) {
            EXPECT_NE(topPageName(), "msg_viewer") << "no web view";
            appWindow->getNaviframeController()->pop();
            continue;
        }
        LaunchEntry launched = waitLaunchTo("", since);
        ASSERT_NE(launched.id, 0) << "nothing launched";
        if (target) {
            EXPECT_EQ(launched.target, target);
        }
        EXPECT_EQ(launched.uri, uri);
    }
    // In select mode a tap checks the bubble: its link opens nothing.
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    EXPECT_EQ(launchedBy([&] { tapTheLink(ids[0]); }, "", 0.5).id, 0);
}

TEST_F(BubbleLinkTest, AGroupSendersNumberIsANameNotALink) {
    std::vector<int> ids =
        watchThread({SENDER, "+15550100043"}, std::vector<std::string>{"call +15550100099 later"});
    open(threadId);
    std::string text = textOf(ids[0]);
    size_t nameEnd = text.find("</sender>");
    ASSERT_NE(nameEnd, std::string::npos) << text;
    EXPECT_EQ(text.rfind("<a ", nameEnd), std::string::npos) << text;
    std::vector<std::string> names = anchors(text);
    ASSERT_EQ(names.size(), 1u) << text;
    EXPECT_NE(names.front().find("+15550100099"), std::string::npos) << text;
}
