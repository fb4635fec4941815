// Conversation and blocked-message rows on a real genlist in the application's theme: what they
// show, where the theme puts it on the 360-pixel round screen, their badges from the pool, select
// mode, the screen reader's text, and row views that the genlist recycles; and the list's fixed rows.
// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "ListRowFixture.h"

#include "LogCapture.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemGroupIndex.h"
#include "list/MLItem/MLItemNameLine.h"
#include "list/MLItem/MLItemNoContent.h"
#include "list/MLItem/MLItemTitle.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/ThreadManager.h"

#include <glib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <tuple>
#include <vector>

using namespace msg_app::msg_list;

namespace {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
};

// The object's geometry on the canvas; empty without one.
Box boxOf(const Evas_Object* obj) {
    Box box;
    if (obj)
        evas_object_geometry_get(obj, &box.x, &box.y, &box.w, &box.h);
    return box;
}

constexpr int SCREEN = 360;
// The least side margin of a row's texts and icons at the middle of the round screen.
constexpr int SIDE = 30;

class ItemContentTest : public ListRowFixture {
protected:
    // The row's view: the object the genlist swallows the row's place probe into (every row has one).
    static Evas_Object* content(MLItem* row, const char* name) {
        return elm_object_item_part_content_get(row->getElmObjectItem(), name);
    }
    Evas_Object* viewOf(MLItem* row) {
        Evas_Object* probe = content(row, "elm.swallow.inset");
        return probe ? evas_object_smart_parent_get(probe) : nullptr;
    }
    // The number the row's SIM mark shows, or "no mark" while the mark is hidden.
    std::string simMark(MLItem* row) {
        Evas_Object* view = viewOf(row);
        double value = 0;
        const char* state = view ? edje_object_part_state_get(view, "sim_clip", &value) : nullptr;
        return state && !strcmp(state, "visible") ? shown(row, "elm.text.sim") : "no mark";
    }
    Box part(MLItem* row, const char* name) {
        Evas_Object* obj = viewOf(row);
        EXPECT_TRUE(obj);
        Box box, view = boxOf(obj);
        if (obj && edje_object_part_geometry_get(obj, name, &box.x, &box.y, &box.w, &box.h)) {
            box.x += view.x;
            box.y += view.y;
        }
        return box;
    }
    Box object(MLItem* row, const char* name) { return boxOf(content(row, name)); }
    std::string badgeGroup(MLItem* row) {
        const char* group = nullptr;
        if (Evas_Object* badge = content(row, "elm.icon.noti"))
            elm_image_file_get(badge, nullptr, &group);
        return group ? group : "";
    }
    // Runs the loop until the genlist has realized the rows and laid them out.
    void realize(std::initializer_list<MLItem*> rows) {
        for (MLItem* row : rows)
            ASSERT_TRUE(waitRealized(row));
        msg_test::runLoopUntilIdle();
    }
    int64_t todayMs() { return static_cast<int64_t>(time(nullptr)) * 1000; }
};

} // namespace

TEST_F(ItemContentTest, PartsKeepApartInsideTheMarginsAndTheBadgeGrowsWithItsDigits) {
    const struct {
        int unread;
        const char* group;
        const char* text;
    } cases[] = {{9, "img/list/noti1", "9"},
                 {10, "img/list/noti2", "10"},
                 {100, "img/list/noti3", "100"},
                 {1500, "img/list/noti3", "999"}};
    std::vector<int> widths;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unread);
        elm_genlist_clear(genlist);
        MLItemContent* row = appendRow(conversation("+1555" + std::to_string(1000 + c.unread), c.unread,
                                                    std::string(120, 'm'), "", todayMs()));
        ASSERT_NO_FATAL_FAILURE(realize({row}));
        EXPECT_EQ(badgeGroup(row), c.group);
        EXPECT_EQ(shown(row, "elm.text.noti"), c.text);
        Box name = part(row, "elm.text"), time = part(row, "elm.text.3"), text1 = part(row, "elm.text.1");
        EXPECT_EQ(simMark(row), "1");
        Box sim = part(row, "sim.shape"), badge = object(row, "elm.icon.noti");
        EXPECT_GE(name.x, SIDE);
        EXPECT_LE(name.right(), time.x - 8) << "the name ends before the time";
        EXPECT_LE(time.right(), SCREEN - SIDE);
        EXPECT_GE(text1.y, name.bottom() - 1) << "the text line is under the name";
        EXPECT_LE(text1.right(), sim.x) << "the text ends before the SIM mark";
        EXPECT_LE(sim.right(), badge.x) << "the SIM mark ends before the badge";
        EXPECT_LE(badge.right(), SCREEN - SIDE);
        widths.push_back(badge.w);
    }
    EXPECT_TRUE(widths[0] < widths[1] && widths[1] < widths[2] && widths[2] == widths[3]);
}

// A row of no text says so and gives its empty second line up; a body alone takes one line.
TEST_F(ItemContentTest, HostileTextsAndNamesAreShownAsTextAndEmptyLinesAreGivenUp) {
    std::string hostile = "<b>bold</b> &amp; <font_size=80>x</font_size>\x01\x1b[31m\nnext\ttab";
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";
    const std::string markupName = "<b>Bo</b> &amp; <font_size=90>Co";
    const std::string hebrewName = "\xd7\x93\xd7\xa0\xd7\x94 \xd7\x9b\xd7\x94\xd7\x9f";
    msg_device::Device* dev = msg_device::Device::getDefault();
    ASSERT_TRUE(contacts_admin::addPerson(dev, markupName, {"+15550701"}, nullptr));
    ASSERT_TRUE(contacts_admin::addPerson(dev, hebrewName, {"+15550702"}, nullptr));
    MLItemContent* row = appendRow(conversation("+15550701", 1, hostile));
    MLItemContent* big =
        appendRow(conversation("+15550702", 1, std::string(100 * 1024, 'z'), hebrew + " <i>"));
    // The preloaded records a row is built from are not checked by the store: broken bytes still
    // reach the label as valid text.
    struct BrokenProvider : IMLItemDataProvider {
        bool getThreadById(int threadId, msg_store::Thread& out) override {
            bool found = msg_store::ThreadManager().getThread(threadId, out) == msg_store::MSG_STORE_SUCCESS;
            out.snippet = "\xff<b>hi</b>\xc3";
            return found;
        }
        bool getMessageById(int, msg_store::Message&) override { return false; }
    } provider;
    auto* broken = new MLItemContent(THREAD, NONE, store);
    ASSERT_TRUE(broken->init(conversation("+15550003", 1), &provider));
    ASSERT_TRUE(wgenlist_item_append(genlist, nullptr, broken, ELM_GENLIST_ITEM_NONE));
    MLItemContent* none = appendRow(conversation("+15550002", 1, "", ""));
    ASSERT_NO_FATAL_FAILURE(realize({row, big, broken}));

    // Control characters become spaces; tags and entities stay literal on screen.
    EXPECT_EQ(shown(row, "elm.text.1"), "<b>bold</b> &amp; <font_size=80>x</font_size>  [31m next tab");
    EXPECT_EQ(row->getText("elm.text.1").find('<'), std::string::npos)
        << "the markup handed over escapes tags";
    EXPECT_EQ((std::vector<std::string>{markupName, hebrewName, hebrew + " <i>",
                                        std::string(MLItemContentModel::BODY_LIMIT_WITH_SUBJECT, 'z')}),
              (std::vector<std::string>{shown(row, "elm.text"), shown(big, "elm.text"),
                                        shown(big, "elm.text.1"), shown(big, "elm.text.2")}));
    std::string markup = broken->getText("elm.text.1");
    EXPECT_TRUE(g_utf8_validate(markup.c_str(), -1, nullptr)) << markup;
    EXPECT_EQ(shown(broken, "elm.text.1"), "\xef\xbf\xbd<b>hi</b>\xef\xbf\xbd");
    EXPECT_NE(shown(broken, "elm.text").find("5550003"), std::string::npos) << "a number without a name";

    EXPECT_EQ(std::make_tuple(MLItemContent::TEXT_LAYOUT_HIDE_TEXT2, MLItemContent::TEXT_LAYOUT_BOTH),
              std::make_tuple(row->getTextLayout(), big->getTextLayout()));

    // Below the screen until shown.
    elm_genlist_item_show(none->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_TOP);
    ASSERT_NO_FATAL_FAILURE(realize({none}));
    EXPECT_EQ(shown(none, "elm.text.1"), "(No subject)");
    EXPECT_TRUE(
        msg_test::pumpUntil([&] { return none->getTextLayout() == MLItemContent::TEXT_LAYOUT_HIDE_TEXT2; }));
}

TEST_F(ItemContentTest, ShownBadgesAreLeftToTheGenlistAndADryPoolStillGivesOne) {
    auto* pool = MLReusableObjectPool::getInstance();
    MLItemContent* row = appendRow(conversation("+15550001", 2));
    ASSERT_TRUE(waitRealized(row));
    Evas_Object* badge = content(row, "elm.icon.noti");
    ASSERT_TRUE(badge);
    size_t left = pool->getSize();
    EXPECT_LT(left, MLReusableObjectPool::INIT_SIZE);

    // The genlist deletes what it shows; the pool must never keep such an object.
    row->unswallow();
    elm_object_item_del(row->getElmObjectItem());
    EXPECT_EQ(pool->getSize(), left);
    while (Evas_Object* obj = pool->getObject()) {
        EXPECT_NE(obj, badge);
        evas_object_del(obj);
    }
    MLItemContent* dry = appendRow(conversation("+15550002", 3));
    ASSERT_TRUE(waitRealized(dry));
    EXPECT_EQ(badgeGroup(dry), "img/list/noti1");
}

TEST_F(ItemContentTest, BadgesOfRowsScrolledAwayServeTheRowsScrolledIn) {
    std::vector<MLItemContent*> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(appendRow(conversation("+1555000" + std::to_string(100 + i), 1 + i % 9)));
    ASSERT_TRUE(waitRealized(rows.front()));
    msg_test::LogCapture log;
    // Down the whole list and back, a row at a time as the bezel would.
    for (int step = 1; step < 79; ++step) {
        int i = step < 40 ? step : 78 - step;
        elm_genlist_item_show(rows[i]->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_TOP);
        ASSERT_TRUE(waitRealized(rows[i])) << i;
    }
    // A fresh badge is made only while more rows show at once than the pool holds (how many
    // depends on how the genlist keeps up); most rows scrolled in take a badge given back.
    const int made = log.count("Failed to get an object from provider.");
    const int givenBack = log.count("_pool size(");
    EXPECT_GT(givenBack, 40) << "badges came back";
    EXPECT_LT(made * 4, givenBack) << made << " made";
    EXPECT_EQ(badgeGroup(rows.front()), "img/list/noti1");
}

TEST_F(ItemContentTest, RowsFollowTheStoreAndOnlyUnreadConversationsHaveABadge) {
    int threadId = conversation("+15550001", 1, "first", "", 1700000000000);
    int readId = conversation("+15550002", 1);
    ASSERT_EQ(msg_store::ThreadManager().readThread(readId), msg_store::MSG_STORE_SUCCESS);
    int msgId = blockedMessage("+15550009", "prize");
    MLItemContent* row = appendRow(threadId);
    MLItemContent* read = appendRow(readId);
    MLItemContent* blocked = appendRow(msgId, MSG, SPAM);
    ASSERT_NO_FATAL_FAILURE(realize({row, read, blocked}));
    // Message rows have no unread badge either.
    EXPECT_EQ(badgeGroup(read) + shown(read, "elm.text.noti") + badgeGroup(blocked), "");

    bool grew = false;
    conversation("+15550001", 2, "later", "", 1700000005000);
    EXPECT_TRUE(row->update(grew) && grew);
    ASSERT_EQ(msg_store::ThreadManager().deleteThread(threadId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(row->update(grew));

    EXPECT_TRUE(blocked->update(grew));
    ASSERT_EQ(msg_store::MessageManager().restoreBlockedMessage(msgId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(blocked->update(grew)) << "a restored message leaves the blocked list";
}

TEST_F(ItemContentTest, SelectModeAndTheScreenReadersDescription) {
    MLItemContent* row = appendRow(conversation("+15550001", 4, std::string(80, 'w'), "Hi", todayMs()));
    std::vector<MLItem::Event> events;
    row->setEventListener([&](MLItem::Event event, const MLItem*) { events.push_back(event); });
    ASSERT_NO_FATAL_FAILURE(realize({row}));
    Elm_Object_Item* item = row->getElmObjectItem();
    std::string access;
    row->getAccessInfoText(access);
    EXPECT_NE(access.find("4 unread messages"), std::string::npos) << access;
    EXPECT_EQ(access.find("Hi"), std::string::npos) << "lines are read only while highlighted";
    EXPECT_EQ(access.find("+15550001"), std::string::npos) << "numbers are read digit by digit: " << access;
    elm_object_item_signal_emit(item, "elm,action,access_highlight,show", "elm");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return row->isHighlighted(); }));
    row->getAccessInfoText(access);
    std::string lines = "Hi " + std::string(80, 'w');
    EXPECT_NE(access.find(lines.substr(0, MLItemContent::MAX_ACCESS_TEXT_CHARS) + " "), std::string::npos)
        << access;
    EXPECT_EQ(access.find(lines.substr(0, MLItemContent::MAX_ACCESS_TEXT_CHARS + 1)), std::string::npos);
    row->unrealized();
    EXPECT_FALSE(row->isHighlighted());
    elm_genlist_item_update(item);
    ASSERT_NO_FATAL_FAILURE(realize({row}));

    int normalX = part(row, "elm.text").x;
    row->setCheck(true);
    EXPECT_FALSE(row->isChecked()) << "no check in normal style";
    row->onSelect(item);
    EXPECT_EQ(events, std::vector<MLItem::Event>{MLItem::SELECTED});
    row->setStyle(LIST_STYLE_SELECT);
    elm_genlist_item_update(item);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return content(row, "elm.swallow.center_check"); }));
    msg_test::runLoopUntilIdle();
    Box check = object(row, "elm.swallow.center_check");
    EXPECT_GE(check.x, SIDE);
    EXPECT_GT(part(row, "elm.text").x, check.right());
    EXPECT_LE(part(row, "elm.text.3").right(), SCREEN - SIDE);
    row->onSelect(item);
    EXPECT_TRUE(row->isChecked());
    EXPECT_EQ(events.back(), MLItem::CHECK_CHANGED);
    row->getAccessInfoText(access);
    EXPECT_NE(access.find("4 unread messages selected"), std::string::npos) << access;

    // A checked row that gains unread messages is unchecked.
    events.clear();
    conversation("+15550001", 1, "more", "", todayMs() + 1000);
    bool grew = false;
    EXPECT_TRUE(row->update(grew));
    EXPECT_FALSE(row->isChecked());
    EXPECT_EQ(events, std::vector<MLItem::Event>{MLItem::CHECK_CHANGED});

    row->setCheck(true);
    row->setStyle(LIST_STYLE_NORMAL);
    EXPECT_FALSE(row->isChecked());
    row->getAccessInfoText(access);
    EXPECT_EQ(access.find("elected"), std::string::npos) << access;
    elm_genlist_item_update(item);
    ASSERT_NO_FATAL_FAILURE(realize({row}));
    EXPECT_EQ(part(row, "elm.text").x, normalX) << "the texts move back";
}

TEST_F(ItemContentTest, RecycledRowViewsForgetTheBadgeAlertAndLinesOfTheirFormerRows) {
    // An alert of three lines with unread messages first, then enough read conversations of two
    // lines to scroll it away.
    msg_store::IncomingMessage alert = incoming("+15550900", "the body", todayMs());
    alert.subject = "The subject";
    alert.msgType = "cmas";
    MLItemContent* first = appendRow(conversation(alert));
    ASSERT_NO_FATAL_FAILURE(realize({first}));
    EXPECT_GT(part(first, "elm.text").x, part(first, "elm.text.1").x)
        << "the alert icon comes before the name";
    EXPECT_GT(part(first, "noti_area").w, 0);

    // Through SIMs 1 and 2 in turn, and messages the watch received itself, which have no SIM mark.
    const struct {
        msg_store::FolderType folder;
        int sim;
        const char* mark;
    } kinds[] = {{msg_store::FOLDER_INBOX, 0, "1"},
                 {msg_store::FOLDER_INBOX, 1, "2"},
                 {msg_store::FOLDER_WATCH_INBOX, 0, "no mark"}};
    std::vector<MLItemContent*> rows;
    for (int i = 0; i < 12; ++i) {
        msg_store::IncomingMessage read =
            incoming("+1555060" + std::to_string(10 + i), "read", todayMs() - 1000 * i);
        read.isRead = true;
        read.folderType = kinds[i % 3].folder;
        read.simIndex = kinds[i % 3].sim;
        rows.push_back(appendRow(conversation(read)));
    }
    auto show = [](MLItemContent* row) {
        elm_genlist_item_show(row->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
        msg_test::runLoopUntilIdle();
    };
    for (MLItemContent* shownRow : {rows.back(), first, rows.back(), first})
        show(shownRow);
    // The alert's view now is one a two-line row left: its three lines sit in the middle again.
    EXPECT_TRUE(msg_test::runLoopUntil([&] {
        if (!viewOf(first))
            return false;
        Box view = boxOf(viewOf(first));
        return std::abs(part(first, "elm.text").y - view.y -
                        (view.bottom() - part(first, "elm.text.2").bottom())) <= 2;
    }));
    show(rows[6]);
    // A recycled view is laid out again on a later frame of a loaded machine: wait for each name
    // to start its line (a leftover alert's room never lets it), then check everything.
    msg_test::runLoopUntil([&] {
        if (!viewOf(rows[6]))
            return false;
        for (MLItemContent* row : rows)
            if (viewOf(row) && part(row, "elm.text").x != part(row, "name_sides").x)
                return false;
        return true;
    });
    int checked = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        MLItemContent* row = rows[i];
        if (!viewOf(row))
            continue;
        ++checked;
        SCOPED_TRACE(row->getItemId());
        // No room is left for an alert icon, nor a badge, and the two lines sit in the middle; the
        // SIM mark is the row's own, or none.
        EXPECT_EQ(std::make_tuple(0, part(row, "name_sides").x, "", std::string(kinds[i % 3].mark)),
                  std::make_tuple(part(row, "noti_area").w, part(row, "elm.text").x,
                                  shown(row, "elm.text.noti"), simMark(row)));
        Box view = boxOf(viewOf(row));
        EXPECT_NEAR(part(row, "elm.text").y - view.y, view.bottom() - part(row, "elm.text.1").bottom(), 2);
    }
    EXPECT_GE(checked, 2);
}

// A number is drawn at the largest size that fits beside the time, and the time gives its place
// up only when no size fits there, though sizes are passed over by an estimate of their width. The
// widths measured are kept: a larger time font, as the system's font size setting brings, is
// measured anew.
TEST_F(ItemContentTest, ANumberTakesTheLargestSizeThatFitsItsRoomBesideTheTimeInItsFontOfNow) {
    Evas* canvas = evas_object_evas_get(genlist);
    const int sizes[] = {30, 26, 22, 18, 16}, gap = 11;
    auto measured = [canvas](const std::string& text, int size) {
        Evas_Object* t = evas_object_text_add(canvas);
        evas_object_text_font_set(t, "Sans:style=Condensed Bold", MLItem::scaled(size));
        evas_object_text_text_set(t, text.c_str());
        int w = boxOf(t).w;
        evas_object_del(t);
        return w;
    };
    int timeWidth = 0;
    ASSERT_EQ(sscanf(MLItemNameLine::choose(canvas, "Ann", false, "12:45 PM", {300, 0}).timeSignal.c_str(),
                     "elm,state,time,%d", &timeWidth),
              1);
    int checked = 0;
    for (const char* number :
         {"112", "+1 555-010-0001", "\u200e+1 555-010-0001\u200f", "+44 20 7946 0958 1234"}) {
        for (int width = 120; width <= 330; width += 6) {
            SCOPED_TRACE(std::string(number) + " in " + std::to_string(width));
            MLItemNameLine::Look look = MLItemNameLine::choose(canvas, number, true, "12:45 PM", {width, 0});
            int size = 0, time = -1;
            ASSERT_EQ(sscanf(look.nameSignal.c_str(), "elm,state,name,number,%d", &size), 1);
            ASSERT_EQ(sscanf(look.timeSignal.c_str(), "elm,state,time,%d", &time), 1);
            auto room = [&](int timeWidth) { return MLItem::scaled(width - gap - timeWidth); };
            const int* at = std::find(std::begin(sizes), std::end(sizes), size);
            ASSERT_NE(at, std::end(sizes));
            if (at != std::begin(sizes)) {
                EXPECT_GT(measured(number, *(at - 1)), room(time)) << "a larger size fits: " << size;
            }
            if (measured(number, size) <= room(time))
                ++checked;
            else
                EXPECT_TRUE(size == sizes[4] && measured(number, size) > room(0)) << "cut at " << size;
            if (time == 0) {
                EXPECT_GT(measured(number, sizes[4]), room(timeWidth))
                    << "the time gave its place up for nothing";
            }
        }
    }
    EXPECT_GT(checked, 100);

    const char* timeClass = "AT0232";
    const char* oldFont = nullptr;
    Evas_Font_Size oldSize = 0;
    const bool hadClass = edje_text_class_get(timeClass, &oldFont, &oldSize);
    const std::string keptFont = oldFont ? oldFont : "";
    auto look = [&] {
        MLItemNameLine::Look chosen =
            MLItemNameLine::choose(canvas, "+15550100013", true, "12:45 PM", {300, 0});
        return chosen.timeSignal + " " + chosen.nameSignal;
    };
    const std::string wide = look();
    edje_text_class_set(timeClass, "Sans:style=Condensed", 40);
    const std::string larger = look();
    if (hadClass)
        edje_text_class_set(timeClass, keptFont.c_str(), oldSize);
    else
        edje_text_class_del(timeClass);
    EXPECT_NE(wide, larger) << "a time twice as large takes a wider place";
    EXPECT_EQ(wide, look()) << "the font back, the look back";
}

TEST_F(ItemContentTest, ASenderNumberAndAnOldDateAreDrawnWholeAndOnlyANameIsCut) {
    const char* longName = "Alexandra Konstantinopoulou-Smithers";
    ASSERT_EQ(sim({"contact", "add", "--name", longName, "--number", "+15550100014"}).exitCode, 0);
    const int64_t lastYear = todayMs() - 400LL * 24 * 3600 * 1000;
    MLItemContent* number = appendRow(conversation("+15550100013", 1, "win", "", lastYear));
    MLItemContent* named = appendRow(conversation("+15550100014", 1, "hi", "", todayMs()));
    ASSERT_NO_FATAL_FAILURE(realize({number, named}));
    // The drawn text of a part, and whether it is all there: not ellipsized and not clipped.
    auto whole = [&](MLItemContent* row, const char* name, const char* clip) {
        auto* text = const_cast<Evas_Object*>(edje_object_part_object_get(viewOf(row), name));
        if (!text || !evas_object_visible_get(text))
            return false;
        Box drawn = boxOf(text);
        Evas_Object* natural = evas_object_text_add(evas_object_evas_get(text));
        const char* font = nullptr;
        int size = 0;
        evas_object_text_font_get(text, &font, &size);
        evas_object_text_font_set(natural, font, size);
        evas_object_text_text_set(natural, evas_object_text_text_get(text));
        int naturalW = boxOf(natural).w;
        evas_object_del(natural);
        return drawn.w + 1 >= naturalW && drawn.right() <= part(row, clip).right() + 1;
    };
    // In both styles: beside select mode's check there is less room, and a number still fits.
    for (bool select : {false, true}) {
        SCOPED_TRACE(select ? "select mode" : "normal");
        for (MLItemContent* row : {number, named})
            row->setStyle(select ? LIST_STYLE_SELECT : LIST_STYLE_NORMAL);
        elm_genlist_realized_items_update(genlist);
        ASSERT_NO_FATAL_FAILURE(realize({number, named}));
        EXPECT_TRUE(whole(number, "elm.text.number", "name_clip")) << shown(number, "elm.text.number");
        double value = 0.0;
        if (strcmp(edje_object_part_state_get(viewOf(number), "elm.text.3", &value), "w0") != 0) {
            EXPECT_TRUE(whole(number, "elm.text.3", "elm.text.3"))
                << "the date " << shown(number, "elm.text.3");
            EXPECT_LE(part(number, "name_clip").right(), part(number, "elm.text.3").x)
                << "never over the date";
        } else {
            EXPECT_TRUE(select || part(number, "name_sides").x > part(number, "text_left").x)
                << "the date gives its room up only beside the check or where the circle narrows the line";
        }
        EXPECT_FALSE(whole(named, "elm.text", "name_clip")) << "a long name is cut";
        EXPECT_EQ(shown(named, "elm.text.number"), "") << "a name is no number";
    }
}

TEST_F(ItemContentTest, FixedRowsShowTheirTextsAndDescriptions) {
    auto* index = new MLItemGroupIndex();
    auto* empty = new MLItemNoContent();
    const std::pair<MLItem*, std::string> rows[] = {
        {new MLItemTitle(LIST_TYPE_THREAD), "Messages"},
        {new MLItemTitle(LIST_TYPE_BLOCKED_MSG), "Blocked messages"},
        {index, "Messages"},
        {empty, "No messages"}};
    for (const auto& [row, text] : rows) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(wgenlist_item_append(genlist, nullptr, row, ELM_GENLIST_ITEM_NONE));
        ASSERT_TRUE(waitRealized(row));
        EXPECT_EQ(shown(row, "elm.text"), text);
    }
    EXPECT_STREQ(efl_access_object_description_get(index->getElmObjectItem()), "Messages,Header");
    EXPECT_STREQ(efl_access_object_description_get(empty->getElmObjectItem()), "No messages");
}

TEST_F(ItemContentTest, TheButtonRowComposesOnlyInNormalStyle) {
    auto* menu = new MLItemButtonMenu();
    int composed = 0;
    menu->setOnComposeButtonClicked([&] { ++composed; });
    ASSERT_TRUE(wgenlist_item_append(genlist, nullptr, menu, ELM_GENLIST_ITEM_NONE));
    ASSERT_TRUE(waitRealized(menu));
    Evas_Object* compose = menu->getComposeButton();
    ASSERT_TRUE(compose);
    msg_test::runLoopUntilIdle();
    const auto [x, y, w, h] = boxOf(compose);
    window->click(x + w / 2, y + h / 2);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 1; }));

    menu->setStyle(LIST_STYLE_SELECT);
    EXPECT_TRUE(elm_object_disabled_get(compose));
    window->click(x + w / 2, y + h / 2);
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(composed, 1);

    menu->setStyle(LIST_STYLE_NORMAL);
    window->click(x + w / 2, y + h / 2);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 2; }));
    // The whole touch area takes the finger, not only the disc drawn inside it.
    window->click(x + 4, y + 4);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return composed == 3; }));
}
