// The list's rows as loaded and as kept live by changes that this and other processes make to
// the device: the simulated phone receiving and deleting, the device's settings.
#include "ListScreenFixture.h"

#include "LogCapture.h"
#include "common/MCommonAppEventMgr.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "list/MLReusableObjectPool.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace msg_app::msg_list;

namespace {

// A day's local time in milliseconds: today at 14:05, whose 12- and 24-hour texts differ, or
// 25 March 2020 at noon, whose day and month read differently in each order.
int64_t localMs(bool today) {
    time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    if (!today) {
        local.tm_year = 120;
        local.tm_mon = 2;
        local.tm_mday = 25;
    }
    local.tm_hour = today ? 14 : 12;
    local.tm_min = today ? 5 : 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<int64_t>(mktime(&local)) * 1000;
}

class ListLiveTest : public ListScreenFixture {
protected:
    void SetUp() override {
        ListScreenFixture::SetUp();
        vconf_set_int("db/menu_widget/regionformat_time1224", 1);
        vconf_set_int("db/setting/date_format", 1);
    }
    // The id of the content row at the genlist's index, or -1.
    int idAt(int index) {
        MLItem* row = rowAt(index);
        return row && row->getType() == MLItem::CONTENT ? static_cast<MLItemContent*>(row)->getItemId() : -1;
    }
    // Runs the loop until the row of the conversation shows the text in the part.
    bool waitShown(int threadId, const char* part, const std::string& text) {
        return msg_test::pumpUntil([&] {
            MLItemContent* row = list->findContentItem(threadId);
            return row && row->getElmObjectItem() && shown(row, part) == text;
        });
    }
};

} // namespace

// The first frame shows each row as it stays: its time, its number's size and the circle's insets
// are in that frame, not in the one after.
TEST_F(ListLiveTest, TheFirstFrameShowsTheRowsAsTheyStay) {
    for (int i = 0; i < 4; ++i)
        conversation("+1555010000" + std::to_string(i), 1, "a message longer than its line", "",
                     1700000000000 + i * 60000);
    // Each row on the screen: its time state and where its lines and time are drawn, by item. The
    // genlist may realize rows below the screen to measure them, unplaced, and drop them later.
    using Looks = std::map<Elm_Object_Item*, std::string>;
    auto looks = [&] {
        Looks out;
        Eina_List* items = elm_genlist_realized_items_get(list->getGenlist());
        void* data;
        EINA_LIST_FREE(items, data) {
            auto* item = static_cast<Elm_Object_Item*>(data);
            Evas_Object* probe = elm_object_item_part_content_get(item, "elm.swallow.inset");
            Evas_Object* view = probe ? evas_object_smart_parent_get(probe) : nullptr;
            int y = 0, w = 0, h = 0;
            if (view)
                evas_object_geometry_get(view, nullptr, &y, &w, &h);
            if (!view || w <= 0 || h <= 0 || y >= 360 || y + h <= 0)
                continue;
            double value = 0;
            std::string look = edje_object_part_state_get(view, "elm.text.3", &value);
            for (const char* part : {"elm.text.number", "elm.text.1", "elm.text.3"}) {
                int x = 0, w = 0;
                edje_object_part_geometry_get(view, part, &x, nullptr, &w, nullptr);
                look += " " + std::to_string(x) + "+" + std::to_string(w);
            }
            out[item] = look;
        }
        return out;
    };
    Looks first;
    std::function<void()> onFrame = [&] { first = first.empty() ? looks() : first; };
    Evas* canvas = evas_object_evas_get(appWindow->getEvasObject());
    auto frameCb = [](void* data, Evas*, void*) { (*static_cast<std::function<void()>*>(data))(); };
    evas_event_callback_add(canvas, EVAS_CALLBACK_RENDER_POST, frameCb, &onFrame);
    ASSERT_NO_FATAL_FAILURE(create(LIST_TYPE_THREAD));
    // On a busy machine the loop may idle before the first frame's tick.
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return !first.empty(); }));
    evas_event_callback_del_full(canvas, EVAS_CALLBACK_RENDER_POST, frameCb, &onFrame);
    ASSERT_FALSE(first.empty());
    Looks settled = looks();
    for (const auto& [item, look] : first)
        EXPECT_EQ(look, settled[item]);
}

TEST_F(ListLiveTest, DeletingElsewhereRemovesTheConversationOrShowsItsPreviousMessage) {
    int gone = conversation("+15550001", 1, "to be deleted", "", 1600000000000);
    int kept = conversation("+15550002", 1, "earlier words", "", 1600000005000);
    conversation("+15550002", 1, "latest words", "", 1600000009000);
    create(LIST_TYPE_THREAD);
    ASSERT_TRUE(waitShown(kept, "elm.text.1", "latest words"));
    sim({"delete", "--thread", std::to_string(gone)});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 1; }));
    EXPECT_EQ(list->findContentItem(gone), nullptr);

    std::vector<msg_store::Conversation> messages;
    ASSERT_EQ(msg_store::MessageManager().getConversations(kept, messages), msg_store::MSG_STORE_SUCCESS);
    ASSERT_EQ(messages.size(), 2u);
    int latest = messages[0].time > messages[1].time ? messages[0].msgId : messages[1].msgId;
    sim({"delete", "--message", std::to_string(latest)});
    EXPECT_TRUE(waitShown(kept, "elm.text.1", "earlier words"));

    // The last conversation going leaves the placeholder under the fixed rows; a new one takes
    // its place.
    sim({"delete", "--thread", std::to_string(kept)});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 0; }));
    EXPECT_EQ(rowAt(3)->getType(), MLItem::NO_CONTENT);
    int fresh = conversation("+15550003", 1);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return idAt(3) == fresh; }));
    EXPECT_EQ(elm_genlist_items_count(list->getGenlist()), 4u) << "the placeholder left";
}

TEST_F(ListLiveTest, EveryTimeAndDateFormatChangedElsewhereRedrawsTheTimes) {
    int today = conversation("+15550001", 1, "today", "", localMs(true));
    int old = conversation("+15550002", 1, "long ago", "", localMs(false));
    create(LIST_TYPE_THREAD);
    ASSERT_TRUE(waitShown(old, "elm.text.3", "03/25/2020"));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(msg_test::pumpUntil([&] {
            std::string twelveHour = shown(list->findContentItem(today), "elm.text.3");
            return twelveHour.find("2:05") != std::string::npos &&
                   twelveHour.find("14:05") == std::string::npos;
        }));
        sim({"set", "db/menu_widget/regionformat_time1224", "2", "--type", "int"});
        ASSERT_TRUE(waitShown(today, "elm.text.3", "14:05"));
        sim({"set", "db/menu_widget/regionformat_time1224", "1", "--type", "int"});
    }
    sim({"set", "db/setting/date_format", "0", "--type", "int"});
    EXPECT_TRUE(waitShown(old, "elm.text.3", "25/03/2020"));
}

TEST_F(ListLiveTest, FiftyChangesOneByOneFiftyOneReload) {
    create(LIST_TYPE_THREAD);
    {
        msg_test::LogCapture log;
        receiveMany(50, 1600000000000, "+1444");
        ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 50; }));
        EXPECT_EQ(log.count("is inserted"), 50);
    }
    msg_test::LogCapture log;
    receiveMany(51, 1700000000000, "+1333");
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return log.contains("change id cnt(51) is too many. so reload list."); }));
    // The reload shows the first screens at once; the rest follow in slices.
    EXPECT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 101; })) << list->getItemCount();
    EXPECT_EQ(log.count("is inserted"), 0);
    EXPECT_EQ(rowAt(2)->getType(), MLItem::GROUP_INDEX);
}

// A list longer than its first screens shows those before the rest, which follow on the main loop.
// Whatever happens while they come, every conversation ends up in the list once, newest first: a
// message to a conversation whose row is still to come moves it up with its unread count, select
// mode (whose select all checks every row) has every row from its start, and the conversations the
// preload reads after its first page come as well as those of a list that reads them itself.
TEST_F(ListLiveTest, RowsBeyondTheFirstScreensFollowAndWhatNeedsEveryRowGetsIt) {
    constexpr int COUNT = 150;
    receiveMany(COUNT - 1, 1600000000000, "+1444");
    const int oldest = conversation("+15550001", 1, "first", "", 1500000000000);
    enum class Meanwhile { NOTHING, MESSAGE_TO_A_ROW_TO_COME, SELECT_MODE, PRELOADED };
    int64_t now = 1700000000000;
    for (Meanwhile meanwhile : {Meanwhile::NOTHING, Meanwhile::MESSAGE_TO_A_ROW_TO_COME,
                                Meanwhile::SELECT_MODE, Meanwhile::PRELOADED}) {
        SCOPED_TRACE(static_cast<int>(meanwhile));
        if (meanwhile == Meanwhile::PRELOADED)
            MLThreadListBgLoad::getInstance()->start();
        ASSERT_NO_FATAL_FAILURE(create(LIST_TYPE_THREAD, false));
        EXPECT_LT(list->getItemCount(), COUNT) << "the first frame waits for the first screens only";
        if (meanwhile == Meanwhile::MESSAGE_TO_A_ROW_TO_COME) {
            conversation("+15550001", 1, "news", "", now += 1000);
            EXPECT_TRUE(msg_test::pumpUntil([&] { return idAt(3) == oldest; }));
            EXPECT_TRUE(waitShown(oldest, "elm.text.noti", "2"));
        } else if (meanwhile == Meanwhile::SELECT_MODE) {
            list->doAction(MLListViewController::ACTION_DELETE);
            EXPECT_EQ(list->getItemCount(), COUNT);
            EXPECT_FALSE(list->back());
        }
        ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == COUNT; }))
            << list->getItemCount();
        msg_test::runLoopUntilIdle();
        std::vector<int> ids;
        const MLItemContent* previous = nullptr;
        for (int index = 3; idAt(index) != -1; ++index) {
            auto* row = static_cast<MLItemContent*>(rowAt(index));
            EXPECT_FALSE(previous && row->isAfter(*previous)) << "row " << index << " out of order";
            ids.push_back(row->getItemId());
            previous = row;
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids.size(), static_cast<size_t>(COUNT));
        EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end()) << "a conversation shown twice";
    }
}

TEST_F(ListLiveTest, WhilePausedTheFirstFiveChangesApplyAndEveryLaterOneWaitsForTheResume) {
    using msg_app::MCommonAppEventMgr;
    conversation("+15550001", 1, "before");
    create(LIST_TYPE_THREAD);
    MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_PAUSED);
    msg_test::LogCapture log;
    for (int i = 0; i < 8; ++i)
        sim({"receive", "--from", "+1555020000" + std::to_string(i), "--text", "while away"});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return log.count("set as paused update.") == 3; }));
    EXPECT_EQ(list->getItemCount(), 6) << "five applied at once, none after the sixth";
    MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(list->getItemCount(), 9);
    EXPECT_EQ(log.count("clear all items of genlist"), 1);
}

TEST_F(ListLiveTest, FirstIdleTakesOverFromThePreload) {
    int first = conversation("+15550001", 1, "a", "", 1600000000000);
    MLThreadListBgLoad::getInstance()->start();
    msg_test::LogCapture log;
    create(LIST_TYPE_THREAD);
    EXPECT_EQ(idAt(3), first);
    int second = conversation("+15550002", 1, "b", "", 1700000000000);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return idAt(3) == second; }));
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LAUNCH_COMPLETED);
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return log.contains("do process missed storage_changed events"); }));
    EXPECT_EQ(MLThreadListBgLoad::getState(), MLThreadListBgLoad::NONE);
    EXPECT_GT(MLReusableObjectPool::getInstance()->getSize(), 0u) << "filled on the first idle";
    // The replayed insertion finds its row already there and does not add it twice.
    EXPECT_EQ(list->getItemCount(), 2);
}
