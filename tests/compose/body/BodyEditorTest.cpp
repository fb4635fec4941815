// The full-screen editor: the length filter (where the cursor is, a long paste cut in a few
// measurements), the maximum-characters toast, the type switch's haptic once, and the text it hands
// back without markup or an input method's pre-edit text.
#include "BodyScreenFixture.h"
#include "JournalStore.h"
#include "compose/body/MCBodyLengthFilter.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace msg_app::compose;

namespace {

TEST(BodyLengthFilterTest, KeepsTheLongestFrontThatFitsInAFewMeasurements) {
    const struct {
        const char* what;
        std::string before, insertion, after;
        size_t limit;
        std::string kept;
        bool cut;
        int maxMeasurements;
    } cases[] = {
        {"fits whole", "ab", "cd", "ef", 10, "cd", false, 1},
        {"a paste into an empty text", "", std::string(1200, 'p'), "", 1000, std::string(1000, 'p'), true,
         13},
        {"the text after the cursor counts", std::string(5, 'a'), "12345", std::string(3, 'z'), 10, "12",
         true, 4},
        {"nothing fits", std::string(10, 'a'), "xyz", "", 10, "", true, 3},
        {"characters stay whole", "", "\xED\x95\x9C\xED\x95\x9C\xED\x95\x9C", "", 6,
         "\xED\x95\x9C\xED\x95\x9C", true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int measurements = 0;
        MCBodyLengthFilter filter([&](const std::string& text) {
            ++measurements;
            return text.size() > c.limit;
        });
        MCBodyLengthFilter::Result result = filter.fit(c.before, c.insertion, c.after);
        EXPECT_EQ(std::make_tuple(c.kept, c.cut), std::make_tuple(result.kept, result.cut));
        EXPECT_LE(measurements, c.maxMeasurements);
    }
}

TEST(BodyLengthFilterTest, PlainTextLeavesMarkupAndPreeditBehind) {
    const struct {
        const char* markup;
        std::string plain;
    } cases[] = {
        {"1 &lt; 2 &amp;&amp; 3 &gt; 2", "1 < 2 && 3 > 2"},
        {"line<br/>next", "line\nnext"},
        {"typed<preedit>propo</preedit>", "typed"},
        {"<preedit>never closed", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.plain, MCBodyLengthFilter::toPlainText(c.markup)) << c.markup;
    EXPECT_TRUE(MCBodyLengthFilter::hasPreedit("x<preedit>y</preedit>"));
    EXPECT_FALSE(MCBodyLengthFilter::hasPreedit("&lt;preedit&gt;"));
}

using BodyEditorTest = BodyScreenFixture;

TEST_F(BodyEditorTest, WithoutMmsOneSmsIsTheLimitWhereTheCursorIs) {
    setMmsSupported(false);
    open(std::string(150, 'a') + "END");
    MCBodyEntryContentViewController* editor = openEditor();
    ASSERT_NE(nullptr, editor);
    elm_entry_cursor_pos_set(editor->getEntry(), 10);
    insert(editor, "0123456789");
    // Seven characters fit before the limit; the text after the cursor is kept.
    EXPECT_EQ(std::string(10, 'a') + "0123456" + std::string(140, 'a') + "END", editor->getPlainText());
    EXPECT_TRUE(waitPopupText("Maximum number of characters reached."));
    ASSERT_TRUE(waitNoPopup());

    // A full text refuses a keystroke and says so at once.
    insert(editor, "x");
    EXPECT_EQ(160u, editor->getPlainText().size());
    EXPECT_TRUE(waitPopupText("Maximum number of characters reached."));
}

TEST_F(BodyEditorTest, TheSwitchToMmsPlaysTheHapticOnceInKorea) {
    setMmsSupported(true);
    MCBodyEntryContentViewController* editor = nullptr;
    for (const char* country : {"KR", "US"}) {
        SCOPED_TRACE(country);
        setString("db/zeq/country_iso", country);
        open(std::string(160, 'a'));
        ASSERT_NE(nullptr, editor = openEditor());
        insert(editor, "b");
        EXPECT_EQ(MSG_TYPE_MMS, editor->getMsgType());
        insert(editor, "c");
        elm_entry_entry_set(editor->getEntry(), "back to SMS is silent");
        settle();
        EXPECT_EQ(MSG_TYPE_SMS, editor->getMsgType());
        insert(editor, std::string(160, 'd'));
        // Only Korean watches play it, once for each switch.
        int haptics = 0;
        for (const auto& entry : msg_services::JournalStore::list("feedback"))
            haptics += entry.text == std::to_string(FEEDBACK_PATTERN_TYPE_SWITCH) ? 1 : 0;
        EXPECT_EQ(2, haptics);
        screen->destroy();
        settle();
    }
}

TEST_F(BodyEditorTest, LeavingHandsTheTextBackAsTypedAndAPasteIsCutToOneMms) {
    setMmsSupported(true);
    open("Meet");
    MCBodyEntryContentViewController* editor = openEditor();
    ASSERT_NE(nullptr, editor);
    std::weak_ptr<view_kit::WViewController> editorWeak = editor->getWeakPtr();
    // The editor's cursor starts where the tap left the preview's.
    EXPECT_EQ(body()->getCursorPos(), elm_entry_cursor_pos_get(editor->getEntry()));
    elm_entry_cursor_end_set(editor->getEntry());
    insert(editor, " <b>at 5</b> & bring \"it\"");
    elm_entry_entry_append(editor->getEntry(), "<preedit>propo</preedit>");
    back();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return editorWeak.expired(); }));
    const std::string typed = "Meet <b>at 5</b> & bring \"it\"";
    EXPECT_EQ(std::make_tuple(typed, typed, "29/160"),
              std::make_tuple(body()->getText(), msg->body, counter()));

    // A paste is cut to one MMS, and told.
    ASSERT_NE(nullptr, editor = openEditor());
    insert(editor, std::string(1200, 'p'));
    EXPECT_EQ(1000u, editor->getPlainText().size());
    EXPECT_TRUE(waitPopupText("Maximum number of characters reached."));
    EXPECT_EQ(MSG_TYPE_MMS, editor->getMsgType());
}

} // namespace
