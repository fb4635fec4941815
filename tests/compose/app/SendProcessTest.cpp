// The composer's processes as the device starts them, on a device whose phone is connected: launch
// requests in, the launch journal's record of them, the messages they leave in the store and the
// phone delivering or failing them, the watch holding its own, and the processes ending. The input
// selector's answer is headless: msg-sim answers a selector request. (A chosen text's way to the
// phone is a new message's journey; its "Keyboard", the real-window journey's.)
#include "CommonDeviceTest.h"

#include "InputSelectorScreen.h"
#include "LaunchJournal.h"
#include "Programs.h"
#include "app_common.h"
#include "app_control.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"
#include "preference.h"

#include <fstream>
#include <functional>
#include <glob.h>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class SendProcessTest : public CommonDeviceTest {
protected:
    using Extras = std::vector<std::pair<const char*, std::string>>;
    static constexpr const char* SEND_APP = "com.vorlane.msg-send";
    static constexpr const char* COMPOSE_APP = "com.vorlane.message.appcontrol.compose";
    static constexpr const char* SELECTOR_APP = "com.vorlane.w-input-selector";

    void SetUp() override {
        CommonDeviceTest::SetUp();
        applyProfile("phone-bt");
    }
    // Sends the request as another application would; gives its journal id.
    static int64_t launch(const char* appId, const Extras& extras,
                          const std::vector<std::string>& keyboard = {},
                          app_control_launch_mode_e mode = APP_CONTROL_LAUNCH_MODE_SINGLE) {
        app_control_h request = nullptr;
        app_control_create(&request);
        app_control_set_app_id(request, appId);
        app_control_set_launch_mode(request, mode);
        for (const auto& [key, value] : extras)
            app_control_add_extra_data(request, key, value.c_str());
        std::vector<const char*> items;
        for (const auto& item : keyboard)
            items.push_back(item.c_str());
        if (!items.empty())
            app_control_add_extra_data_array(request, "selector_keyboard_data_array", items.data(),
                                             static_cast<int>(items.size()));
        EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_send_launch_request(request, nullptr, nullptr));
        app_control_destroy(request);
        auto entries = msg_services::LaunchJournal::list(1);
        return entries.empty() ? 0 : entries.back().id;
    }
    static msg_services::LaunchEntry entry(int64_t id) {
        msg_services::LaunchEntry found;
        EXPECT_TRUE(msg_services::LaunchJournal::find(id, found));
        return found;
    }
    static bool waitForExit(int64_t id) {
        return msg_test::pumpUntil([&] { return entry(id).status == "exited"; }, 20.0);
    }
    // The phone's waiting messages.
    static std::vector<msg_store::OutboxEntry> outbox() {
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        return entries;
    }
    static bool waitForOutbox(msg_store::OutboxEntry& out) {
        std::vector<msg_store::OutboxEntry> entries;
        bool found = msg_test::pumpUntil([&] { return !(entries = outbox()).empty(); }, 20.0);
        out = found ? entries.front() : out;
        return found;
    }
    static msg_store::Message stored(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(0, msg_store::MessageManager().getMessage(msgId, message));
        return message;
    }
};

// A request larger than the environment arrives whole; the phone's failure ends the process, as a
// delivery does (see the reply below).
TEST_F(SendProcessTest, ARequestLargerThanTheEnvironmentArrivesAndThePhoneFailsIt) {
    Extras extras = {{"address", "010-1234-5678"}, {"body_text", "on my way"}};
    for (const char* key : {"pad1", "pad2", "pad3", "pad4"})
        extras.emplace_back(key, std::string(60 * 1024, 'p'));
    int64_t id = launch(SEND_APP, extras);
    msg_store::OutboxEntry sent;
    ASSERT_TRUE(waitForOutbox(sent));
    EXPECT_EQ(std::make_tuple("01012345678", "phone"), std::make_tuple(sent.address, sent.route));
    ASSERT_EQ(0, msg_store::PhoneSide::fail(sent.msgId, msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO));
    ASSERT_TRUE(waitForExit(id));
    msg_store::Message message = stored(sent.msgId);
    EXPECT_EQ(std::make_tuple("on my way", msg_store::FOLDER_OUTBOX,
                              msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO),
              std::make_tuple(message.text, message.folderType, message.networkStatus));
}

TEST_F(SendProcessTest, RefusedRequestsAndFailedChecksSendNothingAndEnd) {
    struct Case {
        std::function<void()> setUp;
        const char* appId;
        Extras extras;
        std::vector<std::string> keyboard;
    };
    const Extras blocked = {{"address", "01012345678"}, {"body_text", "blocked"}};
    // (Flight mode asks the user first; its popup is tested on the screen.)
    const Case cases[] = {
        {nullptr, SEND_APP, {{"address", "12"}, {"body_text", "too short a number"}}, {}},
        {nullptr, SEND_APP, {{"address", "01012345678"}, {"msgId", "1x"}}, {}},
        {nullptr, COMPOSE_APP, {{"selected_context", "to nobody"}}, {"vorlane_log:new_msg"}},
        {[this] { applyProfile("policy-restricted"); }, SEND_APP, blocked, {}},
        {[this] { applyProfile("storage-full"); }, SEND_APP, blocked, {}},
        // Without a radio of its own the watch can only ask for the phone's connection: no question
        // about mobile networks it does not have.
        {[this] { setInt("memory/private/yox/conn_type", 0); }, SEND_APP, blocked, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        if (c.setUp) {
            // Each check alone: the one before is lifted.
            setInt("db/private/mdm/text_messaging/peer", 0);
            setInt("db/private/mdm/text_messaging/SIM1", 0);
            setInt("memory/private/device/storage_free_kb", -1);
            c.setUp();
        }
        ASSERT_TRUE(waitForExit(launch(c.appId, c.extras, c.keyboard))) << "the process waits on a popup";
        EXPECT_TRUE(outbox().empty());
    }
}

TEST_F(SendProcessTest, AReplyGoesToItsOnePersonOnce) {
    msg_store::IncomingMessage incoming;
    incoming.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15551234567"}};
    incoming.text = "are you coming?";
    int msgId = -1;
    ASSERT_EQ(0, msg_store::PhoneSide::insertMessage(incoming, &msgId));
    int64_t id = launch(SEND_APP,
                        {{"selector_send_data_array", "sending_popup"}, {"selected_context", "yes <b>&</b>"}},
                        {"address:+1 555 123 4567", "msgId:" + std::to_string(msgId), "read_request:1",
                         "vorlane_log:reply_msg"});
    msg_store::OutboxEntry sent;
    ASSERT_TRUE(waitForOutbox(sent));
    EXPECT_EQ(std::make_tuple("+15551234567", "sms"), std::make_tuple(sent.address, sent.msgType));
    EXPECT_EQ("yes <b>&</b>", stored(sent.msgId).text) << "a chosen text is sent as it was written";
    EXPECT_TRUE(msg_test::pumpUntil([&] { return stored(msgId).isRead; }, 10.0));
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(sent.msgId));
    EXPECT_TRUE(waitForExit(id));
}

// A picture queued in an MMS stays with the message: the composer's working folder goes with its
// process, and the next composer's start finds nothing of the message's to sweep away.
TEST_F(SendProcessTest, AQueuedPictureOutlivesTheComposerAndTheNextOne) {
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(4000, 'p');
    // An application's shared folder, where another application may leave what it shares.
    char* shared = app_get_shared_data_path();
    ASSERT_NE(nullptr, shared);
    std::string picture = std::string(shared) + "view.png";
    free(shared);
    std::ofstream(picture, std::ios::binary) << png;
    const struct {
        const char* road;
        std::vector<const char*> profiles;
        msg_store::FolderType folder;
    } cases[] = {
        {"the phone's", {"phone-bt"}, msg_store::FOLDER_OUTBOX},
        {"the watch's, held without service", {"standalone", "no-service"}, msg_store::FOLDER_WATCH_OUTBOX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.road);
        for (const char* profile : c.profiles)
            applyProfile(profile);
        auto sendPicture = [&](const char* to) {
            return launch(SEND_APP, {{"address", to},
                                     {"reply_type", "image"},
                                     {"selected_context", picture},
                                     {"sending_popup", "hide"}});
        };
        ASSERT_TRUE(waitForExit(sendPicture("01012345678")));
        msg_store::OutboxEntry queued;
        ASSERT_TRUE(waitForOutbox(queued));
        glob_t left{};
        EXPECT_NE(0, glob(device.file("apps/*/shared/data/composer-working-dir/composer_*").c_str(), 0,
                          nullptr, &left))
            << "a working folder outlived its process: " << (left.gl_pathc ? left.gl_pathv[0] : "");
        globfree(&left);
        // The next composer's working folder is made after a sweep of what gone processes left.
        ASSERT_TRUE(waitForExit(sendPicture("01087654321")));
        msg_store::Message message = stored(queued.msgId);
        EXPECT_EQ(c.folder, message.folderType);
        ASSERT_EQ(1u, message.contents.size());
        std::ifstream kept(message.contents.front().filePath, std::ios::binary);
        EXPECT_EQ(png, std::string(std::istreambuf_iterator<char>(kept), {}))
            << message.contents.front().filePath;
        for (const auto& entry : outbox())
            ASSERT_EQ(0, msg_store::MessageManager().deleteMessage(entry.msgId));
    }
}

// The watch's messaging service names the message it took by its own handle, which the store's
// insert maps to the stored message: the process hears that insert however soon it comes.
TEST_F(SendProcessTest, TheStoresFirstWordAboutTheMessageIsHeard) {
    applyProfile("standalone");
    int64_t id = launch(SEND_APP, {{"address", "01012345678"}, {"body_text", "from the watch"}});
    msg_store::OutboxEntry sent;
    ASSERT_TRUE(waitForOutbox(sent));
    auto followed = [&] {
        int shown = 0;
        return preference_get_int("consumer_preference_int_sending_message_id", &shown) ==
                   PREFERENCE_ERROR_NONE &&
               shown == sent.msgId;
    };
    EXPECT_TRUE(msg_test::pumpUntil(followed, 10.0))
        << "the sending popup does not follow the stored message";
    ASSERT_EQ(0, msg_test::runProgram("msg-sim", {"watch-send"}).exitCode);
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SendProcessTest, TheSelectorsCancelAndRefusedAnswersSendNothing) {
    auto select = [](int64_t id, std::vector<std::string> choice) {
        choice.insert(choice.begin(), {"select", std::to_string(id)});
        return msg_test::runProgram("msg-sim", choice).exitCode;
    };
    // Asked for text as the conversation's reply does.
    int64_t id = launch(SELECTOR_APP, {{"selector_keyboard_app_id", COMPOSE_APP}},
                        {"address:01012345678", "caller_app:com.vorlane.message", "vorlane_log:reply_msg",
                         "sending_popup:hide"},
                        APP_CONTROL_LAUNCH_MODE_GROUP);
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"--text", "  \n"}, {}, {"--text", "a", "--cancel"}}) {
        EXPECT_NE(0, select(id, refused)) << refused.size();
        EXPECT_FALSE(entry(id).replied);
    }
    // Only a selector request is the selector's to answer.
    int64_t other = launch("com.vorlane.call", {});
    EXPECT_NE(0, select(other, {"--cancel"}));

    ASSERT_EQ(0, select(id, {"--cancel"}));
    EXPECT_EQ(APP_CONTROL_RESULT_CANCELED, entry(id).result);
    // A request is answered once, and the selector's window closes with it.
    EXPECT_NE(0, select(id, {"--text", "late"}));
    EXPECT_EQ(other, msg_services::LaunchJournal::list(1).back().id) << "something was launched";
    EXPECT_TRUE(outbox().empty());
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SendProcessTest, QuickRepliesAreThePreferencesLinesElseTheBuiltInOnes) {
    using msg_app::input::InputSelectorScreen;
    const std::vector<std::string> builtIn = InputSelectorScreen::quickReplies();
    EXPECT_EQ(3u, builtIn.size());
    ASSERT_EQ(PREFERENCE_ERROR_NONE, preference_set_string("quick_replies", "Yes\n\n  \r\nNo <b>\n"));
    EXPECT_EQ((std::vector<std::string>{"Yes", "No <b>"}), InputSelectorScreen::quickReplies());
    ASSERT_EQ(PREFERENCE_ERROR_NONE, preference_set_string("quick_replies", " \n"));
    EXPECT_EQ(builtIn, InputSelectorScreen::quickReplies());
}

} // namespace
