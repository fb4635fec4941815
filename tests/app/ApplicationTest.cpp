// The application shell: its start and stop, the services and screens it runs, msg-app and msg-shot;
// and what its inspection port tells of a window: the texts a user sees (not the hidden, transparent
// or scrolled-out ones), the rows of a list with their checks, and the pages. The port answers a
// request only in a process started to be inspected.
#include "Application.h"
#include "AppEventRecorder.h"
#include "AppScreens.h"
#include "DemoScreen.h"
#include "EflTest.h"
#include "FeedSync.h"
#include "Programs.h"
#include "ScreenInspector.h"
#include "ScreenSnapshot.h"
#include "ShotScreens.h"
#include "TempDir.h"
#include "app_common.h"
#include "common/IMCommonScreenOpener.h"
#include "common/MCommonAppEventMgr.h"
#include "common/Preference.h"
#include "device/Device.h"
#include "feedback.h"
#include "list/MLContentViewController.h"
#include "message_port.h"
#include "msg_store/ThreadManager.h"
#include "phone_number.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVContentViewController.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace msg_app;
using namespace msg_app::shell;
using msg_app::msg_list::MLContentViewController;
using msg_app::shell::ScreenInspector;
using msg_app::shell::ScreenSnapshot;

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { registerBuiltinScreens(); }

    std::unique_ptr<Application> startApp(const char* screen) {
        Application::Options options;
        options.screen = screen;
        auto app = std::make_unique<Application>(options);
        app->setOnFirstFrame([this] { firstFrame = true; });
        EXPECT_TRUE(app->start());
        EXPECT_TRUE(msg_test::runLoopUntil([this] { return firstFrame; }));
        msg_test::runLoopUntilIdle();
        return app;
    }
    // The page on top of the application's naviframe, as the screen's own class.
    template <class Screen> static Screen* top(Application& app) {
        return dynamic_cast<Screen*>(
            app.getWindowController()->getNaviframeController()->getTopContentViewController());
    }

    bool firstFrame = false;
};

TEST_F(ApplicationTest, BackClosesThePopupOfTheFirstScreenAndStopIsClean) {
    auto app = startApp("demo-popup");
    auto* demo = top<DemoScreen>(*app);
    ASSERT_NE(demo, nullptr);
    // The picture (rows drawn, corners outside the circle black) is the journey test's first check.
    std::weak_ptr<view_kit::WViewController> weakDemo = demo->getWeakPtr();
    // Back first closes the popup, then asks to end.
    Evas* e = evas_object_evas_get(app->getWindowController()->getEvasObject());
    evas_event_feed_key_down(e, "Escape", "Escape", nullptr, nullptr, 0, nullptr);
    msg_test::runLoopUntilIdle();
    EXPECT_FALSE(weakDemo.expired());
    // Haptics work while the application runs and are ended with it.
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_TAP), FEEDBACK_ERROR_NONE);
    EXPECT_EQ(feedback_play(static_cast<feedback_pattern_e>(18)), FEEDBACK_ERROR_INVALID_PARAMETER);
    app->stop();
    EXPECT_TRUE(weakDemo.expired());
    EXPECT_EQ(app->getWindowController(), nullptr);
    EXPECT_EQ(feedback_play(FEEDBACK_PATTERN_TAP), FEEDBACK_ERROR_NOT_INITIALIZED);
}

// An application on a fresh device of the test's own, not the one a test before opened.
class OwnDeviceTest : public ApplicationTest {
protected:
    void SetUp() override {
        ApplicationTest::SetUp();
        msg_device::Device::closeDefault();
    }
    void TearDown() override {
        unsetenv("MSG_INSPECT");
        msg_device::Device::closeDefault();
    }
    void seed() { ASSERT_EQ(msg_test::runSim({"seed"}, device.path()).exitCode, 0); }
    msg_test::TempDevice device;
};

TEST_F(OwnDeviceTest, BackOnTheMainApplicationsListSendsItToTheBackgroundOnce) {
    setenv("MSG_APP_ID", "com.vorlane.message", 1);
    auto app = startApp(CONVERSATION_LIST_SCREEN);
    auto* list = top<MLContentViewController>(*app);
    ASSERT_NE(list, nullptr);
    AppEventRecorder counter;
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_RESUMED);

    Evas* e = evas_object_evas_get(app->getWindowController()->getEvasObject());
    evas_event_feed_key_down(e, "Escape", "Escape", nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(counter.count(APP_EVENT_PAUSED), 0)
        << "the pause comes from the main loop, not inside the key handling";
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return counter.count(APP_EVENT_PAUSED) > 0; }));
    EXPECT_EQ(MCommonAppEventMgr::getInstance()->getAppState(), APP_EVENT_PAUSED);
    EXPECT_EQ(top<MLContentViewController>(*app), list) << "the screen stays for the next resume";

    // Lowered again while in the background: no second pause.
    elm_win_lower(app->getWindowController()->getEvasObject());
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(counter.count(APP_EVENT_PAUSED), 1);

    // (A touch bringing it back is the journey test's, on a real window.)
    app->stop();
    unsetenv("MSG_APP_ID");
    MCommonAppEventMgr::getInstance()->emit(APP_EVENT_RESUMED);
}

TEST_F(OwnDeviceTest, TheServicesAndSettingsThatWatchTheDeviceRunWhileTheApplicationDoes) {
    AppEventRecorder atStart;
    auto app = startApp("demo");
    bool initialized = false;
    EXPECT_TRUE(preference::get(preference::KEY_INITIALIZED, &initialized));
    EXPECT_TRUE(initialized) << "first-run defaults are written";
    EXPECT_EQ(atStart.count(APP_EVENT_BLOCKED_NUMBERS_RESTORED), 0) << "a default is no restore";
    EXPECT_EQ(atStart.count(APP_EVENT_SETTINGS_RESTORED), 0);
    // Nor does the first-run store status, written as a default, disconnect the store.
    std::vector<msg_store::Thread> threads;
    EXPECT_EQ(msg_store::ThreadManager().getAllThreads(threads), msg_store::MSG_STORE_SUCCESS);

    // What the backup service and the settings change reaches the screens as events. (A language
    // change reaching the running list is the journey test's.)
    const struct {
        std::function<void()> change;
        MCommonAppEventType event;
    } changes[] = {
        {[] { preference::set(preference::KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT, 1); },
         APP_EVENT_BLOCKED_NUMBERS_RESTORED},
        {[] { preference::set(preference::KEY_BNR_SETTING_RESTORE_COUNT, 1); }, APP_EVENT_SETTINGS_RESTORED},
        {[] { vconf_set_int("db/setting/accessibility/font_size", 2); }, APP_EVENT_FONT_CHANGED},
        {[] { vconf_set_str("db/menu_widget/regionformat", "en_GB.UTF-8"); },
         APP_EVENT_REGION_FORMAT_CHANGED},
    };
    for (const auto& c : changes) {
        AppEventRecorder counter;
        c.change();
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return counter.count(c.event) == 1; })) << c.event;
    }

    // Stopped, they no longer listen.
    app->stop();
    AppEventRecorder counter;
    preference::set(preference::KEY_BNR_SETTING_RESTORE_COUNT, 2);
    vconf_set_int("db/setting/accessibility/font_size", 0);
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(counter.count(APP_EVENT_SETTINGS_RESTORED), 0);
    EXPECT_EQ(counter.count(APP_EVENT_FONT_CHANGED), 0);
}

TEST_F(OwnDeviceTest, TheProgressScreenIsPicturedWhileItsDeleteRuns) {
    seed();
    auto app = startApp("list-progress");
    auto* screen = top<MLContentViewController>(*app);
    ASSERT_NE(screen, nullptr);
    auto list = screen->getListView().lock();
    // Whether the delete still ran when the screen asked for its picture.
    struct Ask {
        msg_list::MLListViewController* list;
        bool asked = false, runningWhenAsked = false;
    } ask{list.get()};
    Evas_Object* win = app->getWindowController()->getEvasObject();
    auto askedCb = [](void* data, Evas_Object*, void*) {
        auto* ask = static_cast<Ask*>(data);
        ask->asked = true;
        ask->runningWhenAsked = ask->list->isBgActionRunning();
    };
    evas_object_smart_callback_add(win, CAPTURE_EVENT, askedCb, &ask);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return ask.asked; }, 10.0));
    evas_object_smart_callback_del_full(win, CAPTURE_EVENT, askedCb, &ask);
    EXPECT_TRUE(ask.runningWhenAsked);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return list->getItemCount() == 0; }, 10.0));
}

// The empty blocked list is pictured on any device: the screen clears the blocked messages of the
// copy it is given.
TEST_F(OwnDeviceTest, TheEmptyBlockedListScreenShowsItsEmptyViewOnADeviceWithBlockedMessages) {
    seed();
    auto app = startApp("list-blocked-empty");
    auto* screen = top<MLContentViewController>(*app);
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return screen->isShowingNoItem(); }));
}

// While it runs, the application opens the features' real pages for any screen that asks; a
// screen it does not know fails the start.
TEST_F(ApplicationTest, TheRunningApplicationOpensTheFeaturesPagesAndStopsOpeningThemAfter) {
    Application::Options unknown;
    unknown.screen = "no-such-screen";
    EXPECT_FALSE(Application(unknown).start());
    Application app(Application::Options{});
    ASSERT_TRUE(app.start());
    IMCommonScreenOpener* opener = screen_opener::get();
    ASSERT_NE(opener, nullptr);

    view_kit::WContentViewController* page = opener->createConversation(7);
    auto* viewer = dynamic_cast<msg_viewer::MVContentViewController*>(page);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->getThreadId(), 7);
    page->destroy();

    // The blocked message's page is opened by the journey tests, from the blocked list.
    view_kit::WViewController* errorPopup = nullptr;
    page = opener->createComposer(&errorPopup);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(errorPopup, nullptr);
    page->destroy();

    // The composer's checks for a reply: a valid number passes, flight mode refuses with its popup.
    EXPECT_TRUE(opener->checkComposer({"+15550100001"}, &errorPopup));
    EXPECT_EQ(errorPopup, nullptr);
    ASSERT_EQ(vconf_set_bool("db/telephony/flight_mode", 1), VCONF_OK);
    EXPECT_FALSE(opener->checkComposer({"+15550100001"}, &errorPopup));
    ASSERT_NE(errorPopup, nullptr);
    errorPopup->destroy();
    vconf_set_bool("db/telephony/flight_mode", 0);

    app.stop();
    EXPECT_EQ(screen_opener::get(), nullptr);
}

// Opening on each list is the journey tests' first check (launch, and launch --blocked).
TEST(MsgAppTest, OnlyTheConversationListTakesThePreloadAndTheOptionsAreChecked) {
    msg_test::TempDevice device;
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("MSG_LOG_LEVEL", "debug", 1);
    auto plain = msg_test::runProgram("msg-app", {"--exit-after-first-frame"});
    auto blocked = msg_test::runProgram("msg-app", {"--blocked", "--exit-after-first-frame"});
    setenv("MSG_LOG_LEVEL", "warn", 1);
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(blocked.exitCode, 0);
    // Only the conversation list takes the preloaded list over.
    const char* preload = "loaded from MLThreadListBgLoad";
    EXPECT_NE(plain.err.find(preload), std::string::npos);
    EXPECT_EQ(blocked.err.find(preload), std::string::npos);

    // One first screen only. (Help and unknown options are the command line test's, for every program.)
    EXPECT_EQ(msg_test::runProgram("msg-app", {"--blocked", "--thread", "1"}).exitCode, 2);
}

// Whether a realized row of the window's list shows `text` in one of its texts.
bool aRowShows(Evas_Object* win, const std::string& text) {
    ScreenSnapshot snapshot(win);
    for (const ScreenSnapshot::List& list : snapshot.lists())
        for (const ScreenSnapshot::Row& row : list.rows)
            for (const ScreenSnapshot::Text& t : row.texts)
                if (t.text.find(text) != std::string::npos)
                    return true;
    return false;
}

// The conversation from a number never formatted before shows the number as it stands in the first
// frame, the formatting not loaded for it, and formatted in its row once it has loaded after.
TEST_F(OwnDeviceTest, ANewNumberIsDrawnAsItStandsFirstAndFormattedInItsRowOnceTheFormattingLoaded) {
    ASSERT_EQ(
        msg_test::runSim({"receive", "--from", "+15557770123", "--text", "First"}, device.path()).exitCode,
        0);
    // A process of its own, which has not loaded the formatting.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Application::Options options;
            options.screen = CONVERSATION_LIST_SCREEN;
            Application app(options);
            const char* fault = nullptr;
            bool shown = false;
            app.setOnFirstFrame([&] {
                shown = true;
                Evas_Object* win = app.getWindowController()->getEvasObject();
                if (!aRowShows(win, "+15557770123") || phone_number_is_prepared())
                    fault = "the first frame waited for the formatting";
            });
            if (!app.start() || !msg_test::runLoopUntil([&] { return shown; }))
                fault = "no first frame";
            Evas_Object* win = fault ? nullptr : app.getWindowController()->getEvasObject();
            if (win && !msg_test::runLoopUntil([&] { return aRowShows(win, "+1 555-777-0123"); }))
                fault = "the row never showed the formatted number";
            app.stop();
            if (fault)
                std::fputs(fault, stdout);
            std::exit(fault ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

struct Answer {
    std::string token;
    std::string screen;
};

void answerCb(int, const char*, const char*, bool, bundle* message, void* data) {
    auto* answer = static_cast<Answer*>(data);
    char* value = nullptr;
    if (bundle_get_str(message, "token", &value) == 0 && value)
        answer->token = value;
    if (bundle_get_str(message, "screen", &value) == 0 && value)
        answer->screen = value;
}

TEST_F(OwnDeviceTest, TheApplicationAnswersOnlyWhenStartedToBeInspected) {
    for (bool inspected : {false, true}) {
        SCOPED_TRACE(inspected ? "inspected" : "ordinary start");
        if (inspected)
            setenv("MSG_INSPECT", "1", 1);
        auto app = startApp("demo");
        Answer answer;
        int port = message_port_register_local_port(ScreenInspector::ANSWER_PORT, answerCb, &answer);
        ASSERT_GT(port, 0);
        // This process asks itself, as msg-sim asks msg-app.
        char* self = nullptr;
        ASSERT_EQ(app_get_id(&self), 0);
        bundle* request = bundle_create();
        bundle_add_str(request, "token", "t-1");
        int sent = message_port_send_message(self, ScreenInspector::PORT, request);
        bundle_free(request);
        free(self);
        ASSERT_EQ(sent, MESSAGE_PORT_ERROR_NONE);
        bool answered = msg_test::runLoopUntil([&] { return !answer.screen.empty(); }, inspected ? 5.0 : 1.0);
        EXPECT_EQ(answered, inspected);
        if (inspected) {
            EXPECT_EQ(answer.token, "t-1");
            EXPECT_NE(answer.screen.find("\"pages\":[\"DemoScreen\"]"), std::string::npos)
                << answer.screen.substr(0, 300);
        }
        message_port_unregister_local_port(port);
        app->stop();
    }
}

constexpr int ROWS = 30;

char* rowTextCb(void* data, Evas_Object*, const char* part) {
    return strcmp(part, "elm.text")
               ? nullptr
               : strdup(("row " + std::to_string(reinterpret_cast<intptr_t>(data))).c_str());
}

// Every third row carries a check, on for every sixth.
Evas_Object* rowCheckCb(void* data, Evas_Object* obj, const char* part) {
    auto n = reinterpret_cast<intptr_t>(data);
    if (strcmp(part, "elm.swallow.end") || n % 3)
        return nullptr;
    Evas_Object* check = elm_check_add(obj);
    elm_check_state_set(check, n % 6 == 0);
    return check;
}

std::vector<std::string> textsOf(const std::vector<ScreenSnapshot::Text>& texts) {
    std::vector<std::string> plain;
    for (const auto& t : texts)
        plain.push_back(t.text);
    return plain;
}

TEST(ScreenSnapshotTest, ItTellsTheRowsInViewWithTheirTextsAndChecksAndOnlyTheTextsSeen) {
    msg_test::TestWindow window;
    Evas_Object* genlist = elm_genlist_add(window.win());
    evas_object_resize(genlist, 360, 360);
    evas_object_show(genlist);
    static Elm_Genlist_Item_Class itc = [] {
        Elm_Genlist_Item_Class c{};
        c.version = ELM_GENLIST_ITEM_CLASS_VERSION;
        c.item_style = "default";
        c.func.text_get = rowTextCb;
        c.func.content_get = rowCheckCb;
        return c;
    }();
    for (intptr_t n = 0; n < ROWS; ++n)
        elm_genlist_item_append(genlist, &itc, reinterpret_cast<void*>(n), nullptr, ELM_GENLIST_ITEM_NONE,
                                nullptr, nullptr);
    // Three labels over the list: one shown, one hidden, one drawn transparent.
    const struct {
        const char* text;
        bool shown;
        int alpha;
    } labels[] = {{"shown label", true, 255}, {"hidden label", false, 255}, {"clear label", true, 0}};
    for (const auto& l : labels) {
        Evas_Object* label = elm_label_add(window.win());
        elm_object_text_set(label, l.text);
        evas_object_color_set(label, 0, 0, 0, l.alpha);
        evas_object_move(label, 100, 300);
        evas_object_resize(label, 150, 40);
        if (l.shown)
            evas_object_show(label);
    }
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return elm_genlist_realized_items_get(genlist) != nullptr; }));
    msg_test::runLoopUntilIdle();

    ScreenSnapshot snapshot(window.win());
    ASSERT_EQ(snapshot.lists().size(), 1u);
    const ScreenSnapshot::List& list = snapshot.lists().front();
    EXPECT_EQ(list.count, ROWS);
    ASSERT_EQ(list.styles.size(), 1u);
    EXPECT_EQ(list.styles.front().style + " " + std::to_string(list.styles.front().count),
              "default " + std::to_string(ROWS));
    ASSERT_FALSE(list.rows.empty());
    int inView = 0;
    for (const ScreenSnapshot::Row& row : list.rows) {
        SCOPED_TRACE("row " + std::to_string(row.index));
        bool seen = row.box.y < 360 && row.box.y + row.box.h > 0;
        // A realized row below the list's edge shows nothing.
        EXPECT_EQ(!row.texts.empty(), seen);
        if (!seen)
            continue;
        ++inView;
        EXPECT_EQ(textsOf(row.texts), std::vector<std::string>{"row " + std::to_string(row.index)});
        EXPECT_EQ(row.checked, row.index % 3 ? -1 : row.index % 6 == 0 ? 1 : 0);
    }
    EXPECT_GT(inView, 2);
    EXPECT_LT(inView, ROWS) << "the rows past the screen are not in view";
    EXPECT_EQ(textsOf(snapshot.otherTexts()), std::vector<std::string>{"shown label"});
}

// msg-shot renders a named screen to a 360 square PNG. The pictured states receive messages, delete
// the blocked ones or set the small text size on the copy msg-shot gives them: picturing one leaves
// the device as it was, and the application opens none of them on the user's device.
TEST(MsgShotTest, RendersANamedScreenToA360SquarePngAndNoPicturedStateChangesTheDevice) {
    msg_test::TempDevice device;
    ASSERT_EQ(msg_test::runSim({"seed"}).exitCode, 0);
    auto shot = [&](const char* screen, const std::string& out) {
        return msg_test::runProgram("msg-shot", {"--device", device.path(), "--screen", screen, "--out", out})
            .exitCode;
    };
    auto list = [] { return msg_test::runSim({"list", "--json"}).out; };
    auto fontSize = [] { return msg_test::runSim({"get", "db/setting/accessibility/font_size"}).out; };
    const std::string messages = list();
    const std::string font = fontSize();
    ASSERT_NE(messages.find("\"snippet\""), std::string::npos) << messages;

    ASSERT_EQ(shot("demo", device.file("demo.png")), 0);
    std::ifstream png(device.file("demo.png"), std::ios::binary);
    unsigned char header[24] = {};
    ASSERT_TRUE(png.read(reinterpret_cast<char*>(header), sizeof(header)));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
    auto be32 = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    EXPECT_EQ(std::make_pair(be32(16), be32(20)), std::make_pair(360, 360)) << "width and height";
    EXPECT_NE(shot("nope", device.file("nope.png")), 0);
    ASSERT_EQ(shot("list-progress", device.file("progress.png")), 0);
    EXPECT_TRUE(std::ifstream(device.file("progress.png"), std::ios::binary).good());
    EXPECT_EQ(list(), messages);

    setenv("ELM_ENGINE", "buffer", 1);
    for (const char* screen : {"viewer-small-font", "viewer-links", "list-blocked-empty", "list-progress"}) {
        SCOPED_TRACE(screen);
        EXPECT_EQ(msg_test::runProgram("msg-app", {"--screen", screen, "--exit-after-first-frame"}).exitCode,
                  2);
        EXPECT_EQ(list(), messages);
        EXPECT_EQ(fontSize(), font);
    }
}

} // namespace
