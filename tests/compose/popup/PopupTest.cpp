// The composer's popups. Those of failed checks: their texts, the flight-mode setting, and the end of
// a composer process (never of the messaging application) when they close. The sending popup
// following the store: only a final status ends it, with the check mark and the sent text (a
// failure's text is the body screen's test); a phone that never answers does not leave it up.
#include "FeedSync.h"
#include "LaunchJournal.h"
#include "LogCapture.h"
#include "WatchScreenTest.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCMsgData.h"
#include "compose/MCUtil.h"
#include "compose/launch/MCLaunchMgr.h"
#include "compose/send/MCPopup.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

#include <algorithm>

using namespace msg_app::compose;
using msg_app::MCommonProgressPopup;

namespace {

constexpr const char* EXIT_LINE = "[msg-send or msg-compose] process elm_exit()";

using LaunchErrorPopupTest = WatchScreenTest;

// Inside the application a popup closes and nothing ends.
TEST_F(LaunchErrorPopupTest, EachErrorTellsItsReasonAndEndsOnlyAComposerProcess) {
    msg_test::LogCapture log;
    const struct {
        MCLaunchMgr::Error error;
        int appControlType;
        const char* text;
    } cases[] = {
        {MCLaunchMgr::ERROR_FLIGHT_MODE, APP_CONTROL_SEND,
         "Can't send messages. Turn off Airplane mode and try again."},
        {MCLaunchMgr::ERROR_RESTRICTED, APP_CONTROL_SEND, "Security policy prevents use of text messaging."},
        {MCLaunchMgr::ERROR_INVALID_RECIPIENT, APP_CONTROL_SEND, "Invalid recipient."},
        {MCLaunchMgr::ERROR_STORAGE_FULL, APP_CONTROL_SEND, "Memory full."},
        {MCLaunchMgr::ERROR_STORAGE_FULL, APP_CONTROL_IN_APP, "Memory full."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.error) + " from " + std::to_string(c.appControlType));
        log.clear();
        view_kit::WViewController* popup = MCLaunchMgr::createErrorPopup(c.error, c.appControlType);
        ASSERT_NE(nullptr, popup);
        ASSERT_TRUE(page->attachPopup(popup));
        settle();
        Evas_Object* content = elm_object_content_get(popup->getEvasObject());
        std::string text = content ? partText(content, "elm.text") : std::string();
        EXPECT_EQ(c.text, text.empty() ? partText(popup->getEvasObject(), "elm.text") : text);
        // Closed as the user would; single iterations: the process's exit quits a running main loop.
        pressKey("Escape");
        auto weak = popup->getWeakPtr();
        ASSERT_TRUE(msg_test::pumpUntil([&] { return weak.expired(); }, 5.0));
        EXPECT_EQ(c.appControlType != APP_CONTROL_IN_APP, log.count(EXIT_LINE) > 0);
    }
    EXPECT_EQ(nullptr, MCLaunchMgr::createErrorPopup(MCLaunchMgr::ERROR_NONE, APP_CONTROL_SEND));
    EXPECT_EQ(nullptr, MCLaunchMgr::createErrorPopup(static_cast<MCLaunchMgr::Error>(9), APP_CONTROL_SEND));
}

TEST_F(LaunchErrorPopupTest, FlightModeOkOpensTheSetting) {
    auto* popup = static_cast<msg_app::MCommonPopup*>(
        MCLaunchMgr::createErrorPopup(MCLaunchMgr::ERROR_FLIGHT_MODE, APP_CONTROL_COMPOSE));
    ASSERT_TRUE(page->attachPopup(popup));
    Evas_Object* ok = elm_object_part_content_get(popup->getEvasObject(), "button2");
    ASSERT_NE(nullptr, ok);
    // The show transition ends before the buttons take clicks.
    ASSERT_TRUE(msg_test::runLoopUntilShown(ok));
    clickCenter(ok);
    ASSERT_TRUE(msg_test::pumpUntil([] {
        auto launches = msg_services::LaunchJournal::list();
        return std::any_of(launches.begin(), launches.end(),
                           [](const auto& entry) { return entry.target == MCLaunchMgr::FLIGHT_MODE_APP_ID; });
    }));
}

class SendingPopupTest : public WatchScreenTest {
protected:
    void SetUp() override {
        WatchScreenTest::SetUp();
        applyProfile("phone-bt");
        msg = std::make_shared<MCMsgData>();
        ASSERT_EQ(0, msg_store::MessageManager().sendSMS(0, "01012345678", "hello", 0, &msg->sentMsgId));
        MCommonProgressPopup* created =
            MCPopup::createSendingPopup(timer, APP_CONTROL_IN_APP, [this] { ++gone; });
        ASSERT_TRUE(page->attachPopup(created));
        popup = std::static_pointer_cast<MCommonProgressPopup>(created->getWeakPtr().lock());
        msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, changedCb, this);
        settle();
    }
    void TearDown() override {
        msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, changedCb, this);
        WatchScreenTest::TearDown();
    }
    static void changedCb(const char* payload, void* data) {
        auto* self = static_cast<SendingPopupTest*>(data);
        MCUtil::storageChangeCb(payload, self->msg, self->timer, self->retailTimer, self->popup);
    }
    std::string text() {
        auto shown = popup.lock();
        return shown ? partText(elm_object_content_get(shown->getEvasObject()), "text") : std::string();
    }

    std::shared_ptr<MCMsgData> msg;
    std::weak_ptr<view_kit::WTimer> timer;
    std::weak_ptr<view_kit::WTimer> retailTimer;
    std::weak_ptr<MCommonProgressPopup> popup;
    int gone = 0;
};

TEST_F(SendingPopupTest, OnlyAFinalStatusEndsIt) {
    // Another message's change, and this one's read state, are not its end.
    int otherId = 0;
    ASSERT_EQ(0, msg_store::MessageManager().sendSMS(0, "0109999999", "other", 0, &otherId));
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(otherId));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ("Sending...", text());
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(msg->sentMsgId));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return text() == "Message sent."; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return popup.expired(); }));
    EXPECT_EQ(1, gone);
}

TEST_F(SendingPopupTest, APhoneThatNeverAnswersDoesNotKeepItUp) {
    ASSERT_TRUE(msg_test::pumpUntil([&] { return popup.expired(); }, MCPopup::SENDING_TIMEOUT + 5.0));
    EXPECT_EQ(1, gone);
}

} // namespace
