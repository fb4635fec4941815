// Writing and sending, as a user does it in real windows: msg-app asks the
// input selector (msg-input, a window of its own) for the text, the selector
// hands it to the composer's process, and msg-sim's phone delivers it.
#include "Journey.h"
#include "Wait.h"

#include <algorithm>
#include <functional>

namespace msg_e2e {
namespace {

// The recipient screen's label and Next button; the entry's search button beside the text.
constexpr int LABEL_X = 140;
constexpr int LABEL_Y = 145;
constexpr int NEXT_Y = 317;
constexpr Rect SEARCH_BUTTON = {250, 58, 56, 56};
// The reply row ends the conversation: its button sits over its label, the lowest thing drawn in the
// middle of the screen.
constexpr int REPLY_ABOVE_LABEL = 50;
// The body screen's text and its send button.
constexpr int BODY_TEXT_Y = 105;
constexpr int SEND_Y = 280;
// How far above a button's lowest line a tap still lands inside it.
constexpr int BUTTON_INSET = 12;
// The failure mark's light red on a sent bubble (the theme's AO0021), and how many pixels of it make
// the mark.
constexpr int FAILED_R = 0xFF, FAILED_G = 0x99, FAILED_B = 0x99;
constexpr int COLOUR_TOLERANCE = 40;
constexpr int MARK_PIXELS = 20;

const std::string CONTACT_NUMBER = "+15550100012";
const std::string SENDER = "+15550177700";

class ComposeJourney : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        ASSERT_EQ(watch().sim({"profile", "phone-bt"}).exitCode, 0);
    }

    // The phone delivers what waits in the outbox, until the message to `number` is sent.
    bool phoneDelivers(const std::string& number) {
        return waitUntilTrue(
            [&] { return watch().sim({"phone"}).out.find(" to " + number + " sent") != std::string::npos; });
    }

    // The texts of the messages of the newest conversation, oldest first.
    std::vector<std::string> newestConversation() {
        std::vector<std::string> texts;
        std::vector<Watch::Row> threads = watch().storeRows();
        if (threads.empty())
            return texts;
        std::vector<Watch::Row> messages =
            watch().storeRows({"--thread", std::to_string(threads.front().id)});
        std::sort(messages.begin(), messages.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
        for (const Watch::Row& row : messages)
            texts.push_back(row.text);
        return texts;
    }

    // A conversation of one received message, open in msg-app; its picture.
    bool openNewConversation(Frame* shown) {
        if (watch().sim({"receive", "--from", SENDER, "--text", "Lunch at noon?"}).exitCode != 0)
            return false;
        std::vector<Watch::Row> threads = watch().storeRows();
        if (threads.empty() || !watch().launch({"--thread", std::to_string(threads.front().id)}))
            return false;
        *shown = watch().settled("conversation");
        return true;
    }

    void tapReply(const Frame& conversation) {
        int label = conversation.lowestLitLineIn({Watch::CENTRE, 0, 1, Watch::SIZE});
        watch().tap(Watch::CENTRE, label - REPLY_ABOVE_LABEL);
    }
    // The input selector that opens takes the text; back in msg-app. Whether all went so.
    bool typeInSelector(const std::string& text) {
        if (!watch().switchTo("msg-input")) {
            ADD_FAILURE() << "the input selector did not open";
            return false;
        }
        watch().type(text);
        watch().key("Return");
        EXPECT_TRUE(watch().waitGone("msg-input"));
        return watch().switchTo("msg-app");
    }

    static bool waitUntilTrue(const std::function<bool()>& condition) { return waitUntil(condition, 20.0); }
    // The red mark of a message that was not sent, where the screen shows one.
    static bool failureMark(const Frame& frame, Point* at) {
        return frame.findColour(frame.whole(), FAILED_R, FAILED_G, FAILED_B, COLOUR_TOLERANCE, MARK_PIXELS,
                                at);
    }
};

TEST_F(ComposeJourney, ANewMessageToAContactFoundByTypingIsSentAndListedFirst) {
    ASSERT_EQ(watch().sim({"contact", "add", "--name", "Zoe Park", "--number", CONTACT_NUMBER}).exitCode, 0);
    ASSERT_TRUE(watch().launch());
    const Frame list = watch().settled("list");
    Frame options, recipient;
    ASSERT_TRUE(tapTo(list, CUE_X, Watch::CENTRE, "options", &options));
    // "New message" is the first option, the one in the middle.
    ASSERT_TRUE(tapTo(options, Watch::CENTRE, Watch::CENTRE, "recipient", &recipient));

    Frame entry;
    ASSERT_TRUE(tapTo(recipient, LABEL_X, LABEL_Y, "entry", &entry));
    // The input panel is drawn over the lower part of the screen while the entry has focus.
    EXPECT_GT(entry.litShareIn({60, 200, 240, 80}), 0.3) << "no input panel drawn";
    watch().type("zo");
    ASSERT_TRUE(watch().waitForChange(entry, SEARCH_BUTTON, 0.2, "offered", &entry)) << "no match offered";
    Frame chosen;
    ASSERT_TRUE(tapTo(entry, SEARCH_BUTTON.x + SEARCH_BUTTON.w / 2, SEARCH_BUTTON.y + SEARCH_BUTTON.h / 2,
                      "chosen", &chosen));
    EXPECT_GT(chosen.differenceIn(recipient, {60, 110, 200, 70}), 0.02) << "the label still shows no one";

    watch().tap(Watch::CENTRE, NEXT_Y);
    ASSERT_TRUE(typeInSelector("See you at 6"));
    ASSERT_TRUE(phoneDelivers(CONTACT_NUMBER));
    // Once the message went, the filled recipient screen and its Next are gone: the list shows it.
    Frame listed;
    ASSERT_TRUE(watch().waitForChange(chosen, chosen.whole(), OTHER_SCREEN, "listed", &listed))
        << "the recipient screen stayed, inviting the same message again";
    EXPECT_GT(listed.differenceIn(list, TOP_ROWS), 0.02) << "the list did not change";
    std::vector<Watch::Row> rows = watch().storeRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().text, "See you at 6");
}

// In a conversation of one received message: a reply the phone fails and sends after a tap on its
// mark, and one written in the composer the selector's keyboard choice opens. (A text from the
// selector the phone sends at once is the new message's journey.)
TEST_F(ComposeJourney, AFailedReplyIsSentAgainByATapOnItsMarkAndTheComposerTheKeyboardOpensSends) {
    Frame conversation;
    ASSERT_TRUE(openNewConversation(&conversation));
    tapReply(conversation);
    ASSERT_TRUE(typeInSelector("Sounds good"));
    EXPECT_TRUE(watch().waitForChange(conversation, conversation.whole(), 0.02, "replied", &conversation))
        << "no new bubble";
    // The phone cannot send it: the bubble shows the failure mark.
    ASSERT_TRUE(waitUntilTrue([&] {
        return watch().sim({"phone", "--fail-rate", "1"}).out.find(" to " + SENDER + " FAILED") !=
               std::string::npos;
    }));
    Point mark{0, 0};
    ASSERT_TRUE(waitUntilTrue([&] { return failureMark(watch().settled("failed"), &mark); }))
        << "no failure mark";
    // A tap on it sends it again; the phone delivers it this time and the mark goes.
    watch().tap(mark.x, mark.y);
    ASSERT_TRUE(phoneDelivers(SENDER)) << "not sent again";
    EXPECT_TRUE(waitUntilTrue([&] { return !failureMark(watch().settled("sent"), &mark); }))
        << "the bubble still reads failed";
    EXPECT_EQ(newestConversation(), (std::vector<std::string>{"Lunch at noon?", "Sounds good"}));

    tapReply(watch().settled("before-keyboard"));
    ASSERT_TRUE(watch().switchTo("msg-input"));
    // "Keyboard" is the selector's last button, below the quick replies: a finger scrolls the list to
    // its end.
    watch().settled("selector");
    watch().drag(Watch::CENTRE, Watch::SIZE - 40, 20);
    Frame selector = watch().settled("selector at its end");
    int lowest = selector.lowestLitLineIn({Watch::CENTRE, 0, 1, Watch::SIZE});
    ASSERT_GT(lowest, BUTTON_INSET);
    watch().tap(Watch::CENTRE, lowest - BUTTON_INSET);
    EXPECT_TRUE(watch().waitGone("msg-input"));

    ASSERT_TRUE(watch().switchTo("msg-compose")) << "the composer did not open";
    const Frame body = watch().settled("body");
    Frame editor;
    ASSERT_TRUE(tapTo(body, Watch::CENTRE, BODY_TEXT_Y, "editor", &editor));
    watch().type("Typed here");
    watch().key("Return");
    Frame written;
    ASSERT_TRUE(watch().waitForChange(editor, editor.whole(), OTHER_SCREEN, "written", &written));
    EXPECT_GT(written.differenceIn(body, {60, 80, 240, 60}), 0.02) << "the text is not on the body screen";
    watch().tap(Watch::CENTRE, SEND_Y);
    EXPECT_TRUE(watch().waitGone("msg-compose"));
    ASSERT_TRUE(phoneDelivers(SENDER));
    // Exactly what was typed: the Return that closed the editor is not part of it.
    EXPECT_EQ(newestConversation(),
              (std::vector<std::string>{"Lunch at noon?", "Sounds good", "Typed here"}));
}

} // namespace
} // namespace msg_e2e
