// A conversation as a user acts on it in a real window: select and delete its
// messages, and reply with the bezel or a finger at its end.
#include "Journey.h"
#include "Json.h"
#include "ShownScreen.h"
#include "Wait.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace msg_e2e {
namespace {

// A list scrolled to other rows differs in much of its area.
constexpr double OTHER_ROWS = 0.05;
// Received bubbles sit on the left; a finger touches them where they show between the top edge
// and the select mode's button.
constexpr int BUBBLE_X = 110;
constexpr int SHOWN_TOP = 30;
constexpr int SHOWN_BOTTOM = 300;
// Under the reply button of a conversation opened at its end, in the middle: its caption, then
// nothing; half the caption's height.
constexpr Rect BELOW_REPLY_BUTTON = {150, 200, 60, 110};
constexpr int CAPTION_HALF_HEIGHT = 10;
// Bubbles drawn in the upper half light much of it; the reply button alone a little.
constexpr Rect UPPER_HALF = {40, 20, 280, 160};
constexpr double BUBBLES_LIT = 0.3;
// Where the newest of several one-line bubbles shows as the conversation opens at its end.
constexpr Point NEWEST_AT_OPEN = {110, 80};
// The select mode's button fills the bottom area; nothing else there is lit that much.
constexpr double BUTTON_LIT = 0.9;
// How long deleting, and the reply launching, may take on a busy machine.
constexpr double DELETE_SECONDS = 20.0;
constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";
constexpr const char* GALLERY = "com.vorlane.w-gallery";
// Where the picture of the newest message shows at the end of its conversation, and a drag that
// the reply takes.
constexpr int PICTURE_Y = 28;
constexpr int DRAG_PAST_END = 22;
// More messages than two pages and the first screen: the older pages go in as the bezel turns.
constexpr int LONG_CONVERSATION = 75;

class ConversationJourney : public Journey {
protected:
    // One-line messages received from one number, which opens the list; their thread.
    int receive(std::initializer_list<const char*> texts) {
        for (const char* text : texts)
            EXPECT_EQ(watch().sim({"receive", "--from", "+15550188888", "--text", text}).exitCode, 0);
        return watch().storeRows().front().id;
    }
    // The middle of the part in view of the conversation's row that shows `text`, as the application
    // tells it; -1 when no such row shows.
    int bubbleY(const std::string& text) {
        ShownScreen shown;
        if (!watch().inspect(&shown))
            return -1;
        for (const ShownScreen::List& list : shown.lists) {
            for (const ShownScreen::Row& row : list.rows) {
                const int top = std::max(row.box.y, SHOWN_TOP);
                const int bottom = std::min(row.box.y + row.box.h, SHOWN_BOTTOM);
                // A bubble's text runs on into its status line.
                const bool shows =
                    std::any_of(row.texts.begin(), row.texts.end(), [&](const ShownScreen::Text& t) {
                        return t.text == text || t.text.rfind(text + "\n", 0) == 0;
                    });
                if (shows && bottom > top)
                    return (top + bottom) / 2;
            }
        }
        return -1;
    }
    // The tops of the rows in view, top to bottom; the first lines of their texts that are among
    // `texts` into `lines` when given.
    std::vector<int> rowTops(std::vector<std::string>* lines = nullptr,
                             const std::vector<std::string>& texts = {}) {
        ShownScreen shown;
        std::vector<int> tops;
        if (!watch().inspect(&shown))
            return tops;
        if (lines)
            lines->clear();
        for (const ShownScreen::List& list : shown.lists) {
            for (const ShownScreen::Row& row : list.rows) {
                tops.push_back(row.box.y);
                for (const ShownScreen::Text& t : row.texts) {
                    const std::string line = t.text.substr(0, t.text.find('\n'));
                    if (lines && std::find(texts.begin(), texts.end(), line) != texts.end())
                        lines->push_back(line);
                }
            }
        }
        return tops;
    }
    // Long-presses the bubble showing `newest`, then taps the one showing `older`; the screen with both
    // checked.
    bool checkTwo(const std::string& newest, const std::string& older, Frame* selecting) {
        const int newestY = bubbleY(newest);
        if (newestY < 0)
            ADD_FAILURE() << newest << " not shown: " << watch().sim({"inspect", "--json"}).out;
        if (newestY < 0 || !watch().longPress(BUBBLE_X, newestY, BOTTOM_AREA))
            return false;
        *selecting = watch().settled("one-checked");
        const int olderY = bubbleY(older);
        if (olderY < 0)
            return false;
        watch().tap(BUBBLE_X, olderY);
        return watch().waitForChange(*selecting, selecting->whole(), 0.002, "two-checked", selecting);
    }
    // Deletes the checked bubbles with the bottom button; true once the store keeps only `kept`
    // and the toast that says so has gone again.
    bool deleteChecked(int threadId, const std::set<std::string>& kept, Frame selecting) {
        watch().tap(Watch::CENTRE, BOTTOM_BUTTON_Y);
        bool stored = waitUntil([&] { return storedTexts(threadId) == kept; }, DELETE_SECONDS);
        // The progress popup, then the toast that says so, then the conversation again, out of select
        // mode: as the application tells what it shows.
        bool back = stored && waitUntil(
                                  [&] {
                                      ShownScreen shown;
                                      return watch().inspect(&shown) && !shown.seenView("MCommonPopup") &&
                                             !shown.seenView("MCommonProgressPopup") &&
                                             !shown.seenView("MCommonCountBtnViewController") &&
                                             shown.topPage() == "MVContentViewController";
                                  },
                                  DELETE_SECONDS);
        Frame again = watch().settled("conversation-again");
        return back && again.differenceIn(selecting, selecting.whole()) > OTHER_ROWS;
    }
    std::set<std::string> storedTexts(int threadId) {
        std::set<std::string> stored;
        for (const Watch::Row& row : watch().storeRows({"--thread", std::to_string(threadId)}))
            stored.insert(row.text);
        return stored;
    }
    // Whether the input selector was asked for a reply once more than the `before` times so far; its
    // request is answered with a cancel, and its window goes.
    bool replyLaunched(size_t before = 0) {
        std::vector<int> requests;
        bool launched = waitUntil(
            [&] {
                requests = idsWhere(watch().sim({"launches", "--json"}).out,
                                    [](JsonObject* o) { return stringOf(o, "target") == INPUT_SELECTOR; });
                return requests.size() > before;
            },
            DELETE_SECONDS);
        watch().settled("replying");
        if (!launched)
            return false;
        watch().sim(
            {"select", std::to_string(*std::max_element(requests.begin(), requests.end())), "--cancel"});
        return watch().waitGone("msg-input");
    }
};

TEST_F(ConversationJourney,
       ABubblePressedAsItComesInGoesAloneTheBezelRepliesThenTwoShownByAFingerGoAndTheRestFollowTheBezel) {
    const int threadId = receive({"one", "two", "three", "four", "five", "six", "seven"});
    ASSERT_TRUE(watch().launch());
    watch().settled("list");
    ASSERT_TRUE(watch().tapThenLongPress({Watch::CENTRE, ROW_Y}, NEWEST_AT_OPEN, [](const Frame& now) {
        return now.litShareIn(BOTTOM_AREA) > BUTTON_LIT;
    })) << "no select mode";
    Frame selecting = watch().settled("checked");
    // The bubble pressed, and only it, goes.
    ASSERT_TRUE(deleteChecked(threadId, {"one", "two", "three", "four", "five", "six"}, selecting))
        << storedTexts(threadId).size();
    // Out of select mode at the end, three detents launch the reply.
    watch().wheel(true, 3);
    ASSERT_TRUE(replyLaunched()) << watch().sim({"launches"}).out;

    // A finger brings the bubbles above the end into view (again, if the end came back while the
    // rest went in).
    const Frame atEnd = watch().settled("at-end");
    bool pulled = false;
    for (int attempt = 0; attempt < 3 && !pulled; ++attempt) {
        watch().drag(Watch::CENTRE, DRAG_TO_Y, DRAG_FROM_Y);
        pulled = watch().settled("bubbles").differenceIn(atEnd, atEnd.whole()) > OTHER_ROWS;
    }
    ASSERT_TRUE(pulled) << "the finger did not scroll the conversation";
    ASSERT_TRUE(checkTwo("six", "five", &selecting));
    ASSERT_TRUE(deleteChecked(threadId, {"one", "two", "three", "four"}, selecting))
        << storedTexts(threadId).size();
    Frame left = watch().settled("left");
    EXPECT_GT(left.litShareIn(UPPER_HALF), BUBBLES_LIT) << "the bubbles left are out of view";
    watch().wheel(false, 1);
    EXPECT_TRUE(watch().waitForChange(left, left.whole(), OTHER_ROWS, "older", nullptr))
        << "the bezel is stuck";
}

// A long conversation turned by the bezel from its newest message to its oldest, one bubble a
// detent: each older page goes in as the top is reached, and every message passes through the view
// once, in order, none skipped by rows put in above.
TEST_F(ConversationJourney, TheBezelTakesALongConversationFromItsNewestMessageToItsOldestOneByOne) {
    std::vector<std::string> sent;
    for (int i = 1; i <= LONG_CONVERSATION; ++i) {
        sent.push_back("m" + std::to_string(i));
        ASSERT_EQ(watch().sim({"receive", "--from", "+15550177777", "--text", sent.back()}).exitCode, 0);
    }
    ASSERT_TRUE(watch().launch());
    openFirstConversation();
    // The bubbles' texts as they first came into view, newest first.
    std::vector<std::string> seen;
    for (int detent = 0; detent < 4 * LONG_CONVERSATION && (seen.empty() || seen.back() != sent.front());
         ++detent) {
        std::vector<std::string> inView, inViewBefore; // top to bottom: older to newer
        // Rows of one height glided one row on stand where the rows before them stood: their texts
        // tell the two apart once the glide is over before the first look.
        std::vector<int> before = rowTops(&inViewBefore, sent), now;
        watch().wheel(false, 1);
        // Once the rows have moved: the glide goes on while the texts are read. Rows that never
        // move leave the bezel stuck short of the oldest message.
        if (!waitUntil([&] { return (now = rowTops(&inView, sent)) != before || inView != inViewBefore; },
                       DELETE_SECONDS))
            break;
        for (auto it = inView.rbegin(); it != inView.rend(); ++it)
            if (std::find(seen.begin(), seen.end(), *it) == seen.end())
                seen.push_back(*it);
    }
    // Joined, so that a failure shows where the order broke.
    auto joined = [](auto begin, auto end) {
        std::string all;
        for (auto it = begin; it != end; ++it)
            all += *it + " ";
        return all;
    };
    EXPECT_EQ(joined(seen.begin(), seen.end()), joined(sent.rbegin(), sent.rend()));
}

// At the end of a conversation whose newest message is a picture, each gesture replies.
TEST_F(ConversationJourney, AtTheEndATapOnTheReplyCaptionOrAFingerDraggedUpRepliesWithoutOpeningThePicture) {
    const std::string picture = watch().folder() + "/device/media/demo-sunset.png";
    ASSERT_EQ(
        watch().sim({"receive", "--from", "+15550188888", "--text", "Look", "--image", picture}).exitCode, 0);
    ASSERT_TRUE(watch().launch());
    // The caption is the lowest thing drawn under the button, wherever the end came to rest.
    const int captionBottom = openFirstConversation().lowestLitLineIn(BELOW_REPLY_BUTTON);
    ASSERT_GT(captionBottom, BELOW_REPLY_BUTTON.y) << "no caption under the reply button";
    watch().tap(Watch::CENTRE, captionBottom - CAPTION_HALF_HEIGHT);
    ASSERT_TRUE(replyLaunched(0)) << watch().sim({"launches"}).out;

    // The picture of the newest message is the top of the screen at the end.
    watch().drag(Watch::CENTRE, PICTURE_Y, PICTURE_Y - DRAG_PAST_END);
    ASSERT_TRUE(replyLaunched(1)) << watch().sim({"launches"}).out;
    EXPECT_EQ(watch().sim({"launches"}).out.find(GALLERY), std::string::npos) << "the picture opened too";

    // Below the reply button, up by a little more than the gesture needs.
    watch().drag(Watch::CENTRE, DRAG_FROM_Y + 40, DRAG_FROM_Y);
    EXPECT_TRUE(replyLaunched(2)) << watch().sim({"launches"}).out;
}

} // namespace
} // namespace msg_e2e
