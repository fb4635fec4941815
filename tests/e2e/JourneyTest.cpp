// What a user does with the watch, done as a user does it: msg-app in a real
// window of a virtual X server, driven by real pointer, wheel and key input
// while msg-sim plays the phone. A failing journey keeps its pictures and the
// application's log in a folder whose path it prints.
#include "Journey.h"
#include "ShownScreen.h"
#include "Wait.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace msg_e2e {
namespace {

// The list below its title row, inside the circle.
constexpr Rect LIST_AREA = {60, 90, 240, 200};
// The list's title, "Messages", above its first row.
constexpr Rect TITLE_AREA = {110, 78, 140, 30};
// The first row of the blocked-message list.
constexpr int BLOCKED_ROW_Y = 140;
// How long a scroll may take to show on a busy machine.
constexpr double SCROLL_SECONDS = 10.0;
// How long a toast may show on a busy machine.
constexpr double TOAST_SECONDS = 20.0;
// The line of solid blocks at the end of a long text, and how many detents may reach it.
constexpr int END_MARK_RUN = 80;
constexpr int MAX_DETENTS = 30;

// Sends the application on its list away with back, as a user puts the watch down; whether it
// went. `list` is the list as it showed.
bool sendAway(Watch& watch, Frame& list) {
    list = watch.settled("list");
    watch.key("Escape");
    return watch.waitForLook(list, "away");
}

// More changes than an application in the background takes at once, each a row on top of the list
// that looks unlike the one before; the senders' numbers start with `prefix`.
void expectEachReceivedMessageOnTop(Watch& watch, Frame shown, const std::string& prefix) {
    const char* texts[] = {"Lunch?",     "On my way home now", "Call me", "See the photos",
                           "Moved to 3", "Thanks a lot!!",     "Where?"};
    int sender = 0;
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        std::string number = prefix + std::to_string(1000 + 111 * ++sender);
        ASSERT_EQ(watch.sim({"receive", "--from", number, "--text", text}).exitCode, 0);
        EXPECT_TRUE(watch.waitForChange(shown, TOP_ROWS, 0.02, number, &shown));
    }
}

// The index of the list's row in the middle of the screen, as the application tells it; -1 when
// it does not tell.
int middleRow(Watch& watch) {
    ShownScreen shown;
    const ShownScreen::List* list = watch.inspect(&shown) ? shown.listOf("MLListViewController") : nullptr;
    for (const ShownScreen::Row& row : list ? list->rows : std::vector<ShownScreen::Row>()) {
        if (row.box.y <= Watch::CENTRE && row.box.y + row.box.h > Watch::CENTRE)
            return row.index;
    }
    return -1;
}

TEST_F(Journey, TheListShowsItsRowsItsOptionsANewMessageOnTopScrollsEveryWayDeletesOneAndFollowsTheLanguage) {
    ASSERT_TRUE(watch().launch()) << "the window stayed black";
    Frame list = watch().settled("list");
    EXPECT_GT(list.litShareIn(LIST_AREA), 0.05) << "no rows drawn";
    // The corners are outside the round screen.
    EXPECT_EQ(list.litShareIn({0, 0, 30, 30}), 0.0);

    // Back closes the option panel, not the application.
    EXPECT_TRUE(tapTo(list, CUE_X, Watch::CENTRE, "options"));
    watch().key("Escape");
    EXPECT_TRUE(watch().waitForLook(list, "options-back"));
    EXPECT_TRUE(watch().running()) << "back went past the list";

    ASSERT_EQ(watch().sim({"receive", "--from", "+15550177777", "--text", "Are you there"}).exitCode, 0);
    EXPECT_TRUE(watch().waitForChange(list, TOP_ROWS, 0.02, "received", nullptr));

    // Each way of scrolling moves the list on, its own way, from where the one before left it.
    const struct {
        const char* name;
        int way; // 1: on to later rows
        std::function<void(Watch&)> scroll;
    } cases[] = {
        {"wheel-down", 1, [](Watch& w) { w.wheel(true, 3); }},
        {"page-down", 1, [](Watch& w) { w.key("Next", 3); }},
        {"drag-up", 1, [](Watch& w) { w.drag(Watch::CENTRE, DRAG_FROM_Y, DRAG_TO_Y); }},
        {"wheel-up", -1, [](Watch& w) { w.wheel(false, 2); }},
        {"page-up", -1, [](Watch& w) { w.key("Prior", 2); }},
        {"drag-down", -1, [](Watch& w) { w.drag(Watch::CENTRE, DRAG_TO_Y, DRAG_FROM_Y); }},
    };
    watch().settled("top");
    int row = middleRow(watch());
    ASSERT_GE(row, 0) << "no row in the middle";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = row;
        c.scroll(watch());
        EXPECT_TRUE(waitUntil(
            [&] {
                row = middleRow(watch());
                return row >= 0 && (row - before) * c.way > 0;
            },
            SCROLL_SECONDS))
            << "from row " << before << " to " << row;
        watch().settled(c.name);
        row = middleRow(watch());
    }

    std::vector<Watch::Row> stored = watch().storeRows();
    ASSERT_TRUE(watch().longPress(Watch::CENTRE, ROW_Y, BOTTOM_AREA)) << "no select mode";
    Frame selecting = watch().settled("selecting");
    watch().tap(Watch::CENTRE, BOTTOM_BUTTON_Y);
    EXPECT_TRUE(watch().waitForChange(selecting, selecting.whole(), 0.05, "deleted", nullptr));
    std::vector<Watch::Row> after = watch().storeRows();
    ASSERT_EQ(after.size() + 1, stored.size()) << "not exactly one conversation deleted";
    for (const Watch::Row& kept : after)
        stored.erase(std::remove_if(stored.begin(), stored.end(),
                                    [&](const Watch::Row& r) { return r.id == kept.id; }),
                     stored.end());
    EXPECT_EQ(stored.size(), 1u);
    // The toast that says so goes before the language changes under the list.
    EXPECT_TRUE(waitUntil(
        [&] {
            ShownScreen now;
            return watch().inspect(&now) && !now.seenView("MCommonPopup");
        },
        TOAST_SECONDS));
    Frame shown = watch().settled("list-again");

    // The option cue sits at the edge a line starts from.
    constexpr Rect LEFT_EDGE = {0, 150, 20, 60};
    const struct {
        const char* locale;
        bool mirrored;
    } languages[] = {{"ar_AE.UTF-8", true}, {"ko_KR.UTF-8", false}, {"en_US.UTF-8", false}};
    for (const auto& language : languages) {
        SCOPED_TRACE(language.locale);
        ASSERT_EQ(watch().sim({"set", "db/menu_widget/language", language.locale}).exitCode, 0);
        EXPECT_TRUE(watch().waitForChange(shown, shown.whole(), 0.01, language.locale, &shown));
        EXPECT_GT(shown.litShareIn(LIST_AREA), 0.05) << "the rows went";
        EXPECT_EQ(shown.litShareIn(LEFT_EDGE) > 0.1, language.mirrored);
    }
}

// Back on the list pauses the application; a touch, a launch request or a tap on the title brings
// it back, and it catches up with what changed meanwhile.
TEST_F(Journey, AListSentAwayByBackFollowsTheStoreAndTheLanguageWhenTouchedOrLaunchedAgain) {
    ASSERT_TRUE(watch().launch());
    Frame list;
    ASSERT_TRUE(sendAway(watch(), list));
    // The window is touched again.
    ASSERT_TRUE(tapTo(list, Watch::CENTRE, ROW_Y, "conversation"));
    watch().key("Escape");
    ASSERT_TRUE(watch().waitForLook(list, "back"));
    expectEachReceivedMessageOnTop(watch(), list, "+1555017");

    // Launching the running application brings it back instead of starting another.
    ASSERT_TRUE(sendAway(watch(), list));
    ASSERT_EQ(watch().sim({"launch", "--app", "com.vorlane.message"}).exitCode, 0);
    std::string launches = watch().sim({"launches"}).out;
    EXPECT_NE(launches.find("-> com.vorlane.message [delivered"), std::string::npos) << launches;
    // In front again without a touch: the list follows the store.
    expectEachReceivedMessageOnTop(watch(), list, "+1555018");

    // Away for a while: more changes come than an application in the background takes at once, and
    // another language is chosen.
    ASSERT_TRUE(sendAway(watch(), list));
    for (int i = 1; i <= 6; ++i)
        ASSERT_EQ(
            watch().sim({"receive", "--from", "+155501790" + std::to_string(i), "--text", "Hi"}).exitCode, 0);
    ASSERT_EQ(watch().sim({"set", "db/menu_widget/language", "ko_KR.UTF-8"}).exitCode, 0);
    // Back to the watch: a tap on the title, which does nothing else.
    watch().tap(Watch::CENTRE, TITLE_AREA.y + TITLE_AREA.h / 2);
    EXPECT_TRUE(watch().waitForChange(list, TITLE_AREA, 0.05, "korean", nullptr)) << "the title kept English";
}

// A long blocked message, newest of the blocked list: the bezel reads it to its end, where its
// options restore it.
TEST_F(Journey, TheBezelReadsALongBlockedMessageToItsEndAndItsOptionsRestoreIt) {
    // Many lines, then a line of solid blocks that no other text draws.
    std::string text;
    for (int line = 1; line <= 40; ++line)
        text += "Line " + std::to_string(line) + " of a long story\n";
    text += "\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588";
    ASSERT_EQ(watch().sim({"receive", "--from", "+15550166666", "--text", text, "--spam"}).exitCode, 0);
    const size_t blocked = watch().storeRows({"--blocked"}).size();
    ASSERT_TRUE(watch().launch({"--blocked"}));
    const Frame list = watch().settled("blocked-list");
    Frame page;
    ASSERT_TRUE(tapTo(list, Watch::CENTRE, BLOCKED_ROW_Y, "viewer", &page));
    ASSERT_LT(page.longestBrightRunIn(page.whole()), END_MARK_RUN) << "the end shows at once: text too short";
    bool endShown = false;
    for (int detent = 0; detent < MAX_DETENTS && !endShown; ++detent) {
        watch().key("Next");
        Frame next;
        if (!watch().waitForChange(page, page.whole(), 0.01, "detent-" + std::to_string(detent), &next))
            break;
        page = next;
        endShown = page.longestBrightRunIn(page.whole()) >= END_MARK_RUN;
    }
    EXPECT_TRUE(endShown) << "the bezel stopped before the end of the text";

    Frame options;
    ASSERT_TRUE(tapTo(page, CUE_X, Watch::CENTRE, "viewer-options", &options));
    // The first option, restore, is the selected one: a tap in the middle takes it.
    EXPECT_TRUE(tapTo(options, Watch::CENTRE, Watch::CENTRE, "restored"));
    EXPECT_EQ(watch().storeRows({"--blocked"}).size() + 1, blocked);
}

} // namespace
} // namespace msg_e2e
