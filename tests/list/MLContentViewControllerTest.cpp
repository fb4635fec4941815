// The list screen on the watch's window over a real store: the empty blocked list and its way back,
// the menu per state, and back in and outside the main application.
#include "common/popup/AccessApi.h"

#include "LogCapture.h"
#include "RecordingScreenOpener.h"
#include "WatchScreenTest.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "list/MLContentViewController.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using msg_app::MCommonMoreOptionViewController;
using namespace msg_app::msg_list;

namespace {

using Entry = std::pair<std::string, std::string>; // text, icon group

class ListScreenTest : public WatchScreenTest {
protected:
    void SetUp() override {
        WatchScreenTest::SetUp();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
    }
    void TearDown() override {
        // The screens and the services that watch the device go before the device closes.
        list.reset();
        window->destroy();
        MLThreadListBgLoad::destroy();
        msg_app::MCommonAddrMgr::release();
        msg_test::runLoopUntilIdle();
        msg_store::ConnectionManager::disconnect();
        WatchScreenTest::TearDown();
        unsetenv("MSG_APP_ID");
    }

    void push(ListType type) {
        screen = new MLContentViewController(type);
        weakScreen = screen->getWeakPtr();
        bool pushed = false;
        ASSERT_TRUE(doAndWaitForTransition([&] { pushed = window->getNaviframeController()->push(screen); }));
        ASSERT_TRUE(pushed);
        list = screen->getListView().lock();
        ASSERT_TRUE(list);
    }

    // `count` messages from as many senders in one store transaction, as the phone delivers them;
    // the first one's id.
    int receive(msg_store::FolderType folder, int count = 1, const std::string& from = "+1555010") {
        std::vector<msg_store::IncomingMessage> messages(count);
        for (int i = 0; i < count; ++i) {
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, from + std::to_string(1000 + i)}};
            messages[i].text = "hello";
            messages[i].folderType = folder;
        }
        std::vector<int> ids;
        EXPECT_EQ(msg_store::PhoneSide::insertMessages(messages, &ids), msg_store::MSG_STORE_SUCCESS);
        return ids.empty() ? -1 : ids.front();
    }

    std::shared_ptr<MCommonMoreOptionViewController> option() { return screen->getMoreOption().lock(); }

    // What the menu offers, in order, as the panel shows it.
    std::vector<Entry> menu() {
        std::vector<Entry> entries;
        const Eina_List* l = nullptr;
        void* data = nullptr;
        EINA_LIST_FOREACH(eext_more_option_items_get(option()->getEvasObject()), l, data) {
            auto* item = static_cast<Eext_Object_Item*>(data);
            const char* text = eext_more_option_item_part_text_get(item, "selector,main_text");
            entries.emplace_back(text ? text : "",
                                 imageGroup(eext_more_option_item_part_content_get(item, "item,icon")));
        }
        return entries;
    }

    // The panel's slide comes to rest in the state.
    bool menuAt(const char* state) {
        return msg_test::runLoopUntilPartState(elm_layout_edje_get(option()->getEvasObject()),
                                               "eext.swallow.panel", state);
    }
    // The shut panel builds its entries when the loop next idles.
    bool menuComes(const std::vector<Entry>& entries) {
        return msg_test::runLoopUntil([&] { return menu() == entries; });
    }
    // Opens the panel and taps its entry.
    void tapMenu(unsigned index) {
        option()->open();
        ASSERT_TRUE(menuAt("opened"));
        auto* items = eext_more_option_items_get(option()->getEvasObject());
        clickCenter(static_cast<Eext_Object_Item*>(eina_list_nth(items, index))->obj);
    }

    int pageCount() { return window->getNaviframeController()->getPageCount(); }
    // Whether the empty view shows, the menu's entries and whether the menu's cue shows.
    std::tuple<bool, std::vector<Entry>, bool> looks() {
        return {screen->isShowingNoItem(), menu(), option()->getCueVisible()};
    }

    const Entry newMessage{"New message", "img/option/compose"};
    const Entry deleteEntry{"Delete", "img/option/delete"};
    const Entry unblock{"Unblock", "img/option/restore"};

    MLContentViewController* screen = nullptr;
    std::weak_ptr<view_kit::WViewController> weakScreen;
    std::shared_ptr<MLListViewController> list;
};

} // namespace

TEST_F(ListScreenTest, EmptyBlockedListOpensOnTheEmptyViewAndTheFirstBlockedMessagesBringTheListBack) {
    push(LIST_TYPE_BLOCKED_MSG);
    EXPECT_EQ(std::make_tuple(true, std::vector<Entry>{}, false), looks());
    Evas_Object* shown = elm_object_part_content_get(option()->getEvasObject(), "elm.swallow.content");
    EXPECT_EQ("No blocked messages", partText(shown, "elm.text"));
    EXPECT_FALSE(elm_naviframe_item_title_enabled_get(screen->getNaviframeItem()));
    EXPECT_STREQ(efl_access_object_i18n_name_get(screen->getNaviframeItem()), "Blocked messages");

    int id = receive(msg_store::FOLDER_WATCH_SPAM);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !screen->isShowingNoItem(); }));
    EXPECT_EQ(list->getItemCount(), 1);
    EXPECT_TRUE(menuComes({unblock, deleteEntry}));
    EXPECT_EQ(std::make_tuple(false, std::vector<Entry>{unblock, deleteEntry}, true), looks());
    EXPECT_TRUE(evas_object_visible_get(list->getEvasObject()));

    // And the last one leaving brings the empty view back, without a menu.
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(id), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return screen->isShowingNoItem(); }));
    EXPECT_EQ(std::make_tuple(true, std::vector<Entry>{}, false), looks());

    // More rows in one change than are inserted one by one: a reload into the empty list tells the
    // screen too.
    receive(msg_store::FOLDER_WATCH_SPAM, 60);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return list->getItemCount() == 60; }, 5.0));
    EXPECT_TRUE(menuComes({unblock, deleteEntry}));
    EXPECT_FALSE(screen->isShowingNoItem());
    EXPECT_TRUE(evas_object_visible_get(list->getEvasObject()));
}

TEST_F(ListScreenTest,
       MenuOffersNewMessageThenDeleteWhileRowsAreListedWhichSelectsAndNewMessageOpensTheComposer) {
    push(LIST_TYPE_THREAD);
    // No empty view: the list shows its own no-content row.
    EXPECT_TRUE(menuComes({newMessage}));
    EXPECT_EQ(std::make_tuple(false, std::vector<Entry>{newMessage}, true), looks());
    int first = receive(msg_store::FOLDER_INBOX);
    EXPECT_TRUE(menuComes({newMessage, deleteEntry}));
    // The last conversation leaving takes the entry away; more rows in one change than are
    // inserted one by one bring it back by a reload.
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(first), msg_store::MSG_STORE_SUCCESS);
    EXPECT_TRUE(menuComes({newMessage}));
    receive(msg_store::FOLDER_INBOX, 60, "+1555030");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return list->getItemCount() == 60; }, 5.0));
    EXPECT_TRUE(menuComes({newMessage, deleteEntry}));
    EXPECT_TRUE(evas_object_visible_get(list->getEvasObject()));

    // Delete puts the list into select mode; the menu then has nothing to offer.
    ASSERT_NO_FATAL_FAILURE(tapMenu(1));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return list->getListStyle() == LIST_STYLE_SELECT; }));
    EXPECT_EQ(list->getAction(), MLListViewController::ACTION_DELETE);
    EXPECT_EQ(std::make_tuple(false, std::vector<Entry>{}, false), looks());

    // Back closes the "select items" toast, then leaves select mode; the menu comes back.
    ASSERT_NE(findToast(), nullptr);
    pressKey("Escape");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !findToast(); }));
    EXPECT_EQ(list->getListStyle(), LIST_STYLE_SELECT);
    pressKey("Escape");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return list->getListStyle() == LIST_STYLE_NORMAL; }));
    EXPECT_TRUE(menuComes({newMessage, deleteEntry}));
    EXPECT_EQ(pageCount(), 2);

    RecordingScreenOpener opener;
    ASSERT_TRUE(menuAt("default"));
    ASSERT_NO_FATAL_FAILURE(tapMenu(0));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return pageCount() == 3; }));
    EXPECT_EQ(opener.requests, std::vector<std::string>{"composer"});
}

// An open menu stays open while messages arrive. Outside the main application back leaves the list
// once its menu is shut; the main application's list lowers its window instead (the application's
// own test follows it to the pause).
TEST_F(ListScreenTest, AnOpenMenuStaysOpenAsMessagesArriveAndBackClosesItThenPopsTheList) {
    setenv("MSG_APP_ID", "com.vorlane.msg-compose", 1);
    receive(msg_store::FOLDER_INBOX, 2);
    push(LIST_TYPE_THREAD);
    option()->open();
    ASSERT_TRUE(menuAt("opened"));
    // The lower conversation moves to the top and a new one comes: the menu's entries stay.
    msg_test::LogCapture log;
    receive(msg_store::FOLDER_INBOX);
    receive(msg_store::FOLDER_INBOX, 1, "+1555020");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return list->getItemCount() == 3; }));
    settle();
    EXPECT_TRUE(option()->isOpened());
    EXPECT_FALSE(log.contains("option is opened. close it")) << "the panel's slide out has begun";
    EXPECT_EQ((std::vector<Entry>{newMessage, deleteEntry}), menu());

    pressKey("Escape");
    ASSERT_TRUE(menuAt("default"));
    settle();
    EXPECT_EQ(std::make_tuple(false, 2, false),
              std::make_tuple(option()->isOpened(), pageCount(), weakScreen.expired()));
    list.reset();
    pressKey("Escape");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weakScreen.expired(); }));
    EXPECT_EQ(pageCount(), 1);
}

TEST_F(ListScreenTest, AScreenThatNeverMadeItsViewFreesItsList) {
    auto* unpushed = new MLContentViewController(LIST_TYPE_THREAD);
    std::weak_ptr<MLListViewController> weakList = unpushed->getListView();
    ASSERT_FALSE(weakList.expired());
    unpushed->destroy();
    EXPECT_TRUE(weakList.expired());
}
