// The soak's own parts, without a display: its random user replays exactly, and each check it
// holds the screen to fails where the screen and the store differ, and only there.
#include "SoakChecks.h"
#include "SoakScript.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

namespace msg_e2e {
namespace {

// An inspection answer, as msg-sim inspect --json prints it.
std::string row(int index, const char* style, int y, const std::vector<std::string>& texts,
                int checked = -1) {
    std::string json = "{\"index\":" + std::to_string(index) + ",\"style\":\"" + style +
                       "\",\"x\":0,\"y\":" + std::to_string(y) + ",\"w\":360,\"h\":100,\"texts\":[";
    for (const std::string& t : texts)
        json += std::string(t == texts.front() ? "" : ",") + "{\"text\":\"" + t +
                "\",\"x\":40,\"y\":" + std::to_string(y + 10) + ",\"w\":100,\"h\":30}";
    json += "]";
    if (checked >= 0)
        json += std::string(",\"checked\":") + (checked ? "true" : "false");
    return json + "}";
}

std::string list(const char* view, const std::string& styles, const std::vector<std::string>& rows,
                 int count = 0) {
    std::string json = std::string("{\"view\":\"") + view +
                       "\",\"x\":0,\"y\":0,\"w\":360,\"h\":360,\"count\":" + std::to_string(count) +
                       ",\"styles\":[" + styles + "],\"rows\":[";
    for (const std::string& r : rows)
        json += (r == rows.front() ? "" : ",") + r;
    return json + "]}";
}

std::string run(const char* style, int first, int count) {
    return std::string("{\"style\":\"") + style + "\",\"first\":" + std::to_string(first) +
           ",\"count\":" + std::to_string(count) + "}";
}

ShownScreen screen(const std::string& pages, const std::vector<std::string>& lists,
                   const std::string& views = "") {
    std::string json = "{\"answer_ms\":12,\"screen\":{\"state\":\"resumed\",\"pages\":[" + pages +
                       "],\"views\":[" + views + "],\"lists\":[";
    for (const std::string& l : lists)
        json += (l == lists.front() ? "" : ",") + l;
    json += "],\"texts\":[]}}";
    ShownScreen shown;
    EXPECT_TRUE(ShownScreen::parse(json, &shown)) << json;
    return shown;
}

const std::string LIST_PAGE = "\"MLContentViewController\"";
const std::string VIEWER_PAGES = LIST_PAGE + ",\"MVContentViewController\"";
const std::string THREAD_STYLES = run("list/title_menu", 0, 1) + "," + run("list.4text.custom", 1, 3);

// A check's complaint holds `part`; none where `part` is empty.
void expectComplaint(const std::string& wrong, const char* part, const char* name) {
    if (!*part)
        EXPECT_EQ(wrong, "") << name;
    else
        EXPECT_NE(wrong.find(part), std::string::npos) << name << ": " << wrong;
}

std::vector<StoreThread> threeThreads() {
    return {{7, "Running late", "", 2}, {3, "soak 12 ok", "", 0}, {5, "Photo", "Trip", 0}};
}

TEST(SoakScript, TheSameSeedGivesTheSameStepsAndEveryKindComes) {
    SoakScript a(42), b(42), c(43);
    std::set<SoakStep::Kind> kinds;
    bool differs = false;
    for (int i = 0; i < 3000; ++i) {
        SoakStep sa = a.next(), sb = b.next(), sc = c.next();
        ASSERT_EQ(sa.describe(), sb.describe()) << "step " << i;
        differs = differs || sa.describe() != sc.describe();
        kinds.insert(sa.kind);
        if (sa.kind == SoakStep::Kind::TAP || sa.kind == SoakStep::Kind::PRESS) {
            EXPECT_TRUE(sa.x >= 0 && sa.x < 360 && sa.y >= 0 && sa.y < 360) << sa.describe();
        }
    }
    EXPECT_TRUE(differs);
    // Every kind but coming back (which the soak itself chooses) is drawn.
    EXPECT_EQ(kinds.size(), 14u);
}

TEST(SoakChecks, PlainTextIsWhatAReaderCompares) {
    const struct {
        const char* shown;
        const char* plain;
    } cases[] = {
        {"\u200e+1 555-010-0001\u202c", "+1 555-010-0001"},
        {"Yes! See you\n at 7\n\uFFFC", "Yes! See you at 7"},
        {"\u0661\u0662 new", "12 new"},
        {"  lunch\t\tnow ", "lunch now"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plainText(c.shown), c.plain) << c.shown;
}

TEST(SoakChecks, TheListMatchesTheStoreRowByRow) {
    const std::vector<StoreThread> threads = threeThreads();
    const struct {
        const char* name;
        std::vector<std::string> rows;
        const char* wrong; // a part of the complaint; "" when the list is right
        std::string styles = THREAD_STYLES;
        std::string pages = LIST_PAGE;
    } cases[] = {
        {"right",
         {row(1, "list.4text.custom", 100, {"Ann", "Running late", "2"}),
          row(2, "list.4text.custom", 200, {"+1 555", "soak 12  ok"})},
         ""},
        {"a subject stands for the text", {row(3, "list.4text.custom", 100, {"Bo", "Trip"})}, ""},
        {"rows swapped", {row(1, "list.4text.custom", 100, {"+1 555", "soak 12 ok"})}, "list row #1 shows"},
        {"unread count missing",
         {row(1, "list.4text.custom", 100, {"Ann", "Running late"})},
         "without its 2 unread"},
        {"a row cut by the screen's edge shows only its name",
         {row(1, "list.4text.custom", 100, {"Ann", "Running late", "2"}),
          row(2, "list.4text.custom", 300, {"+1 555"})},
         ""},
        {"a conversation too many",
         {},
         "the list has 4 conversations, the store 3",
         run("list.4text.custom", 0, 4)},
        {"another page on top: not the list's check",
         {row(1, "list.4text.custom", 100, {"x"})},
         "",
         THREAD_STYLES,
         VIEWER_PAGES},
    };
    for (const auto& c : cases)
        expectComplaint(
            checkConversationList(screen(c.pages, {list("MLListViewController", c.styles, c.rows)}), threads),
            c.wrong, c.name);
}

TEST(SoakChecks, TheConversationEndsWithTheNewestMessage) {
    const std::vector<StoreMessage> messages = {{4, 1000, "first", ""}, {9, 2000, "soak 3 lunch", ""}};
    const std::string styles =
        run("message.title", 0, 1) + "," + run("message.bubble", 1, 2) + "," + run("message.reply", 3, 1);
    const struct {
        const char* name;
        std::vector<std::string> rows;
        std::string styles;
        const char* wrong;
    } cases[] = {
        {"newest last",
         {row(1, "message.bubble", 0, {"first"}),
          row(2, "message.bubble", 100, {"soak 3 lunch\n\uFFFC", "1:00 PM"})},
         styles,
         ""},
        {"newest out of view", {row(1, "message.bubble", 0, {"first"})}, styles, ""},
        {"the newest cut by the screen's edge, its text below it",
         {row(2, "message.bubble", 300, {"1:00 PM"})},
         styles,
         ""},
        {"an old text last",
         {row(2, "message.bubble", 100, {"first"})},
         styles,
         "the last bubble shows \"first\""},
        {"a bubble missing", {}, run("message.bubble", 1, 1), "1 bubbles, the store 2 messages"},
    };
    for (const auto& c : cases)
        expectComplaint(checkConversation(
                            screen(VIEWER_PAGES, {list("MVListViewController", c.styles, c.rows)}), messages),
                        c.wrong, c.name);
}

TEST(SoakChecks, AMessageJustSentIsInView) {
    const std::string styles = run("message.bubble", 1, 3) + "," + run("message.reply", 4, 1);
    const struct {
        const char* name;
        std::vector<std::string> rows;
        const char* wrong;
    } cases[] = {
        {"whole above the reply row",
         {row(2, "message.bubble", 80, {"old"}),
          row(3, "message.bubble", 180, {"soak reply 4\n\uFFFC", "1:00 PM"})},
         ""},
        {"cut by the screen's foot",
         {row(2, "message.bubble", 200, {"old"}), row(3, "message.bubble", 300, {"soak reply 4"})},
         "cut by the edge at y 300"},
        {"scrolled away",
         {row(1, "message.bubble", 0, {"first"}), row(2, "message.bubble", 100, {"old"})},
         "out of view"},
    };
    for (const auto& c : cases)
        expectComplaint(checkSentInView(screen(VIEWER_PAGES, {list("MVListViewController", styles, c.rows)}),
                                        "soak reply 4"),
                        c.wrong, c.name);
}

TEST(SoakChecks, TheRowsOfAListFillIt) {
    const std::string styles = run("list/title_menu", 0, 1) + "," + run("list.4text.custom", 1, 5);
    const struct {
        const char* name;
        std::vector<std::string> rows;
        const char* wrong;
    } cases[] = {
        {"rows all the way",
         {row(2, "list.4text.custom", -20, {"a"}), row(3, "list.4text.custom", 80, {"b"}),
          row(4, "list.4text.custom", 180, {"c"}), row(5, "list.4text.custom", 280, {"d"})},
         ""},
        {"blank past the last row",
         {row(4, "list.4text.custom", 0, {"c"}), row(5, "list.4text.custom", 100, {"d"})},
         ""},
        {"blank before the first row",
         {row(0, "list/title_menu", 200, {}), row(1, "list.4text.custom", 300, {"a"})},
         ""},
        {"only the title, rows to come",
         {row(0, "list/title_menu", 0, {}), row(1, "list.4text.custom", 100, {})},
         "is blank from y 200 to 360"},
        {"a hole between rows",
         {row(2, "list.4text.custom", 0, {"a"}), row(3, "list.4text.custom", 100, {"b"}),
          row(4, "list.4text.custom", 300, {"d"})},
         "is blank from y 200 to 300"},
        {"nothing realized", {}, "is blank from y 0 to 360"},
    };
    for (const auto& c : cases)
        expectComplaint(
            checkRowsFillTheList(screen(LIST_PAGE, {list("MLListViewController", styles, c.rows, 6)})),
            c.wrong, c.name);
}

TEST(SoakChecks, TheApplicationsWordsAreInTheDevicesLanguage) {
    auto titled = [](const char* title) {
        return screen(
            LIST_PAGE,
            {list("MLListViewController", run("groupindex", 0, 1) + "," + run("list.4text.custom", 1, 1),
                  {row(0, "groupindex", 60, {title}), row(1, "list.4text.custom", 120, {"Ann", "메시"})})});
    };
    // Each title is right in its own language only.
    const char* titles[] = {"Messages", "메시지", "الرسائل"};
    const char* locales[] = {"en_US.UTF-8", "ko_KR.UTF-8", "ar_AE.UTF-8"};
    for (size_t t = 0; t < std::size(titles); ++t) {
        for (size_t l = 0; l < std::size(locales); ++l)
            EXPECT_EQ(checkLanguage(titled(titles[t]), locales[l]).empty(), t == l)
                << titles[t] << " in " << locales[l];
    }
}

TEST(SoakChecks, TheSelectCountIsTheNumberChecked) {
    auto counted = [](const char* count, const std::vector<std::string>& rows, int total) {
        std::string button =
            std::string("{\"class\":\"WViewController\",\"name\":\"MCommonCountBtnViewController\",") +
            "\"seen\":true,\"x\":0,\"y\":0,\"w\":60,\"h\":60,\"texts\":[{\"text\":\"" + count +
            "\",\"x\":0,\"y\":0,\"w\":9,\"h\":9}]}";
        return checkSelectCount(screen(
            LIST_PAGE, {list("MLListViewController", run("list.4text.custom", 0, total), rows)}, button));
    };
    const auto on = [](int i) { return row(i, "list.4text.custom", i * 100, {"t"}, 1); };
    const auto off = [](int i) { return row(i, "list.4text.custom", i * 100, {"t"}, 0); };
    EXPECT_EQ(counted("2", {on(0), on(1), off(2)}, 3), "");
    EXPECT_NE(counted("1", {on(0), on(1), off(2)}, 3), "") << "all rows in view: the count is exact";
    EXPECT_EQ(counted("5", {on(0), off(1)}, 40), "") << "rows out of view may be checked";
    EXPECT_NE(counted("41", {on(0)}, 40), "") << "more than there are";
    EXPECT_NE(counted("\u2022\u2022", {on(0)}, 40), "") << "not a number";
    EXPECT_EQ(counted("\u0662", {on(0), on(1)}, 2), "") << "Arabic digits";
}

TEST(SoakChecks, TheLogTellsOfObjectsUsedWhenNotValid) {
    const struct {
        const char* line;
        bool bad;
    } cases[] = {
        {"ERR<123>:eo lib/eo/eo.c:1 _eo_obj_pointer_get() Eo ID 0x4000 is not a valid object. Maybe it has "
         "been deleted",
         true},
        {"ERR<1>:eo obj_id 0x1 is not pointing to a valid object. Maybe it has already been freed.", true},
        {"ERR<1>:evas Adding deleted object 0x2 to smart obj 0x3", true},
        {"I/MSG_APP( 1): MLListViewController.cpp: _onLaunchIdle(384) > do process missed storage_changed "
         "events",
         false},
        {"E/MSG_APP( 1): MVItemBubble.cpp: f(1) > invalid viewType", false},
    };
    std::string log;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        log += std::string(c.line) + "\n";
        if (c.bad)
            expected.push_back(c.line);
    }
    EXPECT_EQ(badLogLines(log), expected);
}

TEST(SoakChecks, StoreAnswersAreReadInTheirOrder) {
    std::vector<StoreMessage> messages;
    ASSERT_TRUE(
        parseStoreMessages("[{\"id\":9,\"time\":5,\"text\":\"b\"},{\"id\":4,\"time\":5,\"text\":\"a\"},"
                           "{\"id\":2,\"time\":9,\"text\":\"c\",\"subject\":\"s\"}]",
                           &messages));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text + messages[1].text + messages[2].text, "abc") << "by time, then by id";
    EXPECT_EQ(messages[2].subject, "s");
    std::vector<StoreThread> threads = threeThreads();
    EXPECT_FALSE(parseStoreThreads("msg-sim: no device", &threads));
    EXPECT_EQ(threads.size(), 3u) << "left as it was";
}

} // namespace
} // namespace msg_e2e
