// The popups of failed checks: their texts, the flight-mode setting, and the end of a composer
// process (never of the messaging application) when they close.
#include "LaunchJournal.h"
#include "LogCapture.h"
#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/popup/MCommonPopup.h"
#include "compose/MCMsgData.h"
#include "compose/launch/MCLaunchMgr.h"

using namespace msg_app::compose;

namespace {

constexpr const char* EXIT_LINE = "[msg-send or msg-compose] process elm_exit()";

class LaunchErrorPopupTest : public WatchScreenTest {
protected:
    // Attaches the popup of the error and closes it as the user would.
    void showAndClose(MCLaunchMgr::Error error, int appControlType, const char* expectedText) {
        view_kit::WViewController* popup = MCLaunchMgr::createErrorPopup(error, appControlType);
        ASSERT_NE(nullptr, popup);
        ASSERT_TRUE(page->attachPopup(popup));
        settle();
        Evas_Object* obj = popup->getEvasObject();
        Evas_Object* content = elm_object_content_get(obj);
        std::string text = content ? partText(content, "elm.text") : std::string();
        if (text.empty())
            text = partText(obj, "elm.text");
        EXPECT_EQ(expectedText, text);
        pressKey("Escape");
        auto weak = popup->getWeakPtr();
        // Single iterations: the process's exit quits a running main loop.
        ASSERT_TRUE(msg_test::pumpUntil([&] { return weak.expired(); }, 5.0));
    }
    msg_test::LogCapture log;
};

// Inside the application a popup closes and nothing ends.
TEST_F(LaunchErrorPopupTest, EachErrorTellsItsReasonAndEndsOnlyAComposerProcess) {
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
        showAndClose(c.error, c.appControlType, c.text);
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
        for (const auto& entry : msg_services::LaunchJournal::list()) {
            if (entry.target == MCLaunchMgr::FLIGHT_MODE_APP_ID)
                return true;
        }
        return false;
    }));
}

} // namespace
