// A tap on a message that was not sent sends it again by the road it first took, or tells why
// that road cannot carry it now; the bubble reads as failed until then.
#include "ViewerActionFixture.h"

#include "AppScreenOpener.h"
#include "DeviceProfiles.h"
#include "LogCapture.h"
#include "MainLoop.h"
#include "common/SingletonRelease.h"
#include "common/ui/MCommonI18n.h"
#include "media/CanvasWalk.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <Elementary.h>

#include <algorithm>
#include <sstream>

using namespace msg_app::msg_viewer;
using namespace msg_store;

namespace {

constexpr const char* NUMBER = "+15550100061";
constexpr int64_t START_MS = 1700049600000;

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
    // One failed message of the road's folder, in a conversation open on the screen; its id.
    int openFailed(msg_store::FolderType folder, msg_store::NetworkStatus failure) {
        auto failed = msg_test::message(NUMBER, "not this time", START_MS, folder);
        failed.networkStatus = failure;
        int msgId = storeThread({failed}).front();
        open(threadId);
        return msgId;
    }
    msg_store::Message stored(int msgId) const {
        msg_store::Message message;
        msg_store::MessageManager().getMessage(msgId, message);
        return message;
    }
    std::string outboxRoute(int msgId) const {
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        for (const auto& entry : entries) {
            if (entry.msgId == msgId)
                return entry.route;
        }
        return "";
    }
    Evas_Object* popup() const {
        return msg_test::findOnCanvas(evas_object_evas_get(appWindow->getEvasObject()), [](Evas_Object* o) {
            const char* name = efl_class_name_get(efl_class_get(o));
            return name && std::string(name) == "Elm.Popup";
        });
    }
    void tap(MVItemBubble* bubble) { bubble->onSelect(bubble->getElmObjectItem()); }

    msg_app::shell::AppScreenOpener opener;
};

class ResendRoadTest : public ResendTest, public ::testing::WithParamInterface<Road> {};

} // namespace

TEST_P(ResendRoadTest, GoesAgainByItsOwnRoadOrTellsWhyNot) {
    const Road& road = GetParam();
    apply(road);
    int msgId = openFailed(road.folder, road.failure);
    MVItemBubble* bubble = listView()->findBubble(msgId);
    ASSERT_NE(bubble, nullptr);
    msg_test::LogCapture log;
    tap(bubble);
    if (road.route) {
        ASSERT_TRUE(msg_test::pumpUntil([&] { return !outboxRoute(msgId).empty(); }));
        if (std::string(road.route) == "watch")
            EXPECT_TRUE(
                log.contains("message " + std::to_string(msgId) + " goes again from the watch's outbox"));
        else
            EXPECT_EQ(outboxRoute(msgId), road.route);
        // The same message goes again, from where it was: no copy of it.
        EXPECT_EQ(stored(msgId).folderType, road.folder);
        EXPECT_EQ(listView()->getModel().getCount(), 1);
        EXPECT_EQ(popup(), nullptr);
        return;
    }
    // Nothing goes: the bubble stays failed as it was, and the user is told.
    EXPECT_TRUE(log.contains("of msgId [" + std::to_string(msgId) + "] is not available"));
    EXPECT_EQ(bubble->getConv()->networkStatus, road.failure);
    EXPECT_EQ(stored(msgId).networkStatus, road.failure);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return popup() != nullptr; }));
}

INSTANTIATE_TEST_SUITE_P(Roads, ResendRoadTest, ::testing::ValuesIn(ROADS),
                         [](const ::testing::TestParamInfo<Road>& info) { return info.param.name; });

TEST_F(ResendTest, AResendTheWatchsModemRefusesShowsItsFailureAgain) {
    apply(ROADS[3]);
    int msgId = openFailed(msg_store::FOLDER_WATCH_OUTBOX, msg_store::NETWORK_STATUS_SEND_FAIL_NETWORK);
    MVItemBubble* bubble = listView()->findBubble(msgId);
    ASSERT_NE(bubble, nullptr);
    // The modem fails the next send.
    ASSERT_EQ(vconf_set_int("memory/private/msg/next_send_error", -11), 0);
    tap(bubble);
    EXPECT_EQ(bubble->getConv()->networkStatus, msg_store::NETWORK_STATUS_SENDING);
    EXPECT_TRUE(msg_test::pumpUntil(
        [&] { return bubble->getConv()->networkStatus == msg_store::NETWORK_STATUS_SEND_FAIL_NETWORK; }));
    EXPECT_EQ(stored(msgId).networkStatus, msg_store::NETWORK_STATUS_SEND_FAIL_NETWORK);
}

TEST_F(ResendTest, AFailedBubbleShowsItsTimeAndSaysItWasNotSent) {
    apply(ROADS[0]);
    int msgId = openFailed(msg_store::FOLDER_OUTBOX, msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO);
    MVItemBubble* bubble = listView()->findBubble(msgId);
    ASSERT_NE(bubble, nullptr);
    // Its status line: the failure mark, the time and the words, inside the bubble (whose text
    // widget the row may have built again).
    auto shows = [&](const std::string& text) {
        Evas_Object* label = MVItemBubbleTestPeer::label(bubble);
        return label &&
               msg_test::findObject(label, [&](Evas_Object* o) { return msg_test::showsText(o, text); });
    };
    std::string time;
    msg_app::MCommonI18n::getInstance()->getFormattedDateTimeText(msg_app::MCommonI18n::TIME, START_MS / 1000,
                                                                  time, false);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return shows("Not sent"); }));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return shows(time); })) << time;

    // Sent, it reads as any other: its time, and no such words.
    tap(bubble);
    ASSERT_TRUE(msg_test::pumpUntil(
        [&] { return stored(msgId).networkStatus == msg_store::NETWORK_STATUS_SENDING; }));
    ASSERT_EQ(msg_store::PhoneSide::deliver(msgId), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return bubble->getConv()->folderType == msg_store::FOLDER_SENT; }));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return shows(time); }));
    EXPECT_FALSE(shows("Not sent"));
}
