// The recipient screen: its rows, the label's buttons, the contacts picker's answer and Next. A new
// message from the list to the phone is the real-window journey's.
#include "RecipientScreenTest.h"

#include "Programs.h"
#include "TempDir.h"
#include "compose/body/MCBodyContentViewController.h"
#include "compose/body/MCComposerOpener.h"

#include <glib.h>

using namespace msg_app::compose;

namespace {

constexpr const char* SELECTOR = "com.vorlane.w-input-selector";
constexpr const char* PICKER = "com.vorlane.w-contacts2.appcontrol";
constexpr const char* INVALID = "Invalid recipient.";

std::string shownText(msg_app::compose::MCItem* item) {
    const char* text = item ? elm_object_item_part_text_get(item->getElmObjectItem(), "elm.text") : nullptr;
    return text ? text : "";
}

} // namespace

TEST_F(RecipientScreenTest, TheLabelShowsTheGuideOrTheNameAndNextAsksTheSelectorForARecipient) {
    addContact("<b>Zoe & co", "+15550100012");
    ASSERT_TRUE(open(nullptr));
    using T = MCItem::Type;
    EXPECT_EQ((std::vector<T>{T::PADDING, T::RCPT_LABEL, T::PADDING, T::RCPT_NEXT_BUTTON}), rowTypes());
    EXPECT_STREQ("", label->getAddr());
    EXPECT_EQ("<guide>Enter recipient</guide>", shownText(label));
    EXPECT_TRUE(elm_object_disabled_get(next->getButton()));

    // A contact's name shows as typed, markup characters included; the button turns to removing it.
    label->setAddr("+15550100012");
    waitRowBuilt(label);
    EXPECT_EQ("&lt;b&gt;Zoe &amp; co", shownText(label));
    ASSERT_NE(nullptr, label->getButton());
    EXPECT_FALSE(elm_object_disabled_get(next->getButton()));

    // The remove button empties it again.
    tap(label->getButton());
    waitRowBuilt(label);
    EXPECT_STREQ("", label->getAddr());
    EXPECT_TRUE(elm_object_disabled_get(next->getButton()));

    // Next refuses what is no recipient (which is, the recipient rules' tests) and otherwise asks
    // the input selector.
    size_t before = launchesTo(SELECTOR).size();
    // Next takes taps once the address has enabled it and the rows are laid out again.
    auto tapNextWith = [&](const char* address) {
        label->setAddr(address);
        waitRowBuilt(label);
        ASSERT_TRUE(msg_test::runLoopUntil(
            [&] { return !elm_object_disabled_get(next->getButton()) && takesInput(next->getButton()); }));
        tap(next->getButton());
    };
    ASSERT_NO_FATAL_FAILURE(tapNextWith("12"));
    EXPECT_TRUE(waitToast(INVALID));
    screen->destroyPopup();
    EXPECT_EQ(before, launchesTo(SELECTOR).size());

    ASSERT_NO_FATAL_FAILURE(tapNextWith("123"));
    std::vector<LaunchEntry> launched = launchesTo(SELECTOR);
    ASSERT_EQ(before + 1, launched.size());
    EXPECT_EQ((std::vector<std::string>{"address:123", "caller_app:com.vorlane.message",
                                        "vorlane_log:new_msg", "from_type:none"}),
              selectorItems(launched.back()));
    EXPECT_NE(launched.back().request.find("com.vorlane.message.appcontrol.compose"), std::string::npos);
    closeLaunched(launched.back());
}

TEST_F(RecipientScreenTest, TheEntryGivesBackWhatWasTypedAndASelectorThatCannotStartIsTold) {
    // No input selector where the device looks for it: the launch fails.
    msg_test::TempDir emptyBin;
    std::string previous = g_getenv("MSG_BIN_DIR") ? g_getenv("MSG_BIN_DIR") : "";
    g_setenv("MSG_BIN_DIR", emptyBin.path().c_str(), TRUE);
    ASSERT_TRUE(open("+1 (555) 010-0001"));
    // The label opens the entry with the recipient, and takes back what is typed there.
    std::string shown;
    ASSERT_TRUE(typeRecipient("0101234", &shown));
    EXPECT_EQ("+15550100001", shown);
    EXPECT_STREQ("0101234", label->getAddr());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return takesInput(next->getButton()); }));
    tap(next->getButton());
    EXPECT_TRUE(waitToast("Couldn't open the keyboard."));
    EXPECT_EQ("failed", launchesTo(SELECTOR).back().status);
    g_setenv("MSG_BIN_DIR", previous.c_str(), TRUE);
}

TEST_F(RecipientScreenTest, TheContactsPickersAnswerFillsTheRecipientWhenItNamesANumber) {
    addContact("Zoe Park", "+1 555 010 0012");
    ASSERT_TRUE(open(nullptr));
    // Answers another application gave, read strictly; then the simulated picker's own answers.
    const struct {
        std::vector<std::string> answer;
        const char* expected;
        bool refused;
    } answers[] = {
        {{"reply", "--extra", "data_selected=1x"}, "", true},
        {{"reply", "--extra", "data_selected=99999999999"}, "", true},
        {{"reply", "--extra", "data_selected=4242"}, "", true},
        {{"pick", "--cancel"}, "", false},
        {{"pick", "+1 555 010 0012"}, "+15550100012", false},
    };
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.answer.back());
        size_t before = launchesTo(PICKER).size();
        // The row is built again after each answer; a tap lands once it is laid out.
        waitRowBuilt(label);
        ASSERT_NE(nullptr, label->getButton());
        tap(label->getButton());
        std::vector<LaunchEntry> launched = launchesTo(PICKER);
        ASSERT_EQ(before + 1, launched.size());
        EXPECT_NE(launched.back().request.find("pick"), std::string::npos);
        std::vector<std::string> args = {answer.answer[0], std::to_string(launched.back().id)};
        args.insert(args.end(), answer.answer.begin() + 1, answer.answer.end());
        msg_test::ProgramRun run = msg_test::runProgram("msg-sim", args);
        ASSERT_EQ(0, run.exitCode) << run.err;
        if (answer.refused) {
            EXPECT_TRUE(waitToast(INVALID));
        } else {
            // The reply reaches the screen through the main loop.
            EXPECT_TRUE(msg_test::runLoopUntil([&] {
                LaunchEntry now;
                return LaunchJournal::find(launched.back().id, now) && now.replied &&
                       std::string(label->getAddr()) == answer.expected;
            }));
            settle();
            EXPECT_FALSE(hasToast(INVALID));
        }
        EXPECT_STREQ(answer.expected, label->getAddr());
        screen->destroyPopup();
    }
}

// The opener takes the recipient on Next instead of the selector.
TEST_F(RecipientScreenTest, AComposerWithoutRecipientsGoesFromTheTypedRecipientToTheBody) {
    auto msg = std::make_shared<MCMsgData>();
    msg->body = "shared words";
    view_kit::WContentViewController* first = MCComposerOpener::createComposer(msg, nullptr);
    screen = dynamic_cast<MCRecipientContentViewController*>(first);
    ASSERT_NE(nullptr, screen) << "the recipient is chosen first";
    ASSERT_TRUE(push(first));
    ASSERT_TRUE(typeRecipient("0101234"));
    size_t before = launchesTo(SELECTOR).size();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return takesInput(next->getButton()); }));
    tap(next->getButton());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == MCBodyContentViewController::NAME; }));
    auto* body = static_cast<MCBodyContentViewController*>(
        window->getNaviframeController()->getTopContentViewController());
    EXPECT_EQ(std::vector<std::string>{"0101234"}, body->getMsgData()->recipient);
    EXPECT_EQ("shared words", body->getMsgData()->body);
    EXPECT_EQ(before, launchesTo(SELECTOR).size()) << "the body is written here, not in the selector";
}
