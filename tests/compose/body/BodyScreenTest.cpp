// The body screen: the message row's counter as the text measure gives it, its guide (styled,
// escaped, never cut) and the text kept as typed; leaving it (asked only with a text), the send-path
// buttons following the scroll, and sending through the phone, again after a failure.
#include "BodyScreenFixture.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "compose/MCUiHelper.h"
#include "compose/body/MCItemBodyOutgoingButton.h"
#include "compose/launch/MCAppControlParser.h"
#include "qel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

using namespace msg_app::compose;

namespace {

std::string repeat(const std::string& unit, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += unit;
    return out;
}

class BodyScreenTest : public BodyScreenFixture {
protected:
    bool waitOutbox(size_t count) {
        return msg_test::pumpUntil([&] { return outbox().size() == count; });
    }
    void tapSend() {
        ASSERT_NE(nullptr, body());
        ASSERT_NE(nullptr, body()->getSendButton());
        clickCenter(body()->getSendButton());
        settle();
    }
};

// How each alphabet counts is the text measure's; the counter shows its size and limit (the carrier's
// reduced one where it has it) or the MMS mark, and follows a text back under the limit. An empty text
// shows the guide in the language; markup typed stays text.
TEST_F(BodyScreenTest, CounterGuideAndTextAsTyped) {
    open("");
    ASSERT_NE(nullptr, body());
    EXPECT_NE(std::string::npos, partText(body()->getEntry(), "elm.guide").find("Enter message"));
    // The row is laid out again on the widgets it keeps: their texts follow the language.
    for (const char* language : {"ko_KR.UTF-8", "en_US.UTF-8"}) {
        ASSERT_EQ(vconf_set_str("db/menu_widget/language", language), 0);
        msg_app::common_ui_helper::set_language();
        msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGED);
        std::string guide = msg_app::common_ui_helper::get_text(MCItemBody::GUIDE_ID);
        EXPECT_TRUE(msg_test::pumpUntil([&] {
            return partText(body()->getEntry(), "elm.guide").find(">" + guide + "<") != std::string::npos;
        })) << language
            << ": " << partText(body()->getEntry(), "elm.guide");
    }
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

    const struct {
        std::string text;
        std::string shown;
        MsgType type;
    } cases[] = {
        {repeat("a", 161), "MMS", MSG_TYPE_MMS},
        {repeat("\xED\x95\x9C", 70), "70/70", MSG_TYPE_SMS},
        {"short again", "11/160", MSG_TYPE_SMS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        body()->setTextToEntry(c.text.c_str());
        EXPECT_EQ(std::make_tuple(c.shown, c.type, c.type),
                  std::make_tuple(counter(), body()->getMsgType(), msg->msgType));
    }
    // The carrier's reduced limit is read by the screen as it opens.
    setFeature("zeq/" + std::to_string(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT), "on");
    open(repeat("a", 140));
    EXPECT_EQ("140/140", counter());
}

// The preview keeps its row's height: a text longer than it shows its first lines, the first one
// whole, not its last ones under a sliced line.
TEST_F(BodyScreenTest, ALongTextPreviewShowsItsFirstLines) {
    open(repeat("a", 150) + " and then some");
    settle();
    Evas_Coord x = -1, y = -1, w = 0, h = 0, contentW = 0, contentH = 0;
    elm_scroller_region_get(body()->getEntry(), &x, &y, &w, &h);
    elm_scroller_child_size_get(body()->getEntry(), &contentW, &contentH);
    ASSERT_GT(h, 0);
    EXPECT_GT(contentH, h) << "the text must be longer than the preview";
    EXPECT_EQ(y, 0);
}

// The entry's guide as the widget builder styles it: by the theme's codes, escaped, never cut.
TEST_F(BodyScreenTest, GuideTextStyledEscapedAndUncut) {
    Evas_Object* entry = MCUiHelper::createEntry(window->getEvasObject());
    const char* style = nullptr;
    int size = 0, r = 0, g = 0, b = 0, a = 0;
    ASSERT_TRUE(qel_theme_get_font("AT012", &style, &size));
    qel_theme_get_color("AT012", &r, &g, &b, &a);
    const std::string xs(120, 'x');
    char expected[256];
    std::snprintf(expected, sizeof(expected),
                  "<font_size=%d color=#%02x%02x%02x%02x>%s &lt;b&gt;&amp;</font>", size, r & 0xff, g & 0xff,
                  b & 0xff, a & 0xff, xs.c_str());
    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "AT012", (xs + " <b>&").c_str()));
    EXPECT_EQ(expected, partText(entry, "elm.guide"));
    ASSERT_TRUE(MCUiHelper::setGuideTextStyle(entry, "AT013", "NO_SUCH_CODE", "Message"));
    EXPECT_EQ("Message", partText(entry, "elm.guide"));

    // A missing argument refuses the call and leaves the guide as it was.
    EXPECT_FALSE(MCUiHelper::setGuideTextStyle(nullptr, "AT013", "AT012", "t"));
    EXPECT_FALSE(MCUiHelper::setGuideTextStyle(entry, "AT013", "AT012", nullptr));
    EXPECT_EQ("Message", partText(entry, "elm.guide"));
}

// (A send refused for want of a road keeps the text: the send flow's tests.)
TEST_F(BodyScreenTest, LeavingAsksOnlyWithAText) {
    open("");
    back();
    EXPECT_TRUE(msg_test::pumpUntil([&] { return !screenOpen(); }));
    EXPECT_EQ(nullptr, popup());

    open("Half a thought");
    ASSERT_TRUE(backAndAnswer("button1"));
    ASSERT_TRUE(waitNoPopup());
    EXPECT_TRUE(screenOpen());
    EXPECT_EQ("Half a thought", msg->body);

    ASSERT_TRUE(backAndAnswer("button2"));
    EXPECT_TRUE(msg_test::pumpUntil([&] { return !screenOpen(); }));
}

// The phone and watch buttons shrink to their least size and rise as the list scrolls, side by side
// about the screen's middle; pulling past the top leaves them as they are.
TEST_F(BodyScreenTest, SendPathButtonsShrinkAndRiseAsTheListScrolls) {
    MCItemBodyOutgoingButton buttons(page->getEvasObject(), nullptr);
    std::vector<std::pair<int, int>> seen; // size and top
    for (int scrollY : {-5, 0, 74, 148, 200}) {
        SCOPED_TRACE(scrollY);
        buttons.updateButtonSizeByScrollPosition(scrollY, false);
        settle();
        int px = 0, py = 0, pw = 0, ph = 0, wx = 0, wy = 0, ww = 0;
        evas_object_geometry_get(buttons.getPhoneButton(), &px, &py, &pw, &ph);
        evas_object_geometry_get(buttons.getWatchButton(), &wx, &wy, &ww, nullptr);
        EXPECT_TRUE(pw == ph && pw == ww && py == wy && px + pw < wx);
        EXPECT_NEAR(360, px + wx + ww, 1);
        seen.emplace_back(pw, py);
    }
    EXPECT_EQ(seen[0], seen[1]);
    for (size_t i = 2; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i].first <= seen[i - 1].first && seen[i].second < seen[i - 1].second) << i;
    EXPECT_LT(seen[3].first, seen[1].first);
}

// A failed send leaves the text for another try, which the phone delivers; the message sent again
// takes the failed copy's place. A text past one SMS page goes as one MMS, as the counter said,
// without a question.
TEST_F(BodyScreenTest, ThePhoneDeliversWhatIsSentAgainAfterAFailure) {
    const std::string text = std::string(150, 'm') + " See you at 8 & not later";
    open(text);
    EXPECT_EQ("MMS", counter());
    tapSend();
    ASSERT_TRUE(waitOutbox(1));
    int failedId = outbox().front().msgId;
    ASSERT_EQ(0, msg_store::PhoneSide::fail(failedId));
    ASSERT_TRUE(waitPopupText("Couldn't send message.")) << popupText();
    ASSERT_TRUE(waitNoPopup());
    settle();
    ASSERT_TRUE(screenOpen());
    EXPECT_EQ(text, body()->getText());

    tapSend();
    ASSERT_TRUE(waitOutbox(1)) << "the failed one left the outbox; the new one waits";
    msg_store::OutboxEntry sent = outbox().front();
    EXPECT_EQ(std::make_tuple("+15550100001", "mms", text),
              std::make_tuple(sent.address, sent.msgType, stored(sent.msgId).text));
    msg_store::Message gone;
    EXPECT_NE(0, msg_store::MessageManager().getMessage(failedId, gone)) << "the failed copy is still there";
    ASSERT_TRUE(waitPopupText("Sending...")) << "shown: [" << popupText() << "] " << popup();
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(sent.msgId));
    ASSERT_TRUE(waitPopupText("Message sent."));
    EXPECT_TRUE(msg_test::pumpUntil([&] { return !screenOpen(); }, 10.0));
}

} // namespace
