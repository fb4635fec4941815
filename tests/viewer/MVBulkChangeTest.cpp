// Many messages in one change of the store while the conversation is open: the page is built again
// instead of row by row, and the user keeps what the screen promised (the place read, the newest
// message at the end, the checked messages, the unread ones marked read).
#include "ViewerScreenFixture.h"

#include "MainLoop.h"
#include "common/MCommonAppEventMgr.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"

#include <array>
#include <climits>

using namespace msg_app::msg_viewer;

namespace {

constexpr int64_t MINUTE_MS = 60 * 1000;
constexpr int64_t START_MS = 1700049600000;
constexpr int BULK = static_cast<int>(MVListViewController::MAX_CHANGES_ONE_BY_ONE) + 10;

class ViewerBulkChangeTest : public ViewerScreenFixture {
protected:
    // BULK messages in one change, from `firstMs` one a minute, unread.
    std::vector<int> bulk(int64_t firstMs) {
        std::vector<msg_store::IncomingMessage> messages;
        for (int i = 0; i < BULK; ++i)
            messages.push_back(
                msg_test::message("+15550100", "bulk " + std::to_string(i), firstMs + i * MINUTE_MS));
        return msg_test::storeMessages(messages);
    }
    bool applied(int count) {
        return msg_test::runLoopUntil([&] { return listView()->getModel().getCount() == count; }, 20.0) &&
               msg_test::runLoopUntilIdle();
    }
    // Where the bubble's row is on the screen; INT_MIN when it is not shown.
    int rowY(int msgId) {
        MVItemBubble* bubble = listView()->findBubble(msgId);
        Evas_Object* track = bubble ? elm_object_item_track(bubble->getElmObjectItem()) : nullptr;
        if (!track)
            return INT_MIN;
        int y = 0;
        evas_object_geometry_get(track, nullptr, &y, nullptr, nullptr);
        elm_object_item_untrack(bubble->getElmObjectItem());
        return y;
    }
    // The first bubble that starts in view; 0 when none does.
    int topRow(int listY) {
        int top = 0, topY = INT_MAX;
        for (int i = 0; i < listView()->getModel().getCount(); ++i) {
            int id = listView()->getModel().getMsgId(i);
            int y = rowY(id);
            if (y != INT_MIN && y >= listY && y < topY) {
                top = id;
                topY = y;
            }
        }
        return top;
    }
    // The row read: the first bubble that starts in view, once three frames in a row have drawn it at
    // the same place over a list of the same height. A busy machine measures the rows above a few at
    // a time, each moving the list, with loop turns between that draw nothing: only frames tell.
    int settledTop(int listY) {
        Evas_Object* list = listView()->getGenlist();
        Evas* canvas = evas_object_evas_get(list);
        int frames = 0, seen = 0, alike = 0, top = 0;
        std::array<int, 3> last{};
        Evas_Event_Cb drawn = [](void* data, Evas*, void*) { ++*static_cast<int*>(data); };
        evas_event_callback_add(canvas, EVAS_CALLBACK_RENDER_POST, drawn, &frames);
        evas_damage_rectangle_add(canvas, 0, 0, 1, 1);
        bool settled = msg_test::runLoopUntil([&] {
            if (frames == seen)
                return false;
            seen = frames;
            top = topRow(listY);
            int height = 0;
            elm_scroller_child_size_get(list, nullptr, &height);
            std::array<int, 3> now{top, rowY(top), height};
            alike = now == last ? alike + 1 : 0;
            last = now;
            // A frame follows even when nothing moved.
            evas_damage_rectangle_add(canvas, 0, 0, 1, 1);
            return top != 0 && alike >= 3;
        });
        evas_event_callback_del_full(canvas, EVAS_CALLBACK_RENDER_POST, drawn, &frames);
        return settled ? top : 0;
    }
    bool inView(Elm_Object_Item* item) {
        Eina_List* realized = elm_genlist_realized_items_get(listView()->getGenlist());
        bool found = eina_list_data_find(realized, item) != nullptr;
        eina_list_free(realized);
        return found;
    }
};

} // namespace

// At the end of the conversation the page is built again around the newest message, unread
// messages are marked read in one write, and the page holds a page, not the whole change.
TEST_F(ViewerBulkChangeTest, AtTheEndTheNewestStaysInViewAndAllIsMarkedRead) {
    std::vector<int> ids = thread(40, START_MS, 60);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    open(threadId);
    std::vector<int> added = bulk(START_MS + 100 * MINUTE_MS);
    ASSERT_TRUE(applied(40 + BULK));
    EXPECT_LE(listView()->getLoadedCount(), MVListViewController::PAGE_SIZE);
    std::vector<int> shown = checkedBubbleIds();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), added.back());
    EXPECT_TRUE(
        msg_test::runLoopUntil([&] { return inView(listView()->getReplyItem()->getElmObjectItem()); }));
    msg_store::Thread thread;
    ASSERT_EQ(msg_store::ThreadManager().getThread(threadId, thread), msg_store::MSG_STORE_SUCCESS);
    EXPECT_EQ(thread.unreadCount, 0);
    // A message right after it is handled by itself, at the end.
    int one =
        msg_test::storeMessages({msg_test::message("+15550100", "right after", START_MS + 500 * MINUTE_MS)})
            .front();
    ASSERT_TRUE(applied(40 + BULK + 1));
    EXPECT_EQ(checkedBubbleIds().back(), one);
}

// Reading older messages, the bubble read stays at the top of the screen, whether the change lands
// below it, above it or right above it.
TEST_F(ViewerBulkChangeTest, ReadingOlderMessagesTheRowReadStaysInPlace) {
    std::vector<int> ids = thread(100, START_MS, 600);
    // Read before: marking them read on opening would be a change of its own, racing the test.
    ASSERT_EQ(msg_store::ThreadManager().readThread(threadId), msg_store::MSG_STORE_SUCCESS);
    open(threadId);
    listView()->loadOlderPage();
    elm_genlist_item_show(listView()->findBubble(ids[50])->getElmObjectItem(),
                          ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return rowY(ids[50]) != INT_MIN; }));
    // A little further, so that the top of the view cuts a row.
    int regionX = 0, regionY = 0, regionW = 0, regionH = 0;
    elm_scroller_region_get(listView()->getGenlist(), &regionX, &regionY, &regionW, &regionH);
    elm_scroller_region_show(listView()->getGenlist(), regionX, regionY + 37, regionW, regionH);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    int listY = 0, listH = 0;
    evas_object_geometry_get(listView()->getGenlist(), nullptr, &listY, nullptr, &listH);
    int count = 100;
    for (int64_t firstMs :
         {START_MS + 90 * 600 * 1000LL, START_MS + 10 * 600 * 1000LL, START_MS + 45 * 600 * 1000LL}) {
        const int read = settledTop(listY);
        ASSERT_NE(read, 0);
        // The genlist measures its queue in slices of one frame's time: next to none here, as on a
        // busy watch, so that the rows above the one read find their heights after it was shown.
        const double frameTime = ecore_animator_frametime_get();
        ecore_animator_frametime_set(1e-6);
        bulk(firstMs);
        count += BULK;
        const bool done = applied(count);
        ecore_animator_frametime_set(frameTime);
        ASSERT_TRUE(done);
        // It is shown at the top of the view; the rows above it may still settle to their heights.
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            int y = rowY(read);
            return y >= listY && y < listY + listH / 2;
        })) << "change from "
            << firstMs << ": at " << rowY(read);
        checkedBubbleIds();
    }
}

// In select mode the checked messages stay checked through a change that adds many.
TEST_F(ViewerBulkChangeTest, SelectModeKeepsItsCheckedMessages) {
    std::vector<int> ids = thread(40, START_MS, 60);
    open(threadId);
    listView()->selectMessages({ids[30], ids[39]});
    std::vector<int> added = bulk(START_MS + 100 * MINUTE_MS);
    ASSERT_TRUE(applied(40 + BULK));
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    EXPECT_EQ(listView()->getCheckedIds(), (std::vector<int>{ids[30], ids[39]}));
    EXPECT_EQ(listView()->getCheckedCount(), 2);
    for (int id : {ids[30], ids[39]}) {
        MVItemBubble* bubble = listView()->findBubble(id);
        EXPECT_TRUE(!bubble || bubble->isChecked()) << id;
    }
}

// Everything deleted in one change closes the conversation once, as the last single delete does.
TEST_F(ViewerBulkChangeTest, EverythingDeletedAtOnceClosesTheConversation) {
    thread(BULK, START_MS, 60);
    open(threadId);
    ASSERT_EQ(msg_store::ThreadManager().deleteThread(threadId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
}
