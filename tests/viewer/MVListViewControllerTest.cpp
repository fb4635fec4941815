#include "ViewerScreenFixture.h"

#include "LogCapture.h"
#include "MainLoop.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"

#include <Ecore.h>

#include <algorithm>
#include <cstdlib>

using namespace msg_app::msg_viewer;

namespace {

constexpr int64_t DAY = 24 * 3600;
// Noon, a few days before any test runs: date lines are never "Today".
constexpr int64_t START_MS = 1700049600000;

class ViewerListTest : public ViewerScreenFixture {
protected:
    void loadAll() {
        for (int i = 0; i < 100 && listView()->getLoadedCount() < listView()->getModel().getCount(); ++i)
            listView()->loadOlderPage();
    }
};

} // namespace

// A long conversation is read from its end, the rest after the first frame; what needs every
// message before that reads the rest there and then, and the late read adds nothing twice.
TEST_F(ViewerListTest, WhatNeedsEveryMessageHasItBeforeTheRestIsRead) {
    const int count = MVListViewController::FIRST_READ_SIZE + 5;
    std::vector<int> ids = thread(count, START_MS, 60);
    for (bool selectAll : {true, false}) {
        screen = new MVContentViewController(threadId);
        ASSERT_TRUE(appWindow->getNaviframeController()->push(screen, "msg_viewer"));
        ASSERT_EQ(listView()->getModel().getCount(), MVListViewController::FIRST_READ_SIZE);
        if (selectAll) {
            listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
            listView()->checkAll(true);
            EXPECT_EQ(listView()->getCheckedCount(), count);
        }
        loadAll();
        EXPECT_EQ(checkedBubbleIds(), ids) << selectAll;
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
        EXPECT_EQ(listView()->getModel().getCount(), count) << selectAll;
        EXPECT_EQ(checkedBubbleIds(), ids) << selectAll;
        if (selectAll)
            listView()->back();
    }
}

TEST_F(ViewerListTest, OldDatedInsertsAndMovesIntoAPartlyLoadedThread) {
    std::vector<int> ids = thread(65, START_MS, 60);
    open(threadId);
    int old =
        msg_test::storeMessages({msg_test::message("+15550100", "oldest", START_MS - DAY * 1000)}).front();
    // The newest message moves before every other one.
    ASSERT_EQ(msg_store::PhoneSide::setTime(ids.back(), START_MS - 2 * DAY * 1000),
              msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->getModel().getIndexOf(old) == 1; }));
    // Neither is shown before the pages above reach them; then each is shown once, in its place.
    EXPECT_EQ(listView()->findBubble(old), nullptr);
    EXPECT_EQ(listView()->findBubble(ids.back()), nullptr);
    loadAll();
    std::vector<int> expected = {ids.back(), old};
    expected.insert(expected.end(), ids.begin(), ids.end() - 1);
    EXPECT_EQ(checkedBubbleIds(), expected);
}

TEST_F(ViewerListTest, DeletesAndTimeChangesFromTheStore) {
    std::vector<int> ids = thread(40, START_MS, DAY / 4);
    open(threadId);
    // A message never loaded goes without a trace; a loaded one takes its day's line if alone.
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(ids.front()), msg_store::MSG_STORE_SUCCESS);
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(ids[39]), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->getModel().getCount() == 38; }));
    EXPECT_EQ(listView()->getLoadedCount(), 29);
    EXPECT_EQ(checkedBubbleIds().back(), ids[38]);
    // A changed time moves the bubble and its date line.
    ASSERT_EQ(msg_store::PhoneSide::setTime(ids[1], START_MS + 30 * DAY * 1000),
              msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return checkedBubbleIds().back() == ids[1]; }));
    loadAll();
    std::vector<int> shown = checkedBubbleIds();
    EXPECT_EQ(shown.size(), 38u);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), ids.front()), 0);
}

TEST_F(ViewerListTest, MarksReadOnceAndClosesOnceWhenEmptied) {
    std::vector<int> ids = thread(3, START_MS, 60);
    open(threadId);
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        msg_store::Thread thread;
        msg_store::ThreadManager().getThread(threadId, thread);
        return thread.unreadCount == 0;
    }));
    msg_test::LogCapture log;
    for (int id : ids)
        ASSERT_EQ(msg_store::MessageManager().deleteMessage(id), msg_store::MSG_STORE_SUCCESS);
    // Once the screen has left the naviframe and the loop has nothing left to do, no other close
    // can be pending.
    Evas_Object* naviframe = appWindow->getNaviframeController()->getEvasObject();
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        Eina_List* pages = elm_naviframe_items_get(naviframe);
        bool alone = eina_list_count(pages) == 1;
        eina_list_free(pages);
        return alone;
    }));
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(log.count("_onDestroyIdlerCb"), 1);
}

// The first screen of bubbles comes first, the rest of the first page just after; a user who
// scrolls up in between keeps the rows scrolled to, and the rest comes with the older pages.
// A busy machine measures the rows a few at a time, after the end was first placed by the
// heights it knew then: the end still comes to rest in the middle of the circle.
TEST_F(ViewerListTest, TheEndComesToRestInTheMiddleWhenTheRowsAreMeasuredLate) {
    thread(3, START_MS, DAY);
    // The genlist measures its queue in slices of one frame's time: next to none here.
    const double frameTime = ecore_animator_frametime_get();
    ecore_animator_frametime_set(1e-6);
    open(threadId);
    const bool idle = msg_test::runLoopUntilIdle();
    ecore_animator_frametime_set(frameTime);
    ASSERT_TRUE(idle);
    Elm_Object_Item* end = listView()->getReplyItem()->getElmObjectItem();
    Evas_Object* track = elm_object_item_track(end);
    int listY = 0, listH = 0, y = 0, h = 0;
    evas_object_geometry_get(listView()->getGenlist(), nullptr, &listY, nullptr, &listH);
    EXPECT_TRUE(msg_test::runLoopUntil([&] {
        evas_object_geometry_get(track, nullptr, &y, nullptr, &h);
        return std::abs(y + h / 2 - (listY + listH / 2)) <= 2;
    })) << "the end's middle at "
        << y + h / 2;
    elm_object_item_untrack(end);
}

// A finger that came down where the newest bubble rests, as the page slid in with its rows to be
// measured late, presses that bubble once the list rests: held, it checks it.
TEST_F(ViewerListTest, AFingerPressedAsTheConversationOpensChecksTheBubbleItRestsOn) {
    std::vector<int> ids = thread(5, START_MS, 60);
    open(threadId);
    // Once the page has slid in and takes input.
    Evas_Object* label = MVItemBubbleTestPeer::label(listView()->findBubble(ids.back()));
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        for (Evas_Object* o = label; o; o = evas_object_smart_parent_get(o)) {
            if (evas_object_freeze_events_get(o))
                return false;
        }
        return true;
    }));
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(label, &x, &y, &w, &h);
    appWindow->getNaviframeController()->pop();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));

    Evas* evas = evas_object_evas_get(appWindow->getEvasObject());
    evas_event_feed_mouse_move(evas, x + w / 2, y + h / 2, 0, nullptr);
    evas_event_feed_mouse_down(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
    const double frameTime = ecore_animator_frametime_get();
    ecore_animator_frametime_set(1e-6);
    open(threadId);
    const bool checked = msg_test::runLoopUntil([&] { return listView()->getCheckedCount() > 0; });
    ecore_animator_frametime_set(frameTime);
    evas_event_feed_mouse_up(evas, 1, EVAS_BUTTON_NONE, 0, nullptr);
    ASSERT_TRUE(checked) << "no long press";
    EXPECT_EQ(listView()->getCheckedIds(), std::vector<int>{ids.back()});
}

TEST_F(ViewerListTest, TheBezelTurnedWhileTheFirstPageComesInIsNotUndone) {
    std::vector<int> ids = thread(45, START_MS, 60);
    // The bezel turns up as soon as the first screen of bubbles is drawn. A busy machine may have
    // brought the rest of the page in before that: the conversation is then opened again.
    struct Turn {
        Evas* evas = nullptr;
        MVListViewController* list = nullptr;
        bool realized = false;
        bool asked = false;
        bool turned = false;
        bool early = false; // the rest of the first page was in before the bezel turned
    } turn;
    Evas_Smart_Cb shown = [](void* data, Evas_Object*, void*) { static_cast<Turn*>(data)->realized = true; };
    Evas_Event_Cb drawn = [](void* data, Evas*, void*) {
        auto* t = static_cast<Turn*>(data);
        if (!t->realized || t->asked)
            return;
        t->asked = true;
        ecore_job_add(
            [](void* job) {
                auto* t = static_cast<Turn*>(job);
                t->early = t->list->getLoadedCount() != MVListViewController::FIRST_SCREEN_SIZE;
                for (int i = 0; i < 3; ++i)
                    evas_event_feed_mouse_wheel(t->evas, 0, -1, 0, nullptr);
                t->turned = true;
            },
            t);
    };
    Evas_Object* genlist = nullptr;
    for (int attempt = 0; attempt < 5 && (attempt == 0 || turn.early); ++attempt) {
        if (attempt > 0) {
            appWindow->getNaviframeController()->pop();
            ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
        }
        screen = new MVContentViewController(threadId);
        ASSERT_TRUE(appWindow->getNaviframeController()->push(screen, "msg_viewer"));
        genlist = listView()->getGenlist();
        turn = Turn();
        turn.evas = evas_object_evas_get(genlist);
        turn.list = listView();
        evas_event_feed_mouse_move(turn.evas, 180, 180, 0, nullptr);
        evas_object_smart_callback_add(genlist, "realized", shown, &turn);
        evas_event_callback_add(turn.evas, EVAS_CALLBACK_RENDER_POST, drawn, &turn);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return turn.turned; }));
        evas_object_smart_callback_del_full(genlist, "realized", shown, &turn);
        evas_event_callback_del_full(turn.evas, EVAS_CALLBACK_RENDER_POST, drawn, &turn);
    }
    if (turn.early)
        GTEST_SKIP() << "the first page was complete before the first frame every time";
    // The list glides to where the bezel sent it; then everything else has its turn.
    bool glided = false;
    Evas_Smart_Cb stopped = [](void* data, Evas_Object*, void*) { *static_cast<bool*>(data) = true; };
    evas_object_smart_callback_add(genlist, "scroll,anim,stop", stopped, &glided);
    msg_test::runLoopUntil([&] { return glided; }, 3.0);
    evas_object_smart_callback_del_full(genlist, "scroll,anim,stop", stopped, &glided);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());

    // Still where the bezel took it: a bubble in the middle, not the end of the conversation.
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(genlist, &x, &y, &w, &h);
    auto* middle = static_cast<MVItem*>(
        elm_object_item_data_get(elm_genlist_at_xy_item_get(genlist, x + w / 2, y + h / 2, nullptr)));
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->getType(), MVItem::BUBBLE);
    Evas_Object* button = listView()->getReplyItem()->getButton();
    int buttonY = 0;
    if (button && evas_object_visible_get(button))
        evas_object_geometry_get(button, nullptr, &buttonY, nullptr, nullptr);
    EXPECT_TRUE(!button || !evas_object_visible_get(button) || buttonY > y + h / 2) << "the end came back";
    // The older messages follow as the top is reached.
    int loaded = listView()->getLoadedCount();
    listView()->loadOlderPage();
    EXPECT_GT(listView()->getLoadedCount(), loaded);
    EXPECT_EQ(checkedBubbleIds(), std::vector<int>(ids.end() - listView()->getLoadedCount(), ids.end()));
}
