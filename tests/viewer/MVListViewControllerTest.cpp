#include "ViewerScreenFixture.h"

#include "LogCapture.h"
#include "common/MCommonAppEventMgr.h"
#include "common/ui/MCommonFont.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVItem/MVItemReply.h"

#include <Ecore.h>
#include <vconf.h>

#include <algorithm>
#include <array>
#include <climits>

namespace msg_app {
namespace msg_viewer {
class MVListViewControllerTestPeer {
public:
    static size_t aheadBubbles(const MVListViewController& list) { return list._aheadBubbles.size(); }
};
} // namespace msg_viewer
} // namespace msg_app

using namespace msg_app::msg_viewer;

namespace {

constexpr int64_t DAY = 24 * 3600;

class ViewerListTest : public ViewerScreenFixture {
protected:
    void loadAll() {
        for (int i = 0; i < 100 && listView()->getLoadedCount() < listView()->getModel().getCount(); ++i)
            listView()->loadOlderPage();
    }
    int activeThread() const {
        int active = -1;
        msg_store::ThreadManager().getActiveThreadId(active);
        return active;
    }
    // A raw notice on the store's content-changed topic, as another process could write it.
    static void announceContentChange(const std::string& payload) {
        msg_device::Device::getDefault()->write([&](msg_device::Connection&, msg_device::ChangeLog& log) {
            log.append(msg_store::ConnectionManager::topicOf(msg_store::EVENT_TYPE_CONTENT_CHANGED), payload);
            return true;
        });
    }
};

// A long conversation is read from its end, the rest after the first frame; what needs every
// message before that reads the rest there and then, and the late read adds nothing twice.
TEST_F(ViewerListTest, WhatNeedsEveryMessageHasItBeforeTheRestIsRead) {
    const int count = MVListViewController::FIRST_READ_SIZE + 5;
    std::vector<int> ids = thread(count);
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

TEST_F(ViewerListTest, DeletesInsertsAndTimeChangesFromTheStoreInAPartlyLoadedThread) {
    std::vector<int> ids = openThread(40, DAY / 4);
    // A message never loaded goes without a trace; a loaded one takes its day's line if alone.
    for (int id : {ids.front(), ids[39]})
        ASSERT_EQ(msg_store::MessageManager().deleteMessage(id), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->getModel().getCount() == 38; }));
    EXPECT_EQ(listView()->getLoadedCount(), 29);
    EXPECT_EQ(checkedBubbleIds().back(), ids[38]);
    // A changed time moves the bubble and its date line.
    ASSERT_EQ(msg_store::PhoneSide::setTime(ids[1], START_MS + 30 * DAY * 1000),
              msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return checkedBubbleIds().back() == ids[1]; }));
    // An old-dated message, and a loaded one moved before every other: neither is shown before the
    // pages above reach them; then each is shown once, in its place.
    int old =
        msg_test::storeMessages({msg_test::message("+15550100", "oldest", START_MS - DAY * 1000)}).front();
    ASSERT_EQ(msg_store::PhoneSide::setTime(ids[38], START_MS - 2 * DAY * 1000),
              msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->getModel().getIndexOf(old) == 1; }));
    EXPECT_EQ(listView()->findBubble(old), nullptr);
    EXPECT_EQ(listView()->findBubble(ids[38]), nullptr);
    loadAll();
    std::vector<int> expected = {ids[38], old};
    expected.insert(expected.end(), ids.begin() + 2, ids.begin() + 38);
    expected.push_back(ids[1]);
    EXPECT_EQ(checkedBubbleIds(), expected);
}

// The next older page's bubbles are made while the list rests and go in when the top is reached:
// as the store, the selection and the clock's format are then, not as they were when made.
TEST_F(ViewerListTest, APageMadeAheadGoesInAsTheStoreTheSelectionAndTheClockAreThen) {
    std::vector<int> ids = openThread(65);
    auto madeAhead = [&](size_t count) {
        return msg_test::pumpUntil(
            [&] { return MVListViewControllerTestPeer::aheadBubbles(*listView()) == count; });
    };
    ASSERT_TRUE(madeAhead(MVListViewController::PAGE_SIZE));
    // A second later stays in its place.
    const int moved = ids[20];
    const int64_t movedMs = START_MS + 20 * 60 * 1000 + 1000;
    ASSERT_EQ(msg_store::PhoneSide::setTime(moved, movedMs), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        std::shared_ptr<msg_store::Conversation> conv;
        return listView()->getModel().getConvById(moved, conv) && conv->time == movedMs;
    }));
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    ASSERT_TRUE(loadOlderPage());
    ASSERT_NE(listView()->findBubble(moved), nullptr);
    EXPECT_EQ(listView()->findBubble(moved)->getConv()->time, movedMs);
    EXPECT_EQ(listView()->findBubble(ids[10])->getViewType(), VIEW_TYPE_SELECT);

    // The last five, made ahead in the 12-hour clock, go in after it became the 24-hour one.
    ASSERT_TRUE(madeAhead(5));
    const char* key = "db/menu_widget/regionformat_time1224";
    int format = 0;
    ASSERT_EQ(vconf_get_int(key, &format), 0);
    const std::string before = timeText(START_MS);
    ASSERT_EQ(vconf_set_int(key, format == 2 ? 1 : 2), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return timeText(START_MS) != before; }));
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    ASSERT_TRUE(loadOlderPage());
    ASSERT_NE(listView()->findBubble(ids[0]), nullptr);
    EXPECT_EQ(listView()->findBubble(ids[0])->getTimeText(), timeText(START_MS));
    EXPECT_EQ(checkedBubbleIds(), ids);
    EXPECT_EQ(vconf_set_int(key, format), 0);
}

// Open, the conversation is marked read and active, but not while paused; content changes with
// garbage ids change nothing. Emptied, it closes once and is no longer active.
TEST_F(ViewerListTest, MarksReadIsActiveWhileInFrontAndClosesOnceWhenEmptied) {
    std::vector<int> ids = openThread(3);
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        msg_store::Thread thread;
        msg_store::ThreadManager().getThread(threadId, thread);
        return thread.unreadCount == 0;
    }));
    EXPECT_EQ(activeThread(), threadId);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_PAUSED);
    EXPECT_EQ(activeThread(), 0);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(activeThread(), threadId);

    msg_test::LogCapture log;
    for (const char* payload : {"content_changed_success:abc", "content_changed_success:99999999999",
                                "content_changed_success:", "content_changed_success:12x", "other:5"})
        announceContentChange(payload);
    announceContentChange("content_changed_success:" + std::to_string(ids.back()));
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return log.contains("msgId [" + std::to_string(ids.back()) + "]"); }));
    EXPECT_EQ(listView()->getModel().getCount(), 3);
    EXPECT_EQ(checkedBubbleIds(), ids);

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
    EXPECT_EQ(activeThread(), 0);
}

// A finger that came down where the newest bubble rests, as the page slid in with its rows to be
// measured late, presses that bubble once the list rests: held, it checks it.
TEST_F(ViewerListTest, AFingerPressedAsTheConversationOpensChecksTheBubbleItRestsOn) {
    std::vector<int> ids = openThread(5);
    // Once the page has slid in and takes input.
    Evas_Object* label = labelOf(ids.back());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return isUnderFinger(label); }));
    auto [x, y, w, h] = msg_test::boxOf(label);
    ASSERT_TRUE(backToHost());
    msg_test::press(evas(), x + w / 2, y + h / 2);
    bool checked = false;
    {
        BusyFrames busy;
        open(threadId);
        checked = msg_test::runLoopUntil([&] { return listView()->getCheckedCount() > 0; });
    }
    msg_test::release(evas());
    ASSERT_TRUE(checked) << "no long press";
    EXPECT_EQ(listView()->getCheckedIds(), std::vector<int>{ids.back()});
}

TEST_F(ViewerListTest, TheBezelTurnedWhileTheFirstPageComesInIsNotUndone) {
    std::vector<int> ids = thread(45);
    // The bezel turns up as soon as the first screen of bubbles is drawn. A busy machine may have
    // brought the rest of the page in before that: the conversation is then opened again.
    struct Turn {
        Evas* evas = nullptr;
        MVListViewController* list = nullptr;
        // early: the rest of the first page was in before the bezel turned.
        bool realized = false, asked = false, turned = false, early = false;
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
        ASSERT_TRUE(attempt == 0 || backToHost());
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
    untilSignal(genlist, "scroll,anim,stop", nullptr, 3.0);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());

    // Still where the bezel took it: a bubble in the middle, not the end of the conversation.
    auto [x, y, w, h] = msg_test::boxOf(genlist);
    auto* middle = static_cast<MVItem*>(
        elm_object_item_data_get(elm_genlist_at_xy_item_get(genlist, x + w / 2, y + h / 2, nullptr)));
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->getType(), MVItem::BUBBLE);
    Evas_Object* button = listView()->getReplyItem()->getButton();
    EXPECT_TRUE(!button || !evas_object_visible_get(button) || msg_test::boxOf(button)[1] > y + h / 2)
        << "the end came back";
    // The older messages follow as the top is reached.
    int loaded = listView()->getLoadedCount();
    listView()->loadOlderPage();
    EXPECT_GT(listView()->getLoadedCount(), loaded);
    EXPECT_EQ(checkedBubbleIds(), std::vector<int>(ids.end() - listView()->getLoadedCount(), ids.end()));
}

// An older page goes in a few rows a turn of the loop, the rest while the list is still: rows put
// in above a drag or a glide would throw it off by their height. What the user reads stays put, and
// the rest follows the store as it is when it goes in.
TEST_F(ViewerListTest, AnOlderPageGoesInAFewRowsATimeWhileTheListIsStill) {
    std::vector<int> ids = openThread(100);
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    Evas_Object* genlist = listView()->getGenlist();
    const int first = listView()->getLoadedCount();
    auto added = [&] { return listView()->getLoadedCount() - first; };
    const int step = MVListViewController::PAGE_STEP, page = MVListViewController::PAGE_SIZE;

    // A finger on the list: the rest waits for it to let go, or for the top reached again.
    evas_object_smart_callback_call(genlist, "scroll,drag,start", nullptr);
    listView()->loadOlderPage();
    EXPECT_EQ(added(), step);
    const int read = ids[ids.size() - first - step];
    listView()->loadOlderPage();
    // At the top, where the top was reached.
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return rowY(read) != INT_MIN; }));
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(added(), 2 * step);
    const int readY = rowY(read);
    // Meanwhile the store loses a message the rest was to bring: the rest goes on without it.
    const int gone = ids[ids.size() - first - 2 * step - 3];
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(gone), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->getModel().getCount() == 99; }));
    ids.erase(std::find(ids.begin(), ids.end(), gone));

    evas_object_smart_callback_call(genlist, "scroll,drag,stop", nullptr);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return added() == page; }));
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_EQ(rowY(read), readY);
    EXPECT_EQ(checkedBubbleIds(), std::vector<int>(ids.end() - first - page, ids.end()));
    // The next top reached starts the next page.
    listView()->loadOlderPage();
    EXPECT_EQ(added(), page + step);
}

// Many messages in one change of the store while the conversation is open: the page is built again
// instead of row by row, and the user keeps what the screen promised (the place read, the newest
// message at the end, the checked messages, the unread ones marked read).

constexpr int64_t MINUTE_MS = 60 * 1000;
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
            // Without a new frame the answer is the last frame's.
            if (frames == seen)
                return top != 0 && alike >= 3;
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
        std::vector<Elm_Object_Item*> shown = msg_test::realizedItems(listView()->getGenlist());
        return std::count(shown.begin(), shown.end(), item) > 0;
    }
};

// At the end of the conversation the page is built again around the newest message, unread
// messages are marked read in one write, and the page holds a page, not the whole change.
TEST_F(ViewerBulkChangeTest, AtTheEndTheNewestStaysInViewAllIsMarkedReadAndTheCheckedStayChecked) {
    std::vector<int> ids = thread(40);
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

    // In select mode the checked messages stay checked.
    listView()->selectMessages({ids[30], ids[39]});
    bulk(START_MS + 600 * MINUTE_MS);
    ASSERT_TRUE(applied(40 + 2 * BULK + 1));
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    EXPECT_EQ(listView()->getCheckedIds(), (std::vector<int>{ids[30], ids[39]}));
    EXPECT_EQ(listView()->getCheckedCount(), 2);
    for (int id : {ids[30], ids[39]}) {
        MVItemBubble* bubble = listView()->findBubble(id);
        EXPECT_TRUE(!bubble || bubble->isChecked()) << id;
    }
    // Everything deleted in one change closes the conversation, as the last single delete does.
    ASSERT_EQ(msg_store::ThreadManager().deleteThread(threadId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
}

// Reading older messages, the bubble read stays at the top of the screen, whether the change lands
// below it, above it or right above it.
TEST_F(ViewerBulkChangeTest, ReadingOlderMessagesTheRowReadStaysInPlace) {
    std::vector<int> ids = thread(100, 600);
    // Read before: marking them read on opening would be a change of its own, racing the test.
    ASSERT_EQ(msg_store::ThreadManager().readThread(threadId), msg_store::MSG_STORE_SUCCESS);
    open(threadId);
    ASSERT_TRUE(loadOlderPage());
    showAtMiddle(ids[50]);
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
        {
            BusyFrames busy;
            bulk(firstMs);
            ASSERT_TRUE(applied(count += BULK));
        }
        // It is shown at the top of the view; the rows above it may still settle to their heights.
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            int y = rowY(read);
            return y >= listY && y < listY + listH / 2;
        })) << "change from "
            << firstMs << ": at " << rowY(read);
        checkedBubbleIds();
    }
}

using ViewerActionTest = ViewerScreenFixture;

} // namespace

TEST_F(ViewerActionTest, ASenderThatIsANameHasNoReplyRow) {
    storeThread({msg_test::message("Emergency alert", "Take shelter", START_MS)});
    open(threadId);
    EXPECT_EQ(listView()->getReplyItem(), nullptr);
}

// The body text follows the double tap and the user's text size, as drawn in the bubbles.
TEST_F(ViewerActionTest, BodyTextSizeFollowsTheDoubleTapAndTheUserSetting) {
    // The font helper watches the settings of the device it started on: this test's one.
    msg_app::MCommonFont::destroy();
    std::vector<int> ids = openThread(3);
    // The height of the newest bubble's laid-out lines, once it is not `unlike`.
    auto textHeight = [&](Evas_Coord unlike) {
        Evas_Coord height = -1;
        msg_test::pumpUntil([&] {
            Evas_Object* label = labelOf(ids.back());
            Evas_Object* textblock = label ? elm_entry_textblock_get(label) : nullptr;
            if (textblock)
                evas_object_textblock_size_formatted_get(textblock, nullptr, &height);
            return height > 0 && height != unlike;
        });
        return height;
    };
    auto setUserSize = [](int setting, msg_app::MCommonFont::Size size) {
        ASSERT_EQ(vconf_set_int("db/setting/accessibility/font_size", setting), 0);
        ASSERT_TRUE(
            msg_test::pumpUntil([&] { return msg_app::MCommonFont::getInstance()->getSize() == size; }));
    };
    ASSERT_EQ(msg_app::MCommonFont::getInstance()->getSize(), msg_app::MCommonFont::SIZE_NORMAL);
    Evas_Coord normal = textHeight(-1);
    listView()->toggleFontSize(180);
    EXPECT_GT(textHeight(normal), normal);
    listView()->toggleFontSize(180);
    EXPECT_EQ(textHeight(-1), normal);

    // The user picks the small size in the settings while the conversation is open.
    setUserSize(0, msg_app::MCommonFont::SIZE_SMALL);
    Evas_Coord small = textHeight(normal);
    EXPECT_LT(small, normal);
    // The large text of a double tap stays through a settings change, and goes back to the new size.
    listView()->toggleFontSize(180);
    EXPECT_GT(textHeight(small), normal);
    setUserSize(1, msg_app::MCommonFont::SIZE_NORMAL);
    EXPECT_EQ(MVConversationActionsTestPeer::fontSize(listView()), msg_app::MCommonFont::SIZE_HUGE);
    listView()->toggleFontSize(180);
    EXPECT_EQ(textHeight(-1), normal);
    msg_app::MCommonFont::destroy();
}

TEST_F(ViewerActionTest, TappingAnMmsStillOnThePhoneAsksAndRequestsIt) {
    auto mms = msg_test::message("+15550100", "", START_MS);
    mms.msgType = "mms";
    mms.subject = "Holiday photos";
    mms.networkStatus = msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
    int msgId = storeThread({mms}).front();
    // Cancel leaves it on the phone; OK asks the phone for it.
    for (const char* button : {"button1", "button2"}) {
        SCOPED_TRACE(button);
        open(threadId);
        MVItemBubble* bubble = listView()->findBubble(msgId);
        ASSERT_NE(bubble, nullptr);
        bubble->onSelect(bubble->getElmObjectItem());
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !popups("Elm.Popup").empty(); }));
        Evas_Object* popup = popups("Elm.Popup").back();
        const char* text = elm_object_part_text_get(elm_object_content_get(popup), "elm.text");
        EXPECT_STREQ(text, "View this multimedia message?");
        Evas_Object* ok = elm_object_part_content_get(popup, button);
        ASSERT_NE(ok, nullptr);
        bool closed = false;
        evas_object_event_callback_add(
            popup, EVAS_CALLBACK_DEL,
            [](void* data, Evas*, Evas_Object*, void*) { *static_cast<bool*>(data) = true; }, &closed);
        evas_object_smart_callback_call(ok, "clicked", nullptr);
        auto asked = [&] {
            std::vector<msg_store::PhoneRequest> requests;
            msg_store::PhoneSide::getRequests(requests);
            return std::any_of(requests.begin(), requests.end(), [&](const msg_store::PhoneRequest& r) {
                return r.kind == "download_mms" && r.msgId == msgId;
            });
        };
        // The popup goes once its button has done what it does.
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return closed; }));
        EXPECT_EQ(asked(), std::string(button) == "button2");
        ASSERT_TRUE(backToHost());
    }
}
