// The list on a page of the watch's window: select mode (counting, the bottom button, deleting and
// restoring one or several rows, cancellation, the back key, the menu entries), what taps, long
// presses and the composer button open, and the screen reader's reading order.
// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "ListScreenFixture.h"

#include "FeedSync.h"
#include "LogCapture.h"
#include "RecordingScreenOpener.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "device/Device.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/ThreadManager.h"
#include "vconf.h"

#include <cstdlib>
#include <functional>
#include <tuple>

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
    int a = -1, b = -1, c = -1;
};

TEST_F(SelectModeTest, LongPressChecksTheRowTapsCountAndTheBottomButtonDeletesItAtOnceUnlessItChanged) {
    threeConversations();
    msg_test::ToolkitErrors errors;
    // The fixed rows above the conversations take no long press.
    for (int fixedRow = 0; fixedRow < 3; ++fixedRow)
        evas_object_smart_callback_call(list->getGenlist(), "longpressed",
                                        elm_genlist_nth_item_get(list->getGenlist(), fixedRow));
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    longPress(itemOf(b));
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    evas_object_smart_callback_call(list->getGenlist(), "longpressed", itemOf(b));
    EXPECT_EQ(list->getCheckedIds(), std::vector<int>{b}) << "a second long press leaves the check";
    // The conversation list offers nothing in select mode.
    EXPECT_EQ(std::make_tuple(MLListViewController::ACTION_DELETE, "Delete", true, Options{}),
              std::make_tuple(list->getAction(), bottomText(), bottomEnabled(), options()));
    tap(itemOf(c));
    EXPECT_EQ(list->getCheckedIds(), (std::vector<int>{c, b})) << "in list order";
    EXPECT_EQ(list->getCheckedCount(), 2);
    tap(itemOf(c));
    EXPECT_EQ(list->getCheckedCount(), 1);
    EXPECT_EQ(topPageName(), "host") << "a tap in select mode opens nothing";
    // The checks go with their rows' views: none is put in the window's focus graph twice.
    EXPECT_EQ(errors.containing("already registered"), std::vector<std::string>{});

    // A real tap on the bottom button, as a finger gives it.
    Evas_Object* button = list->getBottomButton();
    ASSERT_NE(button, nullptr);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_TRUE(msg_test::runLoopUntil([&] {
        evas_object_geometry_get(button, &x, &y, &w, &h);
        return w > 0 && h > 0;
    }));
    touch(x + w / 2, y + h / 2);
    EXPECT_FALSE(list->isBgActionRunning()) << "one row needs no progress popup";
    EXPECT_EQ(std::make_tuple(true, false, true),
              std::make_tuple(threadExists(a), threadExists(b), threadExists(c)));
    EXPECT_EQ(std::make_tuple(LIST_STYLE_NORMAL, nullptr, true),
              std::make_tuple(list->getListStyle(), list->getBottomButton(), hasToast("Deleted.")));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 2; }));
    EXPECT_EQ(itemOf(b), nullptr);
    // The button went with select mode while the toast showed: the toast's end touches nothing gone.
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !hasToast("Deleted."); }));
    EXPECT_EQ(errors.containing("not a valid object"), std::vector<std::string>{});

    // A row changed since it was checked is left alone and the user is told: a message it has not
    // shown yet, whose change is still on its way.
    list->selectItems(MLListViewController::ACTION_DELETE, {a});
    ASSERT_NO_FATAL_FAILURE(sim({"receive", "--from", "+15550001", "--text", "unseen"}));
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_TRUE(threadExists(a));
    EXPECT_EQ(list->getCheckedIds(), std::vector<int>{a}) << "still checked, to be looked at again";
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Changed meanwhile, so not deleted."); }));
    EXPECT_FALSE(hasToast("Deleted."));
}

TEST_F(SelectModeTest,
       NothingCheckedDisablesTheButtonTheCountPopupSelectsAllChecksFollowTheirRowsAndBackReloads) {
    threeConversations();
    list->doAction(MLListViewController::ACTION_DELETE);
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_FALSE(bottomEnabled());
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_TRUE(threadExists(a) && threadExists(b) && threadExists(c)) << "nothing checked, nothing done";

    // With none or every row checked the count's popup offers one entry: the other end.
    auto takeCountEntry = [&](const std::string& text) {
        clickButton(countButton());
        std::vector<Evas_Object*> ctx = popups("Elm.Ctxpopup");
        ASSERT_EQ(ctx.size(), 1u);
        // An item is taken once the popup has faded in.
        ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(ctx[0])));
        Elm_Object_Item* it = elm_ctxpopup_first_item_get(ctx[0]);
        ASSERT_EQ(elm_object_item_text_get(it), text);
        elm_ctxpopup_item_selected_set(it, EINA_TRUE);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return popups("Elm.Ctxpopup").empty(); }));
    };
    takeCountEntry("Select all");
    EXPECT_EQ(std::make_tuple(3, 3u), std::make_tuple(list->getCheckedCount(), list->getCheckedIds().size()));
    takeCountEntry("Deselect all");
    EXPECT_TRUE(list->getCheckedIds().empty());

    // A checked row that moves to the top with a message already read (one sent from the phone) is
    // the same row there, still checked; one that leaves the list is not counted on. (Any change
    // unchecks a row with unread messages.)
    ASSERT_EQ(msg_store::ThreadManager().readThread(b), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    tap(itemOf(b));
    EXPECT_TRUE(bottomEnabled());
    msg_store::IncomingMessage read = incoming("+15550002", "", 1800000000000);
    read.isRead = true;
    ASSERT_GT(conversation(read), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return rowAt(3) == list->findContentItem(b); }));
    EXPECT_EQ(list->getCheckedIds(), std::vector<int>{b});
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        Evas_Object* check = elm_object_item_part_content_get(itemOf(b), "elm.swallow.center_check");
        return check && elm_check_state_get(check);
    })) << "its view shows the check";
    ASSERT_EQ(msg_store::ThreadManager().deleteThread(b), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getCheckedCount() == 0; }));
    EXPECT_FALSE(bottomEnabled());

    // A resume in select mode keeps a reload for the return to normal mode.
    receiveMany(51, 1500000000000, "+1444");
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(list->getItemCount(), 2);

    // Back closes the popup, then leaves select mode, then leaves the list.
    clickButton(countButton());
    ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(popups("Elm.Ctxpopup").at(0))));
    EXPECT_FALSE(list->back());
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_FALSE(list->back());
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return list->getItemCount() == 53; })) << list->getItemCount();
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
        msg_test::ToolkitErrors errors;
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
            EXPECT_EQ(std::make_tuple(true, true, false),
                      std::make_tuple(threadExists(a), threadExists(b), threadExists(c)));
            msg_test::runLoopUntilIdle();
            EXPECT_FALSE(hasToast("Deleted."));
            continue;
        }
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !list->isBgActionRunning(); }, 8.0));
        EXPECT_FALSE(threadExists(a) || threadExists(b) || threadExists(c));
        EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Deleted."); }));
        // Nothing the toast touches as it closes has gone with the progress popup.
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !hasToast("Deleted."); }));
        EXPECT_EQ(errors.containing("not a valid object"), std::vector<std::string>{});
    }
}

// Several rows go on the worker: the unchanged messages are restored and their senders let through
// again; the one deleted meanwhile is reported.
TEST_F(SelectModeTest, OfSeveralBlockedMessagesTheUnchangedAreRestoredAndUnblockedAndTheChangedOneReported) {
    const std::vector<std::string> senders = {"+15550021", "+15550022", "+15550023"};
    std::vector<int> ids;
    for (const std::string& sender : senders) {
        ASSERT_NO_FATAL_FAILURE(sim({"block", "add", sender}));
        ids.push_back(blockedMessage(sender, "x"));
    }
    create(LIST_TYPE_BLOCKED_MSG);
    list->doAction(MLListViewController::ACTION_RESTORE);
    EXPECT_EQ(bottomText(), "Unblock");
    ASSERT_EQ(list->selectItems(MLListViewController::ACTION_RESTORE, ids), 3);
    EXPECT_EQ(options(), Options{}) << "checked rows, but the action is chosen";
    ASSERT_NO_FATAL_FAILURE(sim({"delete", "--message", std::to_string(ids[1])}));
    clickButton(list->getBottomButton());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !list->isBgActionRunning(); }, 8.0));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Changed meanwhile, so not unblocked."); }));
    EXPECT_FALSE(hasToast("Unblocked."));
    for (int i : {0, 2}) {
        EXPECT_EQ(folderOf(ids[i]), msg_store::FOLDER_WATCH_INBOX);
        msg_test::ProgramRun next = sim({"--json", "receive", "--from", senders[i], "--text", "y"});
        ASSERT_EQ(next.exitCode, 0);
        int msgId = std::atoi(next.out.c_str() + next.out.find(':') + 1);
        EXPECT_EQ(folderOf(msgId), msg_store::FOLDER_INBOX) << senders[i] << " is still blocked";
    }
}

// Each list holds only its own messages: the blocked list leaves the choice of action to the menu,
// and the conversation list shows no conversation of blocked messages only.
TEST_F(SelectModeTest, EachListHoldsOnlyItsOwnMessagesAndTheBlockedListLeavesTheChoiceToTheMenu) {
    int mixed = conversation("+15550041", 1, "hi", "", 1600000000000);
    int other = conversation("+15550042", 1, "yo", "", 1650000000000);
    ASSERT_GT(blockedMessage("+15550041", "spam too"), 0);
    int first = blockedMessage("+15550011", "one");
    int second = blockedMessage("+15550012", "two");
    create(LIST_TYPE_BLOCKED_MSG);
    ASSERT_EQ(list->getItemCount(), 3);
    longPress(itemOf(first));
    ASSERT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    EXPECT_EQ(std::make_tuple(MLListViewController::ACTION_NONE, Options{MORE_OPTION_RESTORE}, "Delete"),
              std::make_tuple(list->getAction(), options(), bottomText()));
    tap(itemOf(first));
    EXPECT_EQ(options(), Options{}) << "nothing checked";
    tap(itemOf(first));
    list->doAction(MLListViewController::ACTION_RESTORE);
    EXPECT_EQ(folderOf(first), msg_store::FOLDER_WATCH_INBOX);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Unblocked."); }));
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_NORMAL);
    list->selectItems(MLListViewController::ACTION_DELETE, {second});
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_EQ(folderOf(second), -1) << "deleted";

    // The restored message's conversation is listed; a blocked message from a new sender brings no
    // empty conversation.
    create(LIST_TYPE_THREAD);
    ASSERT_EQ(list->getItemCount(), 3);
    ASSERT_GT(blockedMessage("+15550043", "spam"), 0);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(list->getItemCount(), 3);
    // Deleting a conversation keeps its blocked messages, and so its thread, but not its row.
    list->selectItems(MLListViewController::ACTION_DELETE, {mixed});
    list->doAction(MLListViewController::ACTION_DELETE);
    EXPECT_FALSE(threadExists(mixed));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return list->getItemCount() == 2; }));
    EXPECT_NE(itemOf(other), nullptr);
}

// Whether the screen reader reads `to` right after `from`.
bool flows(const Eo* from, const Eo* to) {
    bool found = false;
    Eina_Iterator* relations = efl_access_object_relations_get(from);
    void* data = nullptr;
    EINA_ITERATOR_FOREACH(relations, data) {
        auto* relation = static_cast<Efl_Access_Relation*>(data);
        if (relation->type == EFL_ACCESS_RELATION_TYPE_FLOWS_TO)
            found = found || eina_list_data_find(relation->objects, to);
    }
    eina_iterator_free(relations);
    return found;
}

using ListAccessTest = ListScreenFixture;

// The compose button's happy road is the menu's "New message" and the compose journey's; here it is
// refused, once the reading order has been followed.
TEST_F(ListAccessTest,
       ButtonsHeaderRowsCountAndBottomButtonAreReadInOrderANewRowIsLinkedInBetweenAndComposeTellsWhyNot) {
    ASSERT_EQ(vconf_set_bool("db/setting/accessibility/tts", 1), VCONF_OK);
    RecordingScreenOpener opener;
    opener.composerError = "WDS_PN_TPOP_MEMORY_FULL_ABB";
    int older = conversation("+15550001", 1, "a", "", 1600000000000);
    int newest = conversation("+15550003", 1, "c", "", 1700000000000);
    create(LIST_TYPE_THREAD);
    auto* menu = dynamic_cast<MLItemButtonMenu*>(rowAt(1));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return menu->getContactsButton() != nullptr; }));
    Elm_Object_Item* header = elm_genlist_nth_item_get(list->getGenlist(), 2);
    EXPECT_TRUE(flows(menu->getComposeButton(), menu->getContactsButton()));
    EXPECT_TRUE(flows(menu->getContactsButton(), header));
    EXPECT_TRUE(flows(itemOf(newest), itemOf(older)));

    list->doAction(MLListViewController::ACTION_DELETE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return flows(header, countButton()); }));
    EXPECT_TRUE(flows(countButton(), itemOf(newest)));
    EXPECT_TRUE(flows(itemOf(older), list->getBottomButton()));
    EXPECT_FALSE(list->back());

    int middle = conversation("+15550002", 1, "b", "", 1650000000000);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return itemOf(middle) != nullptr; }));
    msg_test::runLoopUntilIdle();
    EXPECT_TRUE(flows(itemOf(newest), itemOf(middle)));
    EXPECT_TRUE(flows(itemOf(middle), itemOf(older)));
    EXPECT_FALSE(flows(itemOf(newest), itemOf(older))) << "the old link is gone";

    elm_layout_signal_emit(menu->getComposeButton(), "mouse,clicked,1", "event");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !opener.requests.empty(); }));
    EXPECT_EQ(opener.requests, std::vector<std::string>{"composer"});
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Memory full."); }));
    EXPECT_EQ(topPageName(), "host") << "the list stays";
}

} // namespace
