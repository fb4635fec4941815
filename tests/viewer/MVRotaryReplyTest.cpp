#include "ViewerScreenFixture.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "RecordingScreenOpener.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

namespace {

constexpr int64_t START_MS = 1700049600000;
constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";

// The bezel turned at the end of a conversation, through the window's real input.
class RotaryReplyTest : public ViewerScreenFixture {
protected:
    // A day apart: each bubble under its own date line.
    void openConversation(int count = 3) {
        ids = thread(count, START_MS, 24 * 3600);
        open(threadId);
        ASSERT_NE(listView()->getReplyItem(), nullptr);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return atTheEnd(); }));
        Evas* evas = evas_object_evas_get(listView()->getGenlist());
        evas_event_feed_mouse_move(evas, 180, 180, 0, nullptr);
        launchesBefore = LaunchJournal::list().size();
    }
    void detents(int count) {
        Evas* evas = evas_object_evas_get(listView()->getGenlist());
        for (int i = 0; i < count; ++i)
            evas_event_feed_mouse_wheel(evas, 0, 1, 0, nullptr);
    }
    // A finger pressed on the end of the list and moved up by `distance`, a few pixels at a time.
    void dragUp(int distance) {
        Evas* evas = evas_object_evas_get(listView()->getGenlist());
        constexpr int startY = 320;
        evas_event_feed_mouse_move(evas, 180, startY, 0, nullptr);
        evas_event_feed_mouse_down(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
        for (int moved = 0; moved < distance;) {
            moved = std::min(distance, moved + 4);
            evas_event_feed_mouse_move(evas, 180, startY - moved, 0, nullptr);
        }
        evas_event_feed_mouse_up(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
    }
    // A row as drawn (its item's own layout), lifted by its map while animating.
    static Evas_Object* rowOf(Elm_Object_Item* item) {
        Evas_Object* content = item ? elm_object_item_part_content_get(item, "elm.icon") : nullptr;
        return content ? evas_object_smart_parent_get(content) : nullptr;
    }
    // The list has come to rest at its end: the reply row in the middle of the circle. Wholly in
    // view is not enough: while the rows above are first measured the list still moves towards it.
    bool atTheEnd() const {
        Evas_Object* button = listView()->getReplyItem()->getButton();
        Evas_Object* row = replyRow();
        if (!row || !button || !evas_object_visible_get(button))
            return false;
        int listY = 0, listH = 0, y = 0, h = 0;
        evas_object_geometry_get(listView()->getGenlist(), nullptr, &listY, nullptr, &listH);
        evas_object_geometry_get(row, nullptr, &y, nullptr, &h);
        return h > 0 && std::abs((y + h / 2) - (listY + listH / 2)) <= 2;
    }
    Evas_Object* replyRow() const { return rowOf(listView()->getReplyItem()->getElmObjectItem()); }
    // The newest date line, over the newest bubble.
    Evas_Object* dateRow() const {
        Elm_Object_Item* item = elm_genlist_last_item_get(listView()->getGenlist());
        while (item && static_cast<MVItem*>(elm_object_item_data_get(item))->getType() != MVItem::DATE_LINE)
            item = elm_genlist_item_prev_get(item);
        return rowOf(item);
    }
    // How far a row is drawn above its place and how wide; (0, its width) at rest.
    static std::pair<int, int> drawn(Evas_Object* row) {
        int y = 0, w = 0, h = 0;
        evas_object_geometry_get(row, nullptr, &y, &w, &h);
        const Evas_Map* map = row ? evas_object_map_get(row) : nullptr;
        if (!row || !map || !evas_object_map_enable_get(row))
            return {0, w};
        Evas_Coord x0 = 0, x1 = 0, top = 0, bottom = 0;
        evas_map_point_coord_get(map, 0, &x0, &top, nullptr);
        evas_map_point_coord_get(map, 1, &x1, nullptr, nullptr);
        evas_map_point_coord_get(map, 3, nullptr, &bottom, nullptr);
        return {(y + h / 2) - (top + bottom) / 2, x1 - x0};
    }
    int lift() const { return drawn(replyRow()).first; }
    std::vector<LaunchEntry> newLaunches() const {
        std::vector<LaunchEntry> all = LaunchJournal::list();
        return std::vector<LaunchEntry>(all.begin() + static_cast<long>(launchesBefore), all.end());
    }
    bool atRest() const { return !isAnimating() && !isTop() && lift() == 0; }

    RecordingScreenOpener opener;
    std::vector<int> ids;
    size_t launchesBefore = 0;
};

} // namespace

TEST_F(RotaryReplyTest, OneDetentLiftsTheReplyRowThenItFallsBackWithoutLaunching) {
    openConversation();
    detents(1);
    EXPECT_TRUE(isAnimating());
    // The first step ends 62 pixels up; with no second detent it comes back down.
    ASSERT_NE(dateRow(), nullptr);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return lift() >= 60; })) << lift();
    // The rest of the list goes up with it, the date line included.
    EXPECT_GE(drawn(dateRow()).first, 60);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    EXPECT_EQ(drawn(dateRow()).first, 0);
    EXPECT_FALSE(isTop());
    EXPECT_TRUE(opener.requests.empty());
    EXPECT_TRUE(newLaunches().empty());
}

TEST_F(RotaryReplyTest, ThreeQuickDetentsOrADragPastTheEndLaunchTheReplyOnce) {
    openConversation();
    // A drag short of the distance leaves the list as it is.
    dragUp(12);
    EXPECT_FALSE(isAnimating());
    const struct {
        const char* name;
        std::function<void()> gesture;
    } gestures[] = {
        {"detents", [this] { detents(3); }},
        // Straight through to the launch, however far the finger goes on.
        {"drag", [this] { dragUp(60); }},
    };
    for (size_t i = 0; i < std::size(gestures); ++i) {
        SCOPED_TRACE(gestures[i].name);
        gestures[i].gesture();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return newLaunches().size() > i; }, 10.0));
        // Once launched, the rows go back to their places for when the user returns.
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
        EXPECT_EQ(newLaunches().size(), i + 1);
        EXPECT_EQ(opener.requests.size(), i + 1);
        const LaunchEntry reply = newLaunches().back();
        EXPECT_EQ(reply.target, INPUT_SELECTOR);
        for (const std::string& part :
             {std::string("address:+15550100"), "msgId:" + std::to_string(ids.back()),
              std::string("com.vorlane.message.appcontrol.compose")})
            EXPECT_NE(reply.request.find(part), std::string::npos) << reply.request;
        closeLaunched(reply.id);
    }
    EXPECT_EQ(opener.requests.front(), "check +15550100");
}

// A blind user reaches the reply row by the reader instead: the bezel and a drag past the end
// move nothing and launch nothing.
TEST_F(RotaryReplyTest, WithTheScreenReaderTheBezelAndDragLeaveTheReplyRowAlone) {
    ASSERT_EQ(vconf_set_bool("db/setting/accessibility/tts", 1), VCONF_OK);
    openConversation();
    detents(3);
    dragUp(40);
    EXPECT_FALSE(isAnimating());
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_TRUE(atRest()) << lift();
    EXPECT_TRUE(newLaunches().empty());
    // The reader's activation selects the row: that replies, once.
    elm_genlist_item_selected_set(listView()->getReplyItem()->getElmObjectItem(), EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !newLaunches().empty(); }, 10.0));
    EXPECT_EQ(newLaunches().size(), 1u);
    EXPECT_EQ(newLaunches().front().target, INPUT_SELECTOR);
    closeLaunched(newLaunches().front().id);
}

TEST_F(RotaryReplyTest, ARefusedReplyOrBackEndsTheAnimation) {
    openConversation();
    opener.composerError = "WDS_PN_TPOP_MEMORY_FULL_ABB";
    detents(3);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !opener.requests.empty(); }, 10.0));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    EXPECT_TRUE(newLaunches().empty());

    // Two detents hold the row at the top; back puts it down at once.
    opener.composerError.clear();
    detents(2);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return isTop() && !isAnimating(); }, 10.0));
    // 92 up at 1.73 times its size; the rows 123 up at their own size.
    EXPECT_NEAR(lift(), 92, 1);
    int rowWidth = 0;
    evas_object_geometry_get(replyRow(), nullptr, nullptr, &rowWidth, nullptr);
    EXPECT_NEAR(drawn(replyRow()).second, rowWidth * 173 / 100, 4);
    EXPECT_NEAR(drawn(dateRow()).first, 123, 1);
    listView()->back();
    EXPECT_TRUE(atRest());
    EXPECT_EQ(opener.requests.size(), 1u);
    EXPECT_TRUE(newLaunches().empty());
}

TEST_F(RotaryReplyTest, TheBezelScrollsInSelectModeAndNeverReplies) {
    // Taller than the screen, so that the bezel has somewhere to go.
    openConversation(8);
    Evas_Object* list = listView()->getGenlist();
    Evas* evas = evas_object_evas_get(list);
    auto top = [list] {
        int y = 0;
        elm_scroller_region_get(list, nullptr, &y, nullptr, nullptr);
        return y;
    };
    // A detent brings the next row to the middle: far more than the pixel or two by which the
    // list settles after a change. True once the list has gone that far the detent's way.
    constexpr int ROW_STEP = 20;
    // A detent that comes while the list still glides goes on from the row it glides to: each turn
    // waits for the glide to end, so that the next one starts where this one ended.
    // Static: the list may end a glide after the test's own frame has gone.
    static int glides;
    glides = 0;
    auto count = [](void* data, Evas_Object*, void*) { ++*static_cast<int*>(data); };
    evas_object_smart_callback_add(list, "scroll,anim,start", count, &glides);
    evas_object_smart_callback_add(list, "scroll,anim,stop", count, &glides);
    auto turn = [&](int z) {
        const int before = top();
        evas_event_feed_mouse_wheel(evas, 0, z, 0, nullptr);
        // An even count: every glide begun has ended.
        return msg_test::runLoopUntil([&] { return glides % 2 == 0 && (top() - before) * z > ROW_STEP; });
    };

    // What a long press on a bubble tells the conversation.
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    ASSERT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    // The rows take their check boxes first.
    msg_test::runLoopUntilIdle();

    // At the end of the list the clockwise detents that would reply do nothing.
    detents(3);
    msg_test::runLoopUntil([&] { return isAnimating() || !newLaunches().empty(); }, 1.0);
    EXPECT_TRUE(atRest()) << lift();
    EXPECT_TRUE(newLaunches().empty());
    // Both ways the bezel moves through the bubbles.
    for (int z : {-1, -1, 1}) {
        const int before = top();
        EXPECT_TRUE(turn(z)) << "from " << before << " to " << top();
    }
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    EXPECT_TRUE(atRest()) << lift();
    EXPECT_TRUE(newLaunches().empty());
}
