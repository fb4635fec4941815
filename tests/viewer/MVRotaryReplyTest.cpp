#include "ViewerScreenFixture.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "RecordingScreenOpener.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>

#include <algorithm>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

namespace {

constexpr int64_t START_MS = 1700049600000;
constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";

// The bezel turned at the end of a conversation, through the window's real input.
class RotaryReplyTest : public ViewerScreenFixture {
protected:
    void openConversation() {
        // A day apart: each bubble under its own date line.
        thread(3, START_MS, 24 * 3600);
        open(threadId);
        ASSERT_NE(listView()->getReplyItem(), nullptr);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return replyRow() != nullptr; }));
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
    Evas_Object* replyRow() const { return rowOf(listView()->getReplyItem()->getElmObjectItem()); }
    // The newest date line, over the newest bubble.
    Evas_Object* dateRow() const {
        Elm_Object_Item* item = elm_genlist_last_item_get(listView()->getGenlist());
        while (item && static_cast<MVItem*>(elm_object_item_data_get(item))->getType() != MVItem::DATE_LINE)
            item = elm_genlist_item_prev_get(item);
        return rowOf(item);
    }
    // How far a row is drawn above its place; 0 at rest.
    int lift() const { return liftOf(replyRow()); }
    static int liftOf(Evas_Object* row) {
        const Evas_Map* map = row ? evas_object_map_get(row) : nullptr;
        if (!row || !map || !evas_object_map_enable_get(row))
            return 0;
        int y = 0, h = 0;
        evas_object_geometry_get(row, nullptr, &y, nullptr, &h);
        Evas_Coord top = 0, bottom = 0;
        evas_map_point_coord_get(map, 0, nullptr, &top, nullptr);
        evas_map_point_coord_get(map, 3, nullptr, &bottom, nullptr);
        return (y + h / 2) - (top + bottom) / 2;
    }
    std::vector<LaunchEntry> newLaunches() const {
        std::vector<LaunchEntry> all = LaunchJournal::list();
        return std::vector<LaunchEntry>(all.begin() + static_cast<long>(launchesBefore), all.end());
    }
    bool atRest() const { return !isAnimating() && !isTop() && lift() == 0; }

    RecordingScreenOpener opener;
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
    EXPECT_GE(liftOf(dateRow()), 60);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    EXPECT_EQ(liftOf(dateRow()), 0);
    EXPECT_FALSE(isTop());
    EXPECT_TRUE(opener.requests.empty());
    EXPECT_TRUE(newLaunches().empty());
}

TEST_F(RotaryReplyTest, ThreeQuickDetentsLaunchTheReplyAfterTheComposerCheck) {
    openConversation();
    detents(3);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !newLaunches().empty(); }, 10.0));
    EXPECT_EQ(opener.requests, std::vector<std::string>{"check +15550100"});
    const LaunchEntry reply = newLaunches().back();
    EXPECT_EQ(reply.target, INPUT_SELECTOR);
    EXPECT_NE(reply.request.find("address:+15550100"), std::string::npos) << reply.request;
    // Once launched, the rows go back to their places for when the user returns.
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    ASSERT_TRUE(LaunchJournal::requestTerminate(reply.id));
    EXPECT_TRUE(msg_test::pumpUntil(
        [&] {
            LaunchEntry entry;
            return LaunchJournal::find(reply.id, entry) && entry.status == "exited";
        },
        30.0))
        << reply.status;
}

TEST_F(RotaryReplyTest, ADragUpPastTheEndLaunchesTheReplyOnce) {
    openConversation();
    // Short of the distance, the list stays as it is.
    dragUp(12);
    EXPECT_FALSE(isAnimating());
    EXPECT_FALSE(msg_test::runLoopUntil([&] { return !newLaunches().empty(); }, 1.0));

    // Far enough, the animation runs through to the launch without a detent; a longer drag
    // launches once.
    dragUp(60);
    EXPECT_TRUE(isAnimating());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !newLaunches().empty(); }, 10.0));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    EXPECT_EQ(opener.requests.size(), 1u);
    ASSERT_EQ(newLaunches().size(), 1u);
    EXPECT_EQ(newLaunches().back().target, INPUT_SELECTOR);
    ASSERT_TRUE(LaunchJournal::requestTerminate(newLaunches().back().id));
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
    EXPECT_GE(lift(), 90);
    listView()->back();
    EXPECT_TRUE(atRest());
    EXPECT_EQ(opener.requests.size(), 1u);
    EXPECT_TRUE(newLaunches().empty());
}
