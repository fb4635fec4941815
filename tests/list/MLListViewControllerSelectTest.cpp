// Select mode of the list: entering it, counting, the bottom button, deleting and restoring one or
// several rows, cancellation, the back key and the menu entries.
#include "ListScreenFixture.h"

#include "FeedSync.h"
#include "LogCapture.h"
#include "Programs.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "device/Device.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/ThreadManager.h"

#include <cstdlib>
#include <functional>

using namespace msg_app::msg_list;
using Options = std::vector<MoreOption>;

namespace {

class SelectModeTest : public ListScreenFixture {
protected:
    void SetUp() override {
        // Results show as toasts only in the main application.
        setenv("MSG_APP_ID", msg_app::common_util::MAIN_APP_ID, 1);
        ListScreenFixture::SetUp();
    }
    void TearDown() override {
        ListScreenFixture::TearDown();
        unsetenv("MSG_APP_ID");
    }
    Options options() const {
        Options result;
        list->getOptions(result);
        return result;
    }
    std::string bottomText() const { return elm_object_text_get(list->getBottomButton()); }
    bool bottomEnabled() const { return !elm_object_disabled_get(list->getBottomButton()); }
    int folderOf(int msgId) const {
        msg_store::Message msg;
        return msg_store::MessageManager().getMessage(msgId, msg) == msg_store::MSG_STORE_SUCCESS
                   ? msg.folderType
                   : -1;
    }
    // Three conversations, newest first in the list: c, b, a; and the list over them.
    void threeConversations() {
        a = conversation("+15550001", 1, "a", "", 1600000000000);
        b = conversation("+15550002", 1, "b", "", 1650000000000);
        c = conversation("+15550003", 1, "c", "", 1700000000000);
        create(LIST_TYPE_THREAD);
    }
    bool waitDone() {
        return msg_test::runLoopUntil([&] { return !list->isBgActionRunning(); }, 8.0);
    }
    int a = -1, b = -1, c = -1;
};

TEST_F(SelectModeTest, LongPressChecksTheRowTapsCountAndTheBottomButtonDeletesItAtOnce) {
    threeConversations();
    longPress(itemOf(b));
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_EQ(list->getAction(), MLListViewController::ACTION_DELETE);
    EXPECT_EQ(list->getCheckedIds(), std::vector<int>{b});
    EXPECT_EQ(bottomText(), "Delete");
    EXPECT_TRUE(bottomEnabled());
    EXPECT_EQ(options(), Options{}) << "the conversation list offers nothing in select mode";
    tap(itemOf(c));
    EXPECT_EQ(list->getCheckedIds(), (std::vector<int>{c, b})) << "in list order";
    EXPECT_EQ(list->getCheckedCount(), 2);
    tap(itemOf(c));
    EXPECT_EQ(list->getCheckedCount(), 1);
    EXPECT_EQ(topPageName(), "host") << "a tap in select mode opens nothing";

    clickButton(list->getBottomButton());
    EXPECT_FALSE(list->isBgActionRunning()) << "one row needs no progress popup";
    EXPECT_FALSE(threadExists(b));
    EXPECT_TRUE(threadExists(a) && threadExists(c));
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    EXPECT_EQ(list->getBottomButton(), nullptr);
    EXPECT_TRUE(hasToast("Deleted."));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 2; }));
    EXPECT_EQ(itemOf(b), nullptr);
}

TEST_F(SelectModeTest, NothingCheckedDisablesTheButtonAndTheCountPopupSelectsAll) {
    threeConversations();
    list->doAction(MLListViewController::ACTION_DELETE);
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_FALSE(bottomEnabled());
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_TRUE(threadExists(a) && threadExists(b) && threadExists(c)) << "nothing checked, nothing done";

    auto clickCtxItem = [&](const std::string& text) {
        clickButton(countButton());
        std::vector<Evas_Object*> ctx = popups("Elm.Ctxpopup");
        ASSERT_EQ(ctx.size(), 1u);
        // An item is taken once the popup has faded in.
        ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(ctx[0])));
        Elm_Object_Item* it = elm_ctxpopup_first_item_get(ctx[0]);
        while (it && elm_object_item_text_get(it) != text)
            it = elm_ctxpopup_item_next_get(it);
        ASSERT_NE(it, nullptr) << text;
        elm_ctxpopup_item_selected_set(it, EINA_TRUE);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return popups("Elm.Ctxpopup").empty(); }));
    };
    clickCtxItem("Select all");
    EXPECT_EQ(list->getCheckedCount(), 3);
    EXPECT_EQ(list->getCheckedIds().size(), 3u);
    clickCtxItem("Deselect all");
    EXPECT_TRUE(list->getCheckedIds().empty());

    // A checked row that leaves the list is not counted on.
    tap(itemOf(b));
    EXPECT_TRUE(bottomEnabled());
    ASSERT_EQ(msg_store::ThreadManager().deleteThread(b), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getCheckedCount() == 0; }));
    EXPECT_FALSE(bottomEnabled());

    // Back closes the popup, then leaves select mode, then leaves the list.
    clickButton(countButton());
    ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(popups("Elm.Ctxpopup").at(0))));
    EXPECT_FALSE(list->back());
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_FALSE(list->back());
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    EXPECT_TRUE(list->back());
}

// Several rows go on the worker, held at its first row by a locked store: back is ignored
// meanwhile; left alone it does them all, while a closed popup or termination stops it after the
// first row in list order, without a result.
TEST_F(SelectModeTest, SeveralRowsGoOnTheWorkerWhichStopsAfterItsCurrentRowWhenTold) {
    const struct {
        const char* name;
        std::function<void(MLListViewController*)> stop;
    } cases[] = {
        {"left alone", nullptr},
        {"popup closed", [](MLListViewController* l) { l->destroyPopup(); }},
        {"terminating",
         [](MLListViewController*) {
             msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_TERMINATING);
         }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !hasToast("Deleted."); })) << "an earlier result";
        threeConversations();
        ASSERT_EQ(list->selectItems(MLListViewController::ACTION_DELETE, {a, b, c, 9999}), 3);
        msg_test::LogCapture log;
        {
            msg_device::Transaction lock(*msg_device::Device::getDefault()->connection());
            list->doAction(MLListViewController::ACTION_DELETE);
            ASSERT_TRUE(list->isBgActionRunning());
            ASSERT_TRUE(msg_test::runLoopUntil([&] { return log.contains("onThreadWorkerCb - Start"); }));
            EXPECT_FALSE(list->back());
            EXPECT_TRUE(list->isBgActionRunning());
            if (k.stop)
                k.stop(list);
        }
        if (k.stop) {
            ASSERT_TRUE(
                msg_test::runLoopUntil([&] { return log.contains("Failed to send feedback."); }, 8.0));
            EXPECT_FALSE(threadExists(c));
            EXPECT_TRUE(threadExists(a) && threadExists(b));
            EXPECT_FALSE(hasToast("Deleted."));
            continue;
        }
        ASSERT_TRUE(waitDone());
        EXPECT_FALSE(threadExists(a) || threadExists(b) || threadExists(c));
        EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
        EXPECT_TRUE(hasToast("Deleted."));
        EXPECT_EQ(rowAt(3)->getType(), MLItem::NO_CONTENT);
    }
}

TEST_F(SelectModeTest, ARowThatChangedSinceItWasCheckedIsLeftAloneAndTheUserIsTold) {
    threeConversations();
    list->selectItems(MLListViewController::ACTION_DELETE, {a});
    // A message the row has not shown yet: its change is still on its way.
    ASSERT_NO_FATAL_FAILURE(sim({"receive", "--from", "+15550001", "--text", "unseen"}));
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_TRUE(threadExists(a));
    EXPECT_FALSE(hasToast("Deleted."));
    EXPECT_TRUE(hasToast("Changed meanwhile, so not deleted."));
    EXPECT_EQ(list->getCheckedIds(), std::vector<int>{a}) << "still checked, to be looked at again";
}

TEST_F(SelectModeTest, OfSeveralBlockedMessagesTheUnchangedAreRestoredAndTheChangedOneIsReported) {
    std::vector<int> ids = {blockedMessage("+15550021", "x"), blockedMessage("+15550022", "y"),
                            blockedMessage("+15550023", "z")};
    create(LIST_TYPE_BLOCKED_MSG);
    list->doAction(MLListViewController::ACTION_RESTORE);
    EXPECT_EQ(bottomText(), "Unblock");
    ASSERT_EQ(list->selectItems(MLListViewController::ACTION_RESTORE, ids), 3);
    EXPECT_EQ(options(), Options{}) << "checked rows, but the action is chosen";
    ASSERT_NO_FATAL_FAILURE(sim({"delete", "--message", std::to_string(ids[1])}));
    clickButton(list->getBottomButton());
    ASSERT_TRUE(waitDone());
    EXPECT_EQ(folderOf(ids[0]), msg_store::FOLDER_WATCH_INBOX);
    EXPECT_EQ(folderOf(ids[2]), msg_store::FOLDER_WATCH_INBOX);
    EXPECT_TRUE(hasToast("Changed meanwhile, so not unblocked."));
    EXPECT_FALSE(hasToast("Unblocked."));
}

TEST_F(SelectModeTest, ConversationsWithOnlyBlockedMessagesHaveNoRow) {
    int mixed = conversation("+15550041", 1, "hi", "", 1600000000000);
    int other = conversation("+15550042", 1, "yo", "", 1650000000000);
    ASSERT_GT(blockedMessage("+15550041", "spam too"), 0);
    create(LIST_TYPE_THREAD);
    ASSERT_EQ(list->getItemCount(), 2);
    // A blocked message from a new sender brings no empty conversation.
    ASSERT_GT(blockedMessage("+15550043", "spam"), 0);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(list->getItemCount(), 2);

    // Deleting a conversation keeps its blocked messages, and so its thread, but not its row.
    list->selectItems(MLListViewController::ACTION_DELETE, {mixed});
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_FALSE(threadExists(mixed));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 1; }));
    EXPECT_NE(itemOf(other), nullptr);
}

TEST_F(SelectModeTest, BlockedListHoldsOnlyBlockedMessagesAndLeavesTheChoiceToTheMenu) {
    int first = blockedMessage("+15550011", "one");
    int second = blockedMessage("+15550012", "two");
    conversation("+15550013", 1);
    create(LIST_TYPE_BLOCKED_MSG);
    ASSERT_EQ(list->getItemCount(), 2);
    EXPECT_EQ(options(), (Options{MORE_OPTION_RESTORE, MORE_OPTION_DELETE}));
    longPress(itemOf(first));
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_EQ(list->getAction(), MLListViewController::ACTION_NONE);
    EXPECT_EQ(options(), Options{MORE_OPTION_RESTORE});
    EXPECT_EQ(bottomText(), "Delete");
    tap(itemOf(first));
    EXPECT_EQ(options(), Options{}) << "nothing checked";
    tap(itemOf(first));
    list->doAction(MLListViewController::ACTION_RESTORE);
    EXPECT_EQ(folderOf(first), msg_store::FOLDER_WATCH_INBOX);
    EXPECT_TRUE(hasToast("Unblocked."));
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    list->selectItems(MLListViewController::ACTION_DELETE, {second});
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_EQ(folderOf(second), -1) << "deleted";
}

TEST_F(SelectModeTest, AReloadPendingInSelectModeHappensOnReturn) {
    threeConversations();
    list->doAction(MLListViewController::ACTION_DELETE);
    receiveMany(51, 1500000000000, "+1444");
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    // A resume in select mode keeps the reload for later.
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(list->getItemCount(), 3);
    EXPECT_FALSE(list->back());
    EXPECT_EQ(list->getItemCount(), 54);
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
}

} // namespace
