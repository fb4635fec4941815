// The input selector's answer, headless: a selector request in the launch journal and msg-sim answering
// it. A chosen text's way to the phone is a new message's journey; its "Keyboard", the real-window
// journey's.
#include "ProcessTest.h"

#include "InputSelectorScreen.h"

#include "Programs.h"
#include "preference.h"

namespace {

class SelectorAnswerTest : public ProcessTest {
protected:
    // Asks for text as the conversation's reply does; gives the request's journal id.
    static int64_t askForReply(const std::string& address) {
        return launch(SELECTOR_APP, {{"selector_keyboard_app_id", COMPOSE_APP}},
                      {"address:" + address, "caller_app:com.vorlane.message", "vorlane_log:reply_msg",
                       "sending_popup:hide"},
                      APP_CONTROL_LAUNCH_MODE_GROUP);
    }
    static int select(int64_t id, std::vector<std::string> choice) {
        choice.insert(choice.begin(), {"select", std::to_string(id)});
        return msg_test::runProgram("msg-sim", choice).exitCode;
    }
};

TEST_F(SelectorAnswerTest, CancelAndRefusedAnswersSendNothing) {
    int64_t id = askForReply("01012345678");
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"--text", "  \n"}, {}, {"--text", "a", "--cancel"}}) {
        EXPECT_NE(0, select(id, refused)) << refused.size();
        EXPECT_FALSE(entry(id).replied);
    }
    // Only a selector request is the selector's to answer.
    int64_t other = launch("com.vorlane.call", {});
    EXPECT_NE(0, select(other, {"--cancel"}));

    ASSERT_EQ(0, select(id, {"--cancel"}));
    EXPECT_EQ(APP_CONTROL_RESULT_CANCELED, entry(id).result);
    // A request is answered once, and the selector's window closes with it.
    EXPECT_NE(0, select(id, {"--text", "late"}));
    EXPECT_TRUE(launchesAfter(other).empty());
    EXPECT_TRUE(outbox().empty());
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SelectorAnswerTest, QuickRepliesAreThePreferencesLinesElseTheBuiltInOnes) {
    using msg_app::input::InputSelectorScreen;
    const std::vector<std::string> builtIn = InputSelectorScreen::quickReplies();
    EXPECT_EQ(3u, builtIn.size());
    ASSERT_EQ(PREFERENCE_ERROR_NONE, preference_set_string("quick_replies", "Yes\n\n  \r\nNo <b>\n"));
    EXPECT_EQ((std::vector<std::string>{"Yes", "No <b>"}), InputSelectorScreen::quickReplies());
    ASSERT_EQ(PREFERENCE_ERROR_NONE, preference_set_string("quick_replies", " \n"));
    EXPECT_EQ(builtIn, InputSelectorScreen::quickReplies());
}

} // namespace
