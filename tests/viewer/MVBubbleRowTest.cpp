#include "ViewerScreenFixture.h"

#include "ui/EflTest.h"

#include "common/MCommonAppEventMgr.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "viewer/MVBubbleLabelQueue.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <vector>

using namespace msg_app::msg_viewer;

namespace {

// Rows of the genlist go from one bubble to another as the list scrolls and lays itself out again;
// what a row shows must always be its own bubble's, as it is now.
class BubbleRowTest : public ViewerActionFixture {
protected:
    // A text widget emptied for another bubble let the objects of its old items go: the entry kept
    // none it loses track of when it is deleted with the conversation.
    void TearDown() override {
        ViewerActionFixture::TearDown();
        EXPECT_EQ(_errors.containing("item object"), std::vector<std::string>());
    }

    // The bubbles the genlist shows now, each with its row's layout.
    static std::vector<std::pair<Evas_Object*, MVItemBubble*>> shownBubbles(Evas_Object* genlist) {
        std::vector<std::pair<Evas_Object*, MVItemBubble*>> shown;
        for (Elm_Object_Item* it : msg_test::realizedItems(genlist)) {
            auto* row = static_cast<MVItem*>(elm_object_item_data_get(it));
            if (row && row->getType() == MVItem::BUBBLE)
                shown.emplace_back(elm_object_item_part_content_get(it, "elm.icon"),
                                   static_cast<MVItemBubble*>(row));
        }
        return shown;
    }
    // Calls check on each bubble the genlist shows now.
    void eachShown(const std::function<void(Evas_Object* row, MVItemBubble*)>& check) {
        evas_smart_objects_calculate(evas());
        for (auto [row, bubble] : shownBubbles(listView()->getGenlist()))
            check(row, bubble);
    }

    // Shows the list a screen further down (1) or up (-1), up no further than its top; the top of
    // the region it showed before.
    int scrollScreen(int direction) {
        Evas_Coord x = 0, y = 0, w = 0, h = 0;
        elm_scroller_region_get(listView()->getGenlist(), &x, &y, &w, &h);
        elm_scroller_region_show(listView()->getGenlist(), x, std::max(0, y + direction * h), w, h);
        return y;
    }

    // Scrolls up a screen at a time to the oldest message, calling check on each bubble shown.
    void scrollToOldest(const std::function<void(Evas_Object* row, MVItemBubble*)>& check) {
        for (int screens = 0; screens < 300; ++screens) {
            ASSERT_TRUE(msg_test::runLoopUntilIdle());
            eachShown(check);
            if (scrollScreen(-1) <= 0 && listView()->getLoadedCount() == listView()->getModel().getCount())
                return;
        }
        FAIL() << "the oldest message was never reached";
    }

    // The theme group a plain theme object shows; empty for any other object.
    static std::string groupOf(Evas_Object* obj) {
        const char* group = nullptr;
        if (obj && !strcmp(evas_object_type_get(obj), "edje"))
            edje_object_file_get(obj, nullptr, &group);
        return group ? group : "";
    }
    // The status line's theme object the text widget holds, if it has one.
    static Evas_Object* lineOf(Evas_Object* label) {
        Evas_Object* line = nullptr;
        Eina_List* members = evas_object_smart_members_get(elm_layout_edje_get(label));
        void* member = nullptr;
        EINA_LIST_FREE(members, member) {
            auto* obj = static_cast<Evas_Object*>(member);
            if (groupOf(obj).rfind("bubble/content/communication_info/", 0) == 0)
                line = obj;
        }
        return line;
    }
    // The marks a status line shows: " MMS", " SAFE", and " SIM" with its mark's number.
    static std::string marksOf(Evas_Object* line) {
        auto shown = [line](const char* part) {
            const char* state = edje_object_part_state_get(line, part, nullptr);
            return state && !strcmp(state, "shown");
        };
        std::string marks =
            std::string(shown("elm.text.mms") ? " MMS" : "") +
            (shown("elm.icon.safe") && edje_object_part_swallow_get(line, "elm.icon.safe") ? " SAFE" : "");
        if (const char* sim = edje_object_part_text_get(line, "elm.text.sim"))
            marks += std::string(" SIM") + sim;
        return marks;
    }
    // The status line the text widget holds: its time, its marks, and " RTL" when it is laid out
    // right to left.
    static std::string statusLineOf(Evas_Object* label) {
        Evas_Object* line = lineOf(label);
        if (!line)
            return "";
        const char* time = edje_object_part_text_get(line, "elm.text.time");
        return (time ? time : "") + marksOf(line) + (edje_object_mirrored_get(line) ? " RTL" : "");
    }

    // Checks that the row shows its own bubble as it is now, in the direction the language
    // gives (rtl: right to left), and counts it in _seen and, when it holds a status line, _lines.
    void checkRow(Evas_Object* row, MVItemBubble* bubble, bool rtl) {
        const int id = bubble->getMsgId();
        SCOPED_TRACE("bubble " + std::to_string(id));
        const bool received = bubble->getBubbleType() == MVItemBubble::BUBBLE_RECEIVED;
        Evas_Object* label = MVItemBubbleTestPeer::label(bubble);
        ASSERT_NE(label, nullptr) << "shown without text";
        EXPECT_EQ(elm_object_part_content_get(row, "elm.swallow.bubble"), label);
        std::string text = msg_test::plainTextOf(label);
        EXPECT_EQ(text.rfind(bubble->getConv()->text, 0), 0u) << text;
        // The entry builds the objects of the items in view only. The marks follow the time on the
        // reading side.
        std::string line = statusLineOf(label);
        EXPECT_TRUE(line.empty() || line == bubble->getTimeText() + " SIM" +
                                                std::to_string(bubble->getConv()->simIndex + 1) +
                                                (rtl ? " RTL" : ""))
            << line;
        _lines += !line.empty();
        // The status line keeps to the bubble's outer side, which the direction swaps.
        bool right = std::string(elm_object_text_get(label)).find("<align=1.0><item") != std::string::npos;
        EXPECT_EQ(right, received == rtl);
        Evas_Coord textW = 0, textH = 0, x = 0, w = 0, h = 0, rowX = 0, rowW = 0, rowH = 0;
        evas_object_textblock_size_formatted_get(elm_entry_textblock_get(label), &textW, &textH);
        evas_object_geometry_get(label, &x, nullptr, &w, &h);
        evas_object_geometry_get(row, &rowX, nullptr, &rowW, &rowH);
        // As wide as its text (a wider bubble lays its lines out otherwise than they were measured).
        EXPECT_LE(w - textW, MVItem::scaled(40));
        EXPECT_EQ(h - textH, MVItem::scaled(24));
        EXPECT_GE(rowH, h);
        EXPECT_EQ(elm_object_style_get(label),
                  std::string(received ? "message/bubble/receive" : "message/bubble/send") +
                      (rtl ? "/rtl" : ""));
        // Left to right, received on the left and sent on the right, whichever side the row was on.
        if (!rtl) {
            EXPECT_EQ(x - rowX < rowX + rowW - (x + w), received);
        }
        _seen.insert(id);
    }

    // Made before the screen, to hear the toolkit from the start.
    msg_test::ToolkitErrors _errors;
    std::set<int> _seen;
    int _lines = 0;
};

} // namespace

TEST_F(BubbleRowTest, EveryRowScrolledThroughShowsItsOwnBubbleInTheHeightItKept) {
    // Short and long, sent and received: a row taken over from another bubble changes both ways.
    // The links' lines wrap only where the bubble is as narrow as its measure.
    const std::string texts[] = {"ok", "Running late, see https://example.com/a/very/long/path?q=1 soon",
                                 "Call +15550100222 when you land; the gate changed to B12 and the train "
                                 "after that is the last one tonight, so do not miss it"};
    std::vector<msg_store::IncomingMessage> messages;
    for (int i = 0; i < 95; ++i) {
        messages.push_back(msg_test::message("+15550100", texts[i % 3] + " #" + std::to_string(i),
                                             START_MS + i * 3600000LL,
                                             i % 2 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX));
        // Each row shows its own SIM's number, whichever SIM the bubble its row showed before came by.
        messages.back().simIndex = i / 2 % 3;
    }
    std::vector<int> ids = storeThread(messages);
    open(threadId);
    auto check = [&](Evas_Object* row, MVItemBubble* bubble) { checkRow(row, bubble, false); };
    scrollToOldest(check);
    EXPECT_EQ(_seen, std::set<int>(ids.begin(), ids.end()));
    EXPECT_GT(_lines, static_cast<int>(ids.size()) / 2);

    // The double tap's large text: the rows shown are measured again for it.
    _seen.clear();
    listView()->toggleFontSize(180);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    // A loaded machine may reach idle before the genlist has realized the rows in view.
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return !msg_test::realizedItems(listView()->getGenlist()).empty(); }));
    eachShown(check);
    EXPECT_FALSE(_seen.empty());
    // The rows below were measured at the text size before: laid out alone again at the large one,
    // they show in the height they are measured at.
    size_t shownAtTop = _seen.size();
    for (int screens = 0; screens < 8; ++screens) {
        scrollScreen(1);
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
        eachShown(check);
    }
    EXPECT_GT(_seen.size(), shownAtTop + 4);
    listView()->toggleFontSize(180);
}

TEST_F(BubbleRowTest, RowsShownAfterALanguageChangeTakeItsDirection) {
    openThread(45);
    ASSERT_EQ(vconf_set_str("db/menu_widget/language", "ar_AE.UTF-8"), 0);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGED);
    auto rightToLeft = [&](Evas_Object* row, MVItemBubble* bubble) { checkRow(row, bubble, true); };
    // The rows in view first, as they are: nothing scrolled them out and back in.
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    eachShown(rightToLeft);
    EXPECT_FALSE(_seen.empty());
    _seen.clear();
    scrollToOldest(rightToLeft);
    EXPECT_FALSE(_seen.empty());
    EXPECT_GT(_lines, 0);
}

// The text widgets of the bubbles the genlist shows are built in the frame's own calculation,
// after the genlist has settled: every frame drawn while the bezel reads back through the days and
// brings the older page in shows each bubble on the screen with its text, in its own row. (Looked
// at as the frame is drawn: a frame's listeners may move the list after it.)
TEST_F(BubbleRowTest, EveryFrameDrawnWhileTheBezelBringsAPageShowsEachBubblesText) {
    openThread(95, 5 * 3600);
    Evas_Object* genlist = listView()->getGenlist();
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    struct Frames {
        Evas_Object* genlist;
        int drawn = 0, bubbles = 0;
        std::vector<int> withoutText;
    } frames{genlist, 0, 0, {}};
    Evas_Event_Cb drawn = [](void* data, Evas*, void*) {
        auto* f = static_cast<Frames*>(data);
        ++f->drawn;
        for (auto [content, bubble] : shownBubbles(f->genlist)) {
            Evas_Object* label = MVItemBubbleTestPeer::label(bubble);
            ++f->bubbles;
            if (!label || elm_object_part_content_get(content, "elm.swallow.bubble") != label)
                f->withoutText.push_back(bubble->getMsgId());
        }
    };
    evas_event_callback_add(evas(), EVAS_CALLBACK_RENDER_FLUSH_PRE, drawn, &frames);
    int loaded = listView()->getLoadedCount();
    auto [x, y, w, h] = msg_test::boxOf(genlist);
    evas_event_feed_mouse_move(evas(), x + w / 2, y + h / 2, 0, nullptr);
    for (int detents = 0; detents < 200 && listView()->getLoadedCount() == loaded; ++detents) {
        evas_event_feed_mouse_wheel(evas(), 0, -1, 0, nullptr);
        msg_test::pumpFor(0.05);
    }
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    evas_event_callback_del_full(evas(), EVAS_CALLBACK_RENDER_FLUSH_PRE, drawn, &frames);
    EXPECT_GT(listView()->getLoadedCount(), loaded) << "the bezel never brought the older page";
    EXPECT_GT(frames.drawn, 10);
    EXPECT_GT(frames.bubbles, frames.drawn);
    EXPECT_EQ(frames.withoutText, std::vector<int>()) << "bubbles drawn without their text";
}

// The queue keeps message ids, not bubbles: a bubble gone before the calculation is not found and
// skipped, each id is looked up once, and a genlist deleted with ids pending takes the hook along.
TEST(BubbleLabelQueueTest, IdsAreLookedUpOnceAtTheCalculationAndNeverAfterTheGenlistWent) {
    Evas_Object* win = elm_win_add(nullptr, "label-queue", ELM_WIN_BASIC);
    Evas* canvas = evas_object_evas_get(win);
    Evas_Object* genlist = elm_genlist_add(win);
    std::vector<int> looked;
    auto queue = std::make_unique<MVBubbleLabelQueue>(genlist, [&](int msgId) -> MVItemBubble* {
        looked.push_back(msgId);
        return nullptr;
    });
    for (int msgId : {3, 1, 3})
        queue->add(msgId);
    EXPECT_TRUE(looked.empty()) << "looked up before the canvas calculated";
    evas_smart_objects_calculate(canvas);
    EXPECT_EQ((std::vector<int>{3, 1}), looked);
    queue->add(2);
    evas_object_del(genlist);
    queue->add(4);
    evas_smart_objects_calculate(canvas);
    EXPECT_EQ((std::vector<int>{3, 1}), looked);
    queue.reset();
    evas_object_del(win);
}

// Each mark of a status line is drawn only when its bubble has it, and every part drawn keeps to
// the room the bubble's text measured for the line.
TEST_F(BubbleRowTest, AStatusLineDrawsTheMarksItsBubbleHasInTheRoomMeasuredForThem) {
    ASSERT_EQ(vconf_set_str("db/zeq/salescode", "KTC"), 0);
    const struct {
        msg_store::FolderType folder;
        const char* type;
        int sim;
        bool isProtected;
        const char* marks;
    } rows[] = {
        {msg_store::FOLDER_INBOX, "sms", 0, false, " SIM1"},
        {msg_store::FOLDER_SENT, "sms", 2, false, " SIM3"},
        {msg_store::FOLDER_INBOX, "mms", 1, false, " MMS SIM2"},
        {msg_store::FOLDER_INBOX, "sms", 0, true, " SAFE SIM1"},
        {msg_store::FOLDER_SENT, "mms", 1, true, " MMS SAFE SIM2"},
        {msg_store::FOLDER_INBOX, "sms", 5, false, ""},
    };
    std::vector<msg_store::IncomingMessage> messages;
    for (const auto& row : rows) {
        messages.push_back(msg_test::message("+15550100", std::string(row.type) + " " + row.marks,
                                             START_MS + messages.size() * 60000LL, row.folder));
        messages.back().msgType = row.type;
        messages.back().simIndex = row.sim;
        messages.back().isProtected = row.isProtected;
    }
    std::vector<int> ids = storeThread(messages);
    open(threadId);
    std::set<int> checked;
    scrollToOldest([&](Evas_Object*, MVItemBubble* bubble) {
        auto id = std::find(ids.begin(), ids.end(), bubble->getMsgId());
        ASSERT_NE(id, ids.end());
        const auto& row = rows[id - ids.begin()];
        // Built for the bubbles in view only.
        Evas_Object* line = lineOf(MVItemBubbleTestPeer::label(bubble));
        if (!line)
            return;
        EXPECT_EQ(marksOf(line), row.marks);
        const char* watch = edje_object_part_state_get(line, "elm.status.icon", nullptr);
        EXPECT_STRNE(watch, "shown") << row.marks;
        std::array<int, 4> room = msg_test::boxOf(line);
        for (const char* part :
             {"elm.text.time", "elm.text.mms", "elm.icon.safe", "sim.shape", "elm.status.icon"}) {
            const Evas_Object* drawn = edje_object_part_object_get(line, part);
            if (!drawn || !evas_object_visible_get(drawn))
                continue;
            std::array<int, 4> box = msg_test::boxOf(drawn);
            EXPECT_GE(box[0], room[0]) << row.marks << ": " << part;
            EXPECT_LE(box[0] + box[2], room[0] + room[2]) << row.marks << ": " << part;
        }
        checked.insert(bubble->getMsgId());
    });
    EXPECT_EQ(checked.size(), std::size(rows));
}
