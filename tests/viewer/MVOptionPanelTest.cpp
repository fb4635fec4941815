#include "ViewerScreenFixture.h"

#include "AppRegistry.h"
#include "FeedSync.h"
#include "Programs.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonMsgSvc.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "viewer/MVLocationLink.h"
#include "viewer/MVRecipientContentViewController.h"
#include "viewer/MVRecipientDetailContentViewController.h"
#include "viewer/MVRecipientItemNumber.h"
#include "viewer/MVRecipientItemTitle.h"

#include <algorithm>
#include <tuple>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;

namespace {

constexpr const char* NUMBER = "+15550100042";

class OptionPanelTest : public ViewerActionFixture {
protected:
    bool offers(MoreOption option) const {
        std::vector<MoreOption> offered = options();
        return std::find(offered.begin(), offered.end(), option) != offered.end();
    }
    bool isBlocked(const std::string& number) const {
        std::vector<std::string> blocked;
        msg_app::MCommonMsgSvc::getInstance()->getBlockNumberList(blocked);
        return std::find(blocked.begin(), blocked.end(), number) != blocked.end();
    }
    // A conversation with NUMBER alone, open.
    void openOneToOne(int count = 2) {
        watchThread({NUMBER}, count);
        open(threadId);
    }
    template <typename T> T* topPage() const {
        return dynamic_cast<T*>(appWindow->getNaviframeController()->getTopContentViewController());
    }
};

} // namespace

TEST_F(OptionPanelTest,
       OneToOneOffersItsEntriesBackFromAnotherALinksMenuAndBlockingSwapsToUnblockOrTellsItFailed) {
    openOneToOne();
    std::vector<MoreOption> expected = {MORE_OPTION_REPLY, MORE_OPTION_CALL};
    if (msg_app::common_util::get_map_type() != 0)
        expected.push_back(MORE_OPTION_SEND_LOCATION);
    expected.insert(expected.end(), {MORE_OPTION_BLOCK, MORE_OPTION_CREATE_CONTACT, MORE_OPTION_DELETE});
    EXPECT_EQ(options(), expected);

    // A conversation opened over it has a panel of its own: back from it, the one under it still
    // offers, and acts on (below), its own conversation's entries.
    MVContentViewController* under = screen;
    watchThread({"+15550100043", "+15550100044"}, 2);
    open(threadId);
    EXPECT_NE(mgr(), under->getOptionMgr());
    EXPECT_TRUE(offers(MORE_OPTION_RECIPIENTS));
    EXPECT_EQ(MVOptionMgrTestPeer::options(*under->getOptionMgr()), expected);
    ASSERT_TRUE(appWindow->getNaviframeController()->pop());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return topPage<MVContentViewController>() == under; }));
    screen = under;
    // Rebuilt as a store change rebuilds it, the panel is whole.
    listView()->createThreadOptions();
    EXPECT_EQ(options(), expected);

    // A number in a bubble's text has a menu of its own, for one choice.
    std::string chosenNumber;
    MoreOption chosen = MORE_OPTION_REPLY;
    ASSERT_TRUE(mgr()->createCutlinkOption(
        [&](MoreOption option, const std::string& number) {
            chosen = option;
            chosenNumber = number;
        },
        "+15550100077"));
    EXPECT_EQ(options(), (std::vector<MoreOption>{MORE_OPTION_CALL_NUMBER, MORE_OPTION_SEND_MESSAGE}));
    ASSERT_TRUE(choose(MORE_OPTION_CALL_NUMBER));
    // The entry acts once the panel has finished closing.
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return chosen == MORE_OPTION_CALL_NUMBER; }));
    EXPECT_EQ(chosenNumber, "+15550100077");
    // The conversation's entries are back.
    EXPECT_EQ(options(), expected);
    EXPECT_EQ(mgr()->getOptionType(), MVOptionMgr::OPTION_THREAD);

    // Each entry swaps for the other. Closed once, and the changes it made all handled, the panel
    // still offers the conversation's entries.
    for (auto [option, blocked] :
         {std::pair(MORE_OPTION_BLOCK, true), std::pair(MORE_OPTION_UNBLOCK, false)}) {
        ASSERT_TRUE(choose(option));
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return isBlocked(NUMBER) == blocked; }));
        EXPECT_EQ(offers(MORE_OPTION_UNBLOCK), blocked) << option;
        EXPECT_NE(offers(MORE_OPTION_BLOCK), blocked) << option;
        ASSERT_TRUE(msg_test::runLoopUntilIdle());
        EXPECT_FALSE(options().empty()) << option;
        EXPECT_TRUE(mgr()->getView()->getCueVisible()) << option;
    }

    // With the messaging service down (its handle gone) nothing is blocked, and the user is told so.
    ASSERT_EQ(vconf_set_bool("memory/msg/ready", 0), 0);
    msg_app::MCommonMsgSvc::release();
    ASSERT_TRUE(choose(MORE_OPTION_BLOCK));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Couldn't block number."); }));
    EXPECT_FALSE(isBlocked(NUMBER));
    EXPECT_TRUE(offers(MORE_OPTION_BLOCK));
}

TEST_F(OptionPanelTest, GroupOffersRecipientsWhoseRowsOpenContactsOrTheDetailPage) {
    sim({"contact", "add", "--name", "Ada Byron", "--number", "+15550100051"});
    watchThread({"+15550100051", "+15550100052", "+15550100053"}, 2);
    open(threadId);
    EXPECT_TRUE(offers(MORE_OPTION_RECIPIENTS));
    EXPECT_FALSE(offers(MORE_OPTION_CALL));

    ASSERT_TRUE(choose(MORE_OPTION_RECIPIENTS));
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return topPage<MVRecipientContentViewController>() != nullptr; }));
    Evas_Object* genlist = topPage<MVRecipientContentViewController>()->getGenlist();
    ASSERT_EQ(elm_genlist_items_count(genlist), 4u);
    auto* title =
        static_cast<MVRecipientItemTitle*>(elm_object_item_data_get(elm_genlist_first_item_get(genlist)));
    // A space before the count, which keeps its order in a right-to-left title.
    EXPECT_EQ(title->getText(), "Recipients \u2066(3)\u2069");
    std::vector<MVRecipientItemNumber*> rows;
    for (Elm_Object_Item* it = elm_genlist_item_next_get(elm_genlist_first_item_get(genlist)); it;
         it = elm_genlist_item_next_get(it))
        rows.push_back(static_cast<MVRecipientItemNumber*>(elm_object_item_data_get(it)));
    EXPECT_STREQ(rows[0]->getAddr()->getAddress(), "+15550100051");
    EXPECT_STREQ(rows[2]->getAddr()->getAddress(), "+15550100053");

    // A saved contact opens in the contacts application.
    int64_t since = lastLaunchId();
    rows[0]->onSelect(rows[0]->getElmObjectItem());
    LaunchEntry contact = waitLaunchTo("com.vorlane.w-contacts2.appcontrol", since);
    for (const char* part : {"\"view\"", "data_id"})
        EXPECT_NE(contact.request.find(part), std::string::npos) << contact.request;

    // A number without one opens its detail page.
    rows[1]->onSelect(rows[1]->getElmObjectItem());
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return topPage<MVRecipientDetailContentViewController>() != nullptr; }));
    EXPECT_EQ(topPage<MVRecipientDetailContentViewController>()->getNumber(), "+15550100052");
}

// Each button of a number's detail page launches once the finger can reach it (the page's push has
// ended); without a call application there is no call button.
TEST_F(OptionPanelTest, DetailPageButtonsLaunchWhatTheWatchCanDo) {
    for (bool canCall : {true, false}) {
        SCOPED_TRACE(canCall ? "can call" : "cannot call");
        ASSERT_TRUE(canCall || msg_services::AppRegistry::uninstall("com.vorlane.call"));
        auto* detail = new MVRecipientDetailContentViewController("+15550100052");
        ASSERT_TRUE(appWindow->getNaviframeController()->push(detail));
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return detail->getMessageButton() != nullptr; }));
        EXPECT_EQ(detail->getCallButton() != nullptr, canCall);
        const struct {
            Evas_Object* button;
            const char* target;
            const char* asked;
        } cases[] = {{detail->getAddContactButton(), "com.vorlane.w-contacts2.appcontrol", "+15550100052"},
                     {detail->getCallButton(), "com.vorlane.call", "+15550100052"},
                     {detail->getMessageButton(), "com.vorlane.w-input-selector", "address:+15550100052"}};
        for (const auto& c : cases) {
            if (!c.button)
                continue;
            ASSERT_TRUE(msg_test::runLoopUntil([&] { return isUnderFinger(c.button); })) << c.target;
            LaunchEntry launch = launchedBy([&] { clickCenter(c.button); }, c.target);
            ASSERT_NE(launch.id, 0) << c.target;
            EXPECT_NE(launch.request.find(c.asked), std::string::npos) << launch.request;
        }
        LaunchEntry selector = waitLaunchTo("com.vorlane.w-input-selector");
        EXPECT_NE(selector.request.find("vorlane_log:new_msg"), std::string::npos) << selector.request;
        closeLaunched(selector.id);
        ASSERT_TRUE(backToHost());
    }
}

// With the phone reached over the internet rather than Bluetooth, both ask for the Bluetooth link.
TEST_F(OptionPanelTest, ShowOnPhoneAndExportAskForTheBluetoothLinkWithoutIt) {
    std::vector<int> ids = watchThread({NUMBER}, 3);
    msg_test::storeMessages({msg_test::message(NUMBER, "from the phone", START_MS + 600000)});
    open(threadId);
    // Whether choosing the entry asks for the link.
    auto asksForTheLink = [&](MoreOption option) {
        return launchedBy([&] { EXPECT_TRUE(choose(option)); }, "com.vorlane.fabrel-popup").id != 0;
    };
    ASSERT_TRUE(asksForTheLink(MORE_OPTION_SHOW_ON_PHONE));

    // Export is offered for checked messages of the watch's own inbox only, and acts on all of them.
    listView()->selectMessages({ids[0], ids[2]});
    EXPECT_EQ(options(), std::vector<MoreOption>{MORE_OPTION_EXPORT_TO_PHONE});
    std::vector<int> withPhoneMessage = {ids[1], listView()->getModel().getMsgId(3)};
    listView()->selectMessages(withPhoneMessage);
    EXPECT_TRUE(options().empty());
    listView()->selectMessages({ids[0], ids[2]});
    ASSERT_TRUE(asksForTheLink(MORE_OPTION_EXPORT_TO_PHONE));
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_NORMAL);
}

TEST_F(OptionPanelTest, SendMyLocationSendsWhatTheLocationPickerAnswers) {
    openOneToOne();
    // The picker's answer, and the link sent for it (null: nothing is sent).
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--coord", "37.5665,126.978"}, "https://share.here.com/l/37.566500,126.978000?z=13"},
        {{"--url", "https://maps.example/p/1"}, "https://maps.example/p/1"},
        {{"--cancel"}, nullptr},
    };
    for (const auto& [answer, sentLink] : cases) {
        SCOPED_TRACE(answer.front());
        int64_t since = lastLaunchId();
        listView()->doAction(MVListViewController::ACTION_SEND_LOCATION);
        LaunchEntry picker = waitLaunchTo("com.vorlane.mapcontrol", since);
        ASSERT_NE(picker.id, 0);
        std::vector<std::string> args = {"locate", std::to_string(picker.id)};
        args.insert(args.end(), answer.begin(), answer.end());
        sim(args);
        if (!sentLink) {
            EXPECT_EQ(waitLaunchTo("com.vorlane.msg-send", since, 0.5).id, 0);
            continue;
        }
        EXPECT_NE(waitLaunchTo("com.vorlane.msg-send", since).request.find(sentLink), std::string::npos);
        // Answered once, the request takes no second answer; other requests are no picker's.
        EXPECT_NE(msg_test::runSim({"locate", std::to_string(picker.id), "--cancel"}, device.path()).exitCode,
                  0);
    }
}

// What the location picker answers comes from another application: only a web link or
// coordinates in range become the link that is sent.
TEST(LocationLinkTest, PickerAnswersBecomeALinkOnlyWhenUsable) {
    // The answer's link, its coordinates, and the link made of them (null: refused).
    const std::tuple<std::string, const char*, const char*> cases[] = {
        {"https://maps.example/p/1", "", "https://maps.example/p/1"},
        {"", "geo:37.5665,126.978", "https://share.here.com/l/37.566500,126.978000?z=13"},
        {"", "geo:-33.8688,151.2093;u=35", "https://share.here.com/l/-33.868800,151.209300?z=13"},
        {"", "geo:91,0", nullptr},
        {"", "geo:0,181", nullptr},
        {"", "geo:1e3,2", nullptr},
        {"", "geo:nan,2", nullptr},
        {"", "37.5,126.9", nullptr},
        {"", "", nullptr},
        {"javascript:alert(1)", "geo:1,2", nullptr},
        {"https://x/<b>", "", nullptr},
        {"https://x/a b", "", nullptr},
        {"https://x/" + std::string(MVLocationLink::MAX_URL, 'a'), "", nullptr},
    };
    for (const auto& [url, coord, expected] : cases) {
        std::string out = "unchanged";
        EXPECT_EQ(MVLocationLink::make(url, coord, out), expected != nullptr)
            << url.substr(0, 40) << " " << coord;
        EXPECT_EQ(out, expected ? expected : "unchanged") << url.substr(0, 40) << " " << coord;
    }
}

// The panel stays as the finger left it while the store, the contacts and the clock's format
// change around it; it changes only when this conversation's entries do, keeping the one chosen.
TEST_F(OptionPanelTest, TheEntryUnderTheSelectorStaysWhileThingsChangeAroundIt) {
    openOneToOne();
    // In the foreground, where the store's changes reach the panel.
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    ASSERT_TRUE(offers(MORE_OPTION_CREATE_CONTACT));
    msg_app::MCommonMoreOptionViewController* panel = mgr()->getView();
    mgr()->openMenu();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return mgr()->isOpened(); }));
    auto selected = [&] {
        int index = panel->getSelectedIndex();
        return index >= 0 && index < static_cast<int>(options().size()) ? options()[index] : MoreOption(-1);
    };
    auto items = [&] {
        std::vector<void*> list;
        const Eina_List* node = nullptr;
        void* item = nullptr;
        EINA_LIST_FOREACH(eext_more_option_items_get(panel->getEvasObject()), node, item)
        list.push_back(item);
        return list;
    };
    std::vector<MoreOption> offered = options();
    ASSERT_TRUE(panel->setSelectedIndex(
        static_cast<int>(std::find(offered.begin(), offered.end(), MORE_OPTION_DELETE) - offered.begin())));
    std::vector<void*> before = items();

    // Elsewhere: a message in another conversation, the clock's format. Nothing of the panel moves.
    msg_test::storeMessages({msg_test::message("+15550100777", "elsewhere", START_MS + 3600000)});
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_TIME_FORMAT_CHANGED);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(items(), before);
    EXPECT_EQ(selected(), MORE_OPTION_DELETE);

    // Here: a message of the phone brings "Show on phone", a contact takes "Create contact" away.
    msg_test::storeMessages({msg_test::message(NUMBER, "from the phone", START_MS + 7200000)});
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return offers(MORE_OPTION_SHOW_ON_PHONE); }));
    EXPECT_EQ(selected(), MORE_OPTION_DELETE);
    sim({"contact", "add", "--name", "Zoe Park", "--number", NUMBER});
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !offers(MORE_OPTION_CREATE_CONTACT); }));
    EXPECT_EQ(selected(), MORE_OPTION_DELETE);
    EXPECT_TRUE(mgr()->isOpened());
}

// Deleting many messages on the worker changes the panel once, at the end, not per message.
TEST_F(OptionPanelTest, ABackgroundDeleteChangesTheEntriesOnce) {
    std::vector<int> ids = watchThread({NUMBER}, 12);
    open(threadId);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    int changes = 0;
    listView()->addEventListener(
        [&](MVListViewController::Event event, const MVListViewController*) {
            changes += event == MVListViewController::EVENT_OPTIONS_CHANGED;
        },
        listView()->getGenlist());
    listView()->selectMessages(std::vector<int>(ids.begin(), ids.begin() + 10));
    changes = 0;
    listView()->doAction(MVListViewController::ACTION_DELETE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return listView()->getModel().getCount() == 2; }, 20.0));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !listView()->isBgActionRunning(); }, 20.0));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(changes, 1);
}
