// The input selector's answer, headless: a selector request in the launch journal, msg-sim answering it,
// the compose process sending what was chosen, and the phone delivering it.
#include "CommonDeviceTest.h"

#include "InputSelectorScreen.h"
#include "SelectorAnswer.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "Programs.h"
#include "app_control.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"
#include "preference.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

constexpr const char* SELECTOR_APP = "com.vorlane.w-input-selector";
constexpr const char* COMPOSE_APP = "com.vorlane.message.appcontrol.compose";

class SelectorAnswerTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        applyProfile("phone-bt");
    }
    // Asks for text as the conversation's reply does; gives the request's journal id.
    int64_t askForReply(const std::string& address) {
        app_control_h request = nullptr;
        app_control_create(&request);
        app_control_set_app_id(request, SELECTOR_APP);
        app_control_set_launch_mode(request, APP_CONTROL_LAUNCH_MODE_GROUP);
        std::string addressItem = "address:" + address;
        const char* items[] = {addressItem.c_str(), "caller_app:com.vorlane.message", "vorlane_log:reply_msg",
                               "sending_popup:hide"};
        app_control_add_extra_data_array(request, "selector_keyboard_data_array", items, 4);
        app_control_add_extra_data(request, "selector_keyboard_app_id", COMPOSE_APP);
        EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_send_launch_request(request, nullptr, nullptr));
        app_control_destroy(request);
        return LaunchJournal::list(1).back().id;
    }
    msg_test::ProgramRun select(int64_t id, const std::vector<std::string>& choice) {
        std::vector<std::string> args = {"select", std::to_string(id)};
        args.insert(args.end(), choice.begin(), choice.end());
        return msg_test::runProgram("msg-sim", args);
    }
    LaunchEntry entry(int64_t id) {
        LaunchEntry found;
        EXPECT_TRUE(LaunchJournal::find(id, found));
        return found;
    }
    // The launches sent after the given one.
    std::vector<LaunchEntry> launchesAfter(int64_t id) {
        std::vector<LaunchEntry> after;
        for (const auto& e : LaunchJournal::list())
            if (e.id > id)
                after.push_back(e);
        return after;
    }
    bool waitForExit(int64_t id) {
        return msg_test::pumpUntil([&] { return entry(id).status == "exited"; }, 20.0);
    }
    std::vector<msg_store::OutboxEntry> outbox() {
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        return entries;
    }
};

TEST_F(SelectorAnswerTest, ChosenTextIsSentByTheComposerAndDeliveredByThePhone) {
    int64_t id = askForReply("+1 555 010 0042");
    EXPECT_EQ("started", entry(id).status);
    msg_test::ProgramRun run = select(id, {"--text", "On my way <b>&</b>"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    LaunchEntry asked = entry(id);
    EXPECT_TRUE(asked.replied);
    EXPECT_EQ(APP_CONTROL_RESULT_SUCCEEDED, asked.result);

    std::vector<LaunchEntry> composer = launchesAfter(id);
    ASSERT_EQ(1u, composer.size());
    EXPECT_EQ(COMPOSE_APP, composer[0].target);
    EXPECT_EQ(SELECTOR_APP, composer[0].caller);
    EXPECT_EQ(APP_CONTROL_LAUNCH_MODE_GROUP, composer[0].launchMode);

    ASSERT_TRUE(msg_test::pumpUntil([&] { return !outbox().empty(); }, 20.0)) << run.err;
    int msgId = outbox().front().msgId;
    EXPECT_EQ("+15550100042", outbox().front().address);
    run = msg_test::runProgram("msg-sim", {"phone"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    ASSERT_TRUE(waitForExit(composer[0].id));
    msg_store::Message sent;
    ASSERT_EQ(0, msg_store::MessageManager().getMessage(msgId, sent));
    EXPECT_EQ("On my way <b>&</b>", sent.text);
    EXPECT_EQ(msg_store::FOLDER_SENT, sent.folderType);

    // A request is answered once, and the selector's window closes with it.
    EXPECT_NE(0, select(id, {"--cancel"}).exitCode);
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SelectorAnswerTest, CancelAndRefusedAnswersSendNothing) {
    int64_t id = askForReply("01012345678");
    const std::vector<std::vector<std::string>> refused = {
        {"--text", "  \n"},
        {},
        {"--text", "a", "--cancel"},
        {"--keyboard", "--cancel"},
    };
    for (const auto& choice : refused) {
        EXPECT_NE(0, select(id, choice).exitCode) << (choice.empty() ? "" : choice.front());
        EXPECT_FALSE(entry(id).replied);
    }
    // Only a selector request is the selector's to answer.
    app_control_h other = nullptr;
    app_control_create(&other);
    app_control_set_app_id(other, "com.vorlane.call");
    ASSERT_EQ(APP_CONTROL_ERROR_NONE, app_control_send_launch_request(other, nullptr, nullptr));
    app_control_destroy(other);
    EXPECT_NE(0, select(LaunchJournal::list(1).back().id, {"--cancel"}).exitCode);
    int64_t last = LaunchJournal::list(1).back().id;

    ASSERT_EQ(0, select(id, {"--cancel"}).exitCode);
    EXPECT_EQ(APP_CONTROL_RESULT_CANCELED, entry(id).result);
    EXPECT_TRUE(launchesAfter(last).empty());
    EXPECT_TRUE(outbox().empty());
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SelectorAnswerTest, TheKeyboardHandsTheRecipientOverWithoutText) {
    int64_t id = askForReply("01012345678");
    // Answered here as msg-sim select --keyboard does: the composer that opens stays up, and a program
    // whose output is captured would wait for it.
    app_control_h received = LaunchJournal::openReceived(id);
    ASSERT_NE(nullptr, received);
    const char* prior = getenv("MSG_APP_ID");
    std::string callerBefore = prior ? prior : "";
    setenv("MSG_APP_ID", SELECTOR_APP, 1);
    EXPECT_TRUE(msg_app::input::SelectorAnswer::openKeyboard(received));
    if (prior)
        setenv("MSG_APP_ID", callerBefore.c_str(), 1);
    else
        unsetenv("MSG_APP_ID");
    app_control_destroy(received);
    LaunchJournal::requestTerminate(id);
    std::vector<LaunchEntry> composer = launchesAfter(id);
    ASSERT_EQ(1u, composer.size());
    EXPECT_EQ(std::string::npos, composer[0].request.find("selected_context"));
    EXPECT_NE(std::string::npos, composer[0].request.find("address:01012345678"));
    EXPECT_TRUE(waitForExit(id));
    // The composer opens on the body for the user to write: it waits, sending nothing, until closed.
    EXPECT_TRUE(msg_test::pumpUntil([&] { return entry(composer[0].id).status == "started"; }, 20.0));
    msg_test::pumpFor(0.5);
    EXPECT_EQ("started", entry(composer[0].id).status);
    EXPECT_TRUE(outbox().empty());
    ASSERT_TRUE(LaunchJournal::requestTerminate(composer[0].id));
    EXPECT_TRUE(waitForExit(composer[0].id));
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
