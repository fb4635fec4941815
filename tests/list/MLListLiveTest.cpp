// The conversation list kept live by changes that other processes make to the device: the
// simulated phone receiving and deleting, the address book, the device's settings.
#include "ListRowFixture.h"

#include "FeedSync.h"
#include "LogCapture.h"
#include "Programs.h"
#include "common/MCommonAppEventMgr.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"

#include <ctime>
#include <string>
#include <vector>

using namespace msg_app::msg_list;

namespace {

// Today at 14:05 local time, in milliseconds: a time whose 12- and 24-hour texts differ.
int64_t todayAfternoonMs() {
    time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    local.tm_hour = 14;
    local.tm_min = 5;
    local.tm_sec = 0;
    return static_cast<int64_t>(mktime(&local)) * 1000;
}

// 25 March 2020, noon local time: its day and month read differently in each order.
int64_t longAgoMs() {
    tm local{};
    local.tm_year = 120;
    local.tm_mon = 2;
    local.tm_mday = 25;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    return static_cast<int64_t>(mktime(&local)) * 1000;
}

class ListLiveTest : public ListRowFixture {
protected:
    void SetUp() override {
        ListRowFixture::SetUp();
        vconf_set_int("db/menu_widget/regionformat_time1224", 1);
        vconf_set_int("db/setting/date_format", 1);
    }
    void TearDown() override {
        if (list)
            list->destroy();
        MLThreadListBgLoad::destroy();
        ListRowFixture::TearDown();
    }
    void createList() {
        list = new MLListViewController(LIST_TYPE_THREAD);
        ASSERT_TRUE(list->create(window->win(), nullptr));
        evas_object_resize(list->getEvasObject(), 360, 360);
        evas_object_show(list->getEvasObject());
        evas_object_smart_callback_add(list->getGenlist(), "realized", _countRealizedCb, &realizedCount);
    }
    // msg-sim on this test's device; its exit code must be 0.
    std::string sim(std::vector<std::string> args) {
        args.insert(args.begin(), {"--device", device.path()});
        msg_test::ProgramRun run = msg_test::runProgram("msg-sim", args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }
    // The content row at a position below the fixed rows, or null.
    MLItemContent* contentAt(int position) {
        int index = 0;
        for (Elm_Object_Item* it = elm_genlist_first_item_get(list->getGenlist()); it;
             it = elm_genlist_item_next_get(it)) {
            auto* row = static_cast<MLItem*>(elm_object_item_data_get(it));
            if (row && row->getType() == MLItem::CONTENT && index++ == position)
                return static_cast<MLItemContent*>(row);
        }
        return nullptr;
    }
    // Runs the loop until the row of the conversation shows the text in the part.
    bool waitShown(int threadId, const char* part, const std::string& text) {
        return msg_test::pumpUntil([&] {
            MLItemContent* row = list->findContentItem(threadId);
            return row && row->getElmObjectItem() && shown(row, part) == text;
        });
    }
    static void _countRealizedCb(void* data, Evas_Object*, void*) { ++*static_cast<int*>(data); }

    MLListViewController* list = nullptr;
    int realizedCount = 0;
};

} // namespace

TEST_F(ListLiveTest, AMessageReceivedElsewhereMovesItsConversationUpOrStartsOne) {
    int older = conversation("+15550001", 1, "old news", "", 1600000000000);
    int newer = conversation("+15550002", 1, "newer", "", 1700000000000);
    ASSERT_NO_FATAL_FAILURE(createList());
    ASSERT_EQ(contentAt(0)->getItemId(), newer);
    ASSERT_EQ(list->getItemCount(), 2);

    sim({"receive", "--from", "+15550001", "--text", "Running <late> & sorry"});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contentAt(0) && contentAt(0)->getItemId() == older; }));
    MLItemContent* top = contentAt(0);
    ASSERT_TRUE(waitRealized(top));
    EXPECT_EQ(shown(top, "elm.text.1"), "Running <late> & sorry");
    EXPECT_EQ(shown(top, "elm.text.noti"), "2");
    EXPECT_EQ(contentAt(1)->getItemId(), newer);

    std::string out = sim({"receive", "--from", "+15550099", "--text", "Hello from a stranger", "--json"});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 3; }));
    EXPECT_NE(out.find("\"thread\""), std::string::npos) << out;
    MLItemContent* fresh = contentAt(0);
    EXPECT_NE(fresh->getItemId(), older);
    EXPECT_NE(fresh->getItemId(), newer);
    ASSERT_TRUE(waitRealized(fresh));
    EXPECT_EQ(shown(fresh, "elm.text.1"), "Hello from a stranger");
    EXPECT_EQ(shown(fresh, "elm.text.noti"), "1");
}

TEST_F(ListLiveTest, DeletingElsewhereRemovesTheConversationOrShowsItsPreviousMessage) {
    int gone = conversation("+15550001", 1, "to be deleted", "", 1600000000000);
    int kept = conversation("+15550002", 1, "earlier words", "", 1600000005000);
    conversation("+15550002", 1, "latest words", "", 1600000009000);
    ASSERT_NO_FATAL_FAILURE(createList());
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
    EXPECT_EQ(list->getItemCount(), 1);

    // The last conversation going leaves the placeholder under the fixed rows.
    sim({"delete", "--thread", std::to_string(kept)});
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 0; }));
    Elm_Object_Item* last = elm_genlist_last_item_get(list->getGenlist());
    ASSERT_TRUE(last);
    EXPECT_EQ(static_cast<MLItem*>(elm_object_item_data_get(last))->getType(), MLItem::NO_CONTENT);
}

TEST_F(ListLiveTest, AContactAddedElsewhereRenamesItsRows) {
    int threadId = conversation("+15550123", 1, "who is this?");
    int other = conversation("+15550124", 1, "someone else");
    ASSERT_NO_FATAL_FAILURE(createList());
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        MLItemContent* row = list->findContentItem(threadId);
        return row && shown(row, "elm.text").find("5550123") != std::string::npos;
    }));
    std::string otherName = shown(list->findContentItem(other), "elm.text");

    sim({"contact", "add", "--name", "Jamie <Fox>", "--number", "+15550123"});
    EXPECT_TRUE(waitShown(threadId, "elm.text", "Jamie <Fox>"));
    EXPECT_EQ(shown(list->findContentItem(other), "elm.text"), otherName);
}

TEST_F(ListLiveTest, TimeAndDateFormatsChangedElsewhereRedrawTheTimes) {
    int today = conversation("+15550001", 1, "today", "", todayAfternoonMs());
    int old = conversation("+15550002", 1, "long ago", "", longAgoMs());
    ASSERT_NO_FATAL_FAILURE(createList());
    MLItemContent* todayRow = list->findContentItem(today);
    MLItemContent* oldRow = list->findContentItem(old);
    ASSERT_TRUE(waitRealized(todayRow));
    ASSERT_TRUE(waitRealized(oldRow));
    std::string twelveHour = shown(todayRow, "elm.text.3");
    EXPECT_NE(twelveHour.find("2:05"), std::string::npos) << twelveHour;
    EXPECT_EQ(twelveHour.find("14:05"), std::string::npos) << twelveHour;
    EXPECT_EQ(shown(oldRow, "elm.text.3"), "03/25/2020");

    sim({"set", "db/menu_widget/regionformat_time1224", "2", "--type", "int"});
    EXPECT_TRUE(waitShown(today, "elm.text.3", "14:05"));

    sim({"set", "db/setting/date_format", "0", "--type", "int"});
    EXPECT_TRUE(waitShown(old, "elm.text.3", "25/03/2020"));
    EXPECT_EQ(shown(list->findContentItem(today), "elm.text.3"), "14:05")
        << "today's rows show the time only";
}

TEST_F(ListLiveTest, ALanguageChangeDrawsTheShownRowsAgain) {
    conversation("+15550001", 1, "one");
    conversation("+15550002", 1, "two");
    ASSERT_NO_FATAL_FAILURE(createList());
    ASSERT_TRUE(waitRealized(contentAt(0)));
    msg_test::runLoopUntilIdle();
    sim({"set", "db/menu_widget/language", "en_GB", "--type", "string"});
    int before = realizedCount;
    // The application framework reports the new language to the application.
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGED);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return realizedCount >= before + 2; }));
    EXPECT_EQ(shown(contentAt(0), "elm.text.1"), "two");
}

TEST_F(ListLiveTest, SixtyConversationsInOneChangeReloadTheListOnce) {
    conversation("+15550001", 1, "before");
    ASSERT_NO_FATAL_FAILURE(createList());
    msg_test::LogCapture log;
    msg_test::ProgramRun run =
        msg_test::runProgram("msg-list-bulk-writer", {"--device", device.path(), "--conversations", "60"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 61; }));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(log.count("is too many. so reload list."), 1);
    EXPECT_EQ(log.count("clear all items of genlist"), 1);
    EXPECT_EQ(log.count(">>>>> new item("), 0) << "no row is inserted one by one";
    ASSERT_TRUE(waitRealized(contentAt(0)));
    EXPECT_EQ(shown(contentAt(0), "elm.text.1"), "bulk 59");
}

TEST_F(ListLiveTest, WhilePausedTheFirstFiveChangesApplyAndEveryLaterOneWaitsForTheResume) {
    using msg_app::MCommonAppEventMgr;
    conversation("+15550001", 1, "before");
    ASSERT_NO_FATAL_FAILURE(createList());
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

TEST_F(ListLiveTest, InTheForegroundEveryClockChangeIsDrawn) {
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    int today = conversation("+15550001", 1, "today", "", todayAfternoonMs());
    ASSERT_NO_FATAL_FAILURE(createList());
    ASSERT_TRUE(waitRealized(list->findContentItem(today)));
    for (int round = 0; round < 4; ++round) {
        sim({"set", "db/menu_widget/regionformat_time1224", "2", "--type", "int"});
        ASSERT_TRUE(waitShown(today, "elm.text.3", "14:05")) << round;
        sim({"set", "db/menu_widget/regionformat_time1224", "1", "--type", "int"});
        ASSERT_TRUE(msg_test::pumpUntil([&] {
            return shown(list->findContentItem(today), "elm.text.3").find("14:05") == std::string::npos;
        })) << round;
    }
}
