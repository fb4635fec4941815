// The message row: its counter measured by the text encoder at the page edges, the guide of an
// empty text, and the text it keeps as typed.
#include "BodyScreenFixture.h"
#include "compose/MCAppControlParser.h"

#include <gtest/gtest.h>

using namespace msg_app::compose;

namespace {

std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
}

class BodyItemTest : public BodyScreenFixture {};

TEST_F(BodyItemTest, CounterFollowsTheEncoderAtThePageEdges) {
    const std::string mms = "MMS";
    const struct {
        const char* what;
        std::string text;
        std::string shown;
        MsgType type;
    } cases[] = {
        {"empty", "", "0/160", MSG_TYPE_SMS},
        {"one past it", repeat("a", 161), mms, MSG_TYPE_MMS},
        {"extension characters cost two", repeat("\xE2\x82\xAC", 80), "160/160", MSG_TYPE_SMS},
        {"a full Korean page", repeat("\xED\x95\x9C", 70), "70/70", MSG_TYPE_SMS},
        {"one Korean past", repeat("\xED\x95\x9C", 71), mms, MSG_TYPE_MMS},
        // National-table letters are not in the default alphabet: the counter counts UCS-2.
        {"Turkish letters", repeat("\xC4\x9F", 70), "70/70", MSG_TYPE_SMS},
        {"one Korean in plain text", repeat("a", 69) + "\xED\x95\x9C", "70/70", MSG_TYPE_SMS},
        {"back under the limit", "short again", "11/160", MSG_TYPE_SMS},
    };
    open("");
    ASSERT_NE(nullptr, body());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        body()->setTextToEntry(c.text.c_str());
        EXPECT_EQ(c.shown, counter());
        EXPECT_EQ(c.type, body()->getMsgType());
        EXPECT_EQ(c.type, msg->msgType);
    }
}

TEST_F(BodyItemTest, TheReducedLimitCountsUnitsAgainst140) {
    setFeature("zeq/" + std::to_string(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT), "on");
    open(repeat("a", 140));
    EXPECT_EQ("140/140", counter());
    body()->setTextToEntry(repeat("a", 141).c_str());
    EXPECT_EQ("MMS", counter());
    // UCS-2 is counted in bytes under the reduced limit.
    body()->setTextToEntry(repeat("\xED\x95\x9C", 70).c_str());
    EXPECT_EQ("140/140", counter());
}

TEST_F(BodyItemTest, AnEmptyTextShowsTheGuideAndMarkupStaysText) {
    open("");
    EXPECT_NE(std::string::npos, partText(body()->getEntry(), "elm.guide").find("Enter message"));
    EXPECT_TRUE(body()->isEntryEmpty());
    const std::string typed = "<b>1 &lt; 2</b> & \"3\"";
    body()->setTextToEntry(typed.c_str());
    EXPECT_EQ(typed, body()->getText());
    char* shown = elm_entry_markup_to_utf8(elm_entry_entry_get(body()->getEntry()));
    EXPECT_EQ(typed, shown ? shown : "");
    free(shown);
    body()->setTextToEntry(nullptr);
    EXPECT_TRUE(body()->isEntryEmpty());
    EXPECT_EQ("0/160", counter());
}

} // namespace
