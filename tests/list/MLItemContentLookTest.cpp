// Where the theme puts the parts of a conversation row on the 360-pixel round screen, read from
// the real row views: parts that must not overlap, the room the name gets, the badge's width by
// digits, select mode, and row views that the genlist recycles.
#include "ListRowFixture.h"

#include "MainLoop.h"
#include "Programs.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <ctime>
#include <vector>

using namespace msg_app::msg_list;

namespace {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
};

class ItemContentLookTest : public ListRowFixture {
protected:
    // The row's view: the object the genlist swallows the row's SIM icon into (every row of the
    // phone's inbox has one).
    Evas_Object* viewOf(MLItem* row) {
        Evas_Object* sim = elm_object_item_part_content_get(row->getElmObjectItem(), "elm.icon.sim");
        return sim ? evas_object_smart_parent_get(sim) : nullptr;
    }
    Box part(MLItem* row, const char* name) {
        Box box;
        Evas_Object* view = viewOf(row);
        EXPECT_TRUE(view);
        Evas_Coord vx = 0, vy = 0;
        evas_object_geometry_get(view, &vx, &vy, nullptr, nullptr);
        if (view && edje_object_part_geometry_get(view, name, &box.x, &box.y, &box.w, &box.h)) {
            box.x += vx;
            box.y += vy;
        }
        return box;
    }
    Box object(MLItem* row, const char* name) {
        Box box;
        Evas_Object* obj = elm_object_item_part_content_get(row->getElmObjectItem(), name);
        if (obj)
            evas_object_geometry_get(obj, &box.x, &box.y, &box.w, &box.h);
        return box;
    }
    // Lets the theme's programs run and the genlist lay the rows out.
    void settle() { msg_test::runLoopUntilIdle(); }
    int64_t todayMs() { return static_cast<int64_t>(time(nullptr)) * 1000; }
};

constexpr int SCREEN = 360;
// The least side margin of a row's texts and icons at the middle of the round screen.
constexpr int SIDE = 30;

} // namespace

TEST_F(ItemContentLookTest, NameTimeTextSimAndBadgeKeepApartInsideTheMargins) {
    MLItemContent* row = appendRow(conversation(
        "+15550001", 3, "A long first line that the row must cut before the SIM icon and the badge", "",
        todayMs()));
    ASSERT_TRUE(waitRealized(row));
    settle();
    Box name = part(row, "elm.text"), time = part(row, "elm.text.3"), text1 = part(row, "elm.text.1");
    Box sim = object(row, "elm.icon.sim"), badge = object(row, "elm.icon.noti");

    EXPECT_GE(name.x, SIDE);
    EXPECT_LE(name.right(), time.x - 8) << "the name ends before the time";
    EXPECT_GE(name.w, 150) << "the time leaves the name most of the line";
    EXPECT_LE(time.right(), SCREEN - SIDE);
    EXPECT_LE(text1.right(), sim.x) << "the text ends before the SIM icon";
    EXPECT_LE(sim.right(), badge.x) << "the SIM icon ends before the badge";
    EXPECT_LE(badge.right(), SCREEN - SIDE);
    EXPECT_GE(text1.y, name.bottom() - 1) << "the text line is under the name";
    EXPECT_GT(text1.h, 0);
    // Sized as the badge's image for one digit.
    EXPECT_EQ(badge.w, 32);
    EXPECT_EQ(badge.h, 32);
}

TEST_F(ItemContentLookTest, TwoLinesSitInTheMiddleOfTheRowAndThreeFillIt) {
    MLItemContent* two = appendRow(conversation("+15550001", 1, "only a body", "", todayMs()));
    MLItemContent* three =
        appendRow(conversation("+15550002", 1, "and a body", "A subject", todayMs() - 1000));
    ASSERT_TRUE(waitRealized(two));
    ASSERT_TRUE(waitRealized(three));
    settle();
    for (MLItemContent* row : {two, three}) {
        Box view;
        evas_object_geometry_get(viewOf(row), &view.x, &view.y, &view.w, &view.h);
        Box name = part(row, "elm.text");
        Box last = part(row, row == two ? "elm.text.1" : "elm.text.2");
        int above = name.y - view.y, below = view.bottom() - last.bottom();
        EXPECT_NEAR(above, below, 2) << (row == two ? "two lines" : "three lines");
    }
    Box twoView, threeView;
    evas_object_geometry_get(viewOf(two), &twoView.x, &twoView.y, &twoView.w, &twoView.h);
    evas_object_geometry_get(viewOf(three), &threeView.x, &threeView.y, &threeView.w, &threeView.h);
    EXPECT_GT(part(two, "elm.text").y - twoView.y, part(three, "elm.text").y - threeView.y)
        << "a row of two lines moves its name down";
}

TEST_F(ItemContentLookTest, BadgeWidthFollowsTheDigitsAndNeverCoversTheText) {
    const struct {
        int unread;
        int width;
    } cases[] = {{9, 32}, {10, 48}, {100, 60}, {1500, 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unread);
        elm_genlist_clear(genlist);
        MLItemContent* row = appendRow(conversation("+1555" + std::to_string(2000 + c.unread), c.unread,
                                                    std::string(120, 'm'), "", todayMs()));
        ASSERT_TRUE(waitRealized(row));
        settle();
        Box badge = object(row, "elm.icon.noti");
        Box count = part(row, "elm.text.noti");
        EXPECT_EQ(badge.w, c.width);
        EXPECT_EQ(badge.h, 32);
        EXPECT_EQ(count.x, badge.x) << "the count is centred on the badge";
        EXPECT_EQ(count.w, badge.w);
        EXPECT_LE(part(row, "elm.text.1").right(), object(row, "elm.icon.sim").x);
    }
}

TEST_F(ItemContentLookTest, SelectModeMovesTheTextsRightOfTheCheck) {
    MLItemContent* row = appendRow(conversation("+15550001", 1, "hello", "", todayMs()));
    ASSERT_TRUE(waitRealized(row));
    settle();
    int normalX = part(row, "elm.text").x;
    row->setStyle(LIST_STYLE_SELECT);
    elm_genlist_item_update(row->getElmObjectItem());
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        return elm_object_item_part_content_get(row->getElmObjectItem(), "elm.swallow.center_check");
    }));
    settle();
    Box check = object(row, "elm.swallow.center_check");
    EXPECT_GE(check.x, SIDE);
    EXPECT_EQ(check.w, 40);
    EXPECT_GT(part(row, "elm.text").x, check.right());
    EXPECT_GT(part(row, "elm.text.1").x, check.right());
    EXPECT_LE(part(row, "elm.text.3").right(), SCREEN - SIDE);

    row->setStyle(LIST_STYLE_NORMAL);
    elm_genlist_item_update(row->getElmObjectItem());
    settle();
    EXPECT_EQ(part(row, "elm.text").x, normalX);
}

TEST_F(ItemContentLookTest, RecycledRowViewsForgetTheBadgeAndAlertOfTheirFormerRows) {
    // An alert with unread messages first, then enough read conversations to scroll it away.
    msg_store::IncomingMessage alert;
    alert.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550900"}};
    alert.msgType = "cmas";
    alert.text = "Severe weather";
    alert.time = todayMs();
    int alertMsg = -1;
    ASSERT_EQ(msg_store::PhoneSide::insertMessage(alert, &alertMsg), msg_store::MSG_STORE_SUCCESS);
    msg_store::Message stored;
    ASSERT_EQ(msg_store::MessageManager().getMessage(alertMsg, stored), msg_store::MSG_STORE_SUCCESS);
    MLItemContent* first = appendRow(stored.threadId);
    ASSERT_TRUE(waitRealized(first));
    settle();
    EXPECT_GT(part(first, "elm.text").x, part(first, "elm.text.1").x)
        << "the alert icon comes before the name";
    EXPECT_EQ(part(first, "noti_area").w, 32);

    std::vector<MLItemContent*> rows;
    for (int i = 0; i < 12; ++i) {
        int threadId = conversation("+1555060" + std::to_string(10 + i), 1, "read", "", todayMs() - 1000 * i);
        EXPECT_EQ(msg_store::ThreadManager().readThread(threadId), msg_store::MSG_STORE_SUCCESS);
        rows.push_back(appendRow(threadId));
    }
    for (int pass = 0; pass < 2; ++pass) {
        elm_genlist_item_show(rows.back()->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_IN);
        settle();
        elm_genlist_item_show(first->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_IN);
        settle();
    }
    elm_genlist_item_show(rows[6]->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    settle();
    // A recycled view is laid out again on a later frame of a loaded machine: wait for the text
    // columns to line up (a leftover alert's room never does), then check everything.
    msg_test::runLoopUntil([&] {
        for (MLItemContent* row : rows)
            if (elm_object_item_part_content_get(row->getElmObjectItem(), "elm.icon.sim") &&
                part(row, "elm.text").x != part(row, "elm.text.1").x)
                return false;
        return true;
    });
    int checked = 0;
    for (MLItemContent* row : rows) {
        if (!elm_object_item_part_content_get(row->getElmObjectItem(), "elm.icon.sim"))
            continue; // not realized
        ++checked;
        SCOPED_TRACE(row->getItemId());
        EXPECT_EQ(part(row, "noti_area").w, 0);
        EXPECT_EQ(part(row, "elm.text").x, part(row, "elm.text.1").x) << "no room is left for an alert icon";
        EXPECT_EQ(shown(row, "elm.text.noti"), "");
    }
    EXPECT_GE(checked, 2);
}

TEST_F(ItemContentLookTest, ASenderNumberShrinksToItsRoomAndANameIsCut) {
    const char* longName = "Alexandra Konstantinopoulou-Smithers";
    msg_test::ProgramRun run =
        msg_test::runProgram("msg-sim", {"--device", device.path(), "contact", "add", "--name", longName,
                                         "--number", "+15550100014"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    MLItemContent* number = appendRow(conversation("+15550100013", 1, "win", "", todayMs()));
    MLItemContent* named = appendRow(conversation("+15550100014", 1, "hi", "", todayMs()));
    ASSERT_TRUE(waitRealized(number));
    ASSERT_TRUE(waitRealized(named));
    settle();
    for (MLItemContent* row : {number, named}) {
        double value = 0.0;
        const char* state = edje_object_part_state_get(viewOf(row), "elm.text", &value);
        EXPECT_STREQ(row == number ? "number" : "default", state) << shown(row, "elm.text");
        Evas_Object* text = const_cast<Evas_Object*>(edje_object_part_object_get(viewOf(row), "elm.text"));
        ASSERT_TRUE(text);
        int drawn = 0;
        evas_object_geometry_get(text, nullptr, nullptr, &drawn, nullptr);
        EXPECT_LE(drawn, part(row, "elm.text").w) << "never drawn over the time";
    }
}
