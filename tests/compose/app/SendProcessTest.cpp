// msg-send as the device starts it: a launch request in, a message in the store's outbox, the
// phone delivering or failing it, and the process ending, as the launch journal records.
#include "CommonDeviceTest.h"

#include "LaunchJournal.h"
#include "MainLoop.h"
#include "Programs.h"
#include "app_control.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* SEND_APP = "com.vorlane.msg-send";

class SendProcessTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        applyProfile("phone-bt");
    }
    // Sends the request and gives its journal id.
    int64_t launch(const std::vector<std::pair<const char*, std::string>>& extras,
                   const std::vector<std::string>& keyboardArray = {}, const char* appId = SEND_APP) {
        app_control_h request = nullptr;
        app_control_create(&request);
        app_control_set_app_id(request, appId);
        for (const auto& [key, value] : extras)
            app_control_add_extra_data(request, key, value.c_str());
        if (!keyboardArray.empty()) {
            std::vector<const char*> items;
            for (const auto& item : keyboardArray)
                items.push_back(item.c_str());
            app_control_add_extra_data_array(request, "selector_keyboard_data_array", items.data(),
                                             static_cast<int>(items.size()));
        }
        EXPECT_EQ(APP_CONTROL_ERROR_NONE, app_control_send_launch_request(request, nullptr, nullptr));
        app_control_destroy(request);
        auto entries = msg_services::LaunchJournal::list(1);
        return entries.empty() ? 0 : entries.back().id;
    }
    bool waitForOutbox(msg_store::OutboxEntry& out) {
        return msg_test::pumpUntil(
            [&] {
                std::vector<msg_store::OutboxEntry> entries;
                msg_store::PhoneSide::getOutbox(entries);
                if (entries.empty())
                    return false;
                out = entries.front();
                return true;
            },
            20.0);
    }
    bool waitForExit(int64_t id) {
        return msg_test::pumpUntil(
            [&] {
                msg_services::LaunchEntry entry;
                return msg_services::LaunchJournal::find(id, entry) && entry.status == "exited";
            },
            20.0);
    }
    msg_store::Message stored(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(0, msg_store::MessageManager().getMessage(msgId, message));
        return message;
    }
};

TEST_F(SendProcessTest, DeliveredOrFailedByThePhone) {
    struct Case {
        bool deliver;
        msg_store::FolderType folder;
        msg_store::NetworkStatus status;
    };
    const Case cases[] = {
        {true, msg_store::FOLDER_SENT, msg_store::NETWORK_STATUS_SEND_SUCCESS},
        {false, msg_store::FOLDER_OUTBOX, msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deliver ? "delivered" : "failed");
        int64_t id = launch({{"address", "010-1234-5678"}, {"body_text", "on my way"}});
        msg_store::OutboxEntry entry;
        ASSERT_TRUE(waitForOutbox(entry));
        EXPECT_EQ("01012345678", entry.address);
        EXPECT_EQ("phone", entry.route);
        ASSERT_EQ(0, c.deliver ? msg_store::PhoneSide::deliver(entry.msgId)
                               : msg_store::PhoneSide::fail(entry.msgId, c.status));
        ASSERT_TRUE(waitForExit(id));
        msg_store::Message message = stored(entry.msgId);
        EXPECT_EQ("on my way", message.text);
        EXPECT_EQ(c.folder, message.folderType);
        EXPECT_EQ(c.status, message.networkStatus);
    }
}

TEST_F(SendProcessTest, RefusedRequestsSendNothingAndEnd) {
    const std::vector<std::vector<std::pair<const char*, std::string>>> requests = {
        {{"address", "12"}, {"body_text", "too short a number"}},
        {{"body_text", "nobody to send to"}},
        {{"address", "01012345678"}, {"msgId", "1x"}},
        {{"address", "01012345678"}},
    };
    for (const auto& extras : requests) {
        int64_t id = launch(extras);
        ASSERT_TRUE(waitForExit(id)) << extras.front().second;
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        EXPECT_TRUE(entries.empty());
    }
}

TEST_F(SendProcessTest, EachFailedCheckEndsTheProcessWithNothingSent) {
    // (Flight mode asks the user first; its popup is tested on the screen.)
    for (const char* profile : {"policy-restricted", "storage-full"}) {
        SCOPED_TRACE(profile);
        applyProfile("phone-bt");
        setBool("db/telephony/flight_mode", false);
        setInt("db/private/mdm/text_messaging/peer", 0);
        setInt("db/private/mdm/text_messaging/SIM1", 0);
        setInt("memory/private/device/storage_free_kb", -1);
        applyProfile(profile);
        int64_t id = launch({{"address", "01012345678"}, {"body_text", "blocked"}});
        ASSERT_TRUE(waitForExit(id));
        std::vector<msg_store::OutboxEntry> entries;
        msg_store::PhoneSide::getOutbox(entries);
        EXPECT_TRUE(entries.empty());
    }
}

TEST_F(SendProcessTest, TheWatchHoldsItsMessagesUntilServiceReturns) {
    applyProfile("standalone");
    applyProfile("no-service");
    int64_t id = launch({{"address", "01012345678"}, {"body_text", "from the watch"}});
    msg_store::OutboxEntry entry;
    ASSERT_TRUE(waitForOutbox(entry));
    EXPECT_EQ(msg_store::FOLDER_WATCH_OUTBOX, entry.folderType);
    // The process tells the user it will be sent later, and ends.
    ASSERT_TRUE(waitForExit(id));
    msg_test::ProgramRun held = msg_test::runProgram("msg-sim", {"watch-send"});
    EXPECT_NE(std::string::npos, held.out.find("held: no service")) << held.out;
    EXPECT_EQ(msg_store::NETWORK_STATUS_SENDING, stored(entry.msgId).networkStatus);
    // Neither can the phone send what the watch holds.
    EXPECT_EQ(1, msg_test::runProgram("msg-sim", {"deliver", std::to_string(entry.msgId)}).exitCode);

    setInt("memory/telephony/service_type", 5);
    ASSERT_EQ(0, msg_test::runProgram("msg-sim", {"watch-send"}).exitCode);
    EXPECT_EQ(msg_store::FOLDER_WATCH_SENT, stored(entry.msgId).folderType);

    // An injected error fails the next send only.
    ASSERT_EQ(0, msg_test::runProgram("msg-sim", {"watch-send", "--fail-next"}).exitCode);
    ASSERT_TRUE(waitForExit(launch({{"address", "01012345678"}, {"body_text", "fails"}})));
    std::vector<msg_store::OutboxEntry> entries;
    msg_store::PhoneSide::getOutbox(entries);
    EXPECT_TRUE(entries.empty());
    launch({{"address", "01012345678"}, {"body_text", "works"}});
    ASSERT_TRUE(waitForOutbox(entry));
}

TEST_F(SendProcessTest, AReplyGoesToItsOnePersonOnce) {
    msg_store::IncomingMessage incoming;
    incoming.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15551234567"}};
    incoming.text = "are you coming?";
    int msgId = -1;
    ASSERT_EQ(0, msg_store::PhoneSide::insertMessage(incoming, &msgId));
    int64_t id = launch({{"selector_send_data_array", "sending_popup"}, {"selected_context", "yes"}},
                        {"address:+1 555 123 4567", "msgId:" + std::to_string(msgId), "read_request:1",
                         "vorlane_log:reply_msg"});
    msg_store::OutboxEntry entry;
    ASSERT_TRUE(waitForOutbox(entry));
    EXPECT_EQ("+15551234567", entry.address);
    EXPECT_EQ("sms", entry.msgType);
    EXPECT_TRUE(msg_test::pumpUntil([&] { return stored(msgId).isRead; }, 10.0));
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(entry.msgId));
    EXPECT_TRUE(waitForExit(id));
}

TEST_F(SendProcessTest, TheComposeProcessSendsTheSelectorsTextAtOnce) {
    int64_t id = launch(
        {{"selected_context", "see you at six"}},
        {"address:010-9876-5432", "caller_app:com.vorlane.message", "vorlane_log:new_msg", "from_type:phone"},
        "com.vorlane.message.appcontrol.compose");
    msg_store::OutboxEntry entry;
    ASSERT_TRUE(waitForOutbox(entry));
    EXPECT_EQ("01098765432", entry.address);
    ASSERT_EQ(0, msg_store::PhoneSide::fail(entry.msgId, msg_store::NETWORK_STATUS_SEND_FAIL));
    ASSERT_TRUE(waitForExit(id));
    EXPECT_EQ("see you at six", stored(entry.msgId).text);

    // Without a recipient it sends nothing and ends.
    int64_t nobody = launch({{"selected_context", "to nobody"}}, {"vorlane_log:new_msg"},
                            "com.vorlane.message.appcontrol.compose");
    ASSERT_TRUE(waitForExit(nobody));
    std::vector<msg_store::OutboxEntry> entries;
    msg_store::PhoneSide::getOutbox(entries);
    EXPECT_TRUE(entries.empty());
}

TEST_F(SendProcessTest, ARequestLargerThanTheEnvironmentArrives) {
    std::vector<std::pair<const char*, std::string>> extras = {{"address", "01012345678"},
                                                               {"body_text", "big"}};
    const char* padding[] = {"pad1", "pad2", "pad3", "pad4"};
    for (const char* key : padding)
        extras.emplace_back(key, std::string(60 * 1024, 'p'));
    int64_t id = launch(extras);
    msg_store::OutboxEntry entry;
    ASSERT_TRUE(waitForOutbox(entry));
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(entry.msgId));
    EXPECT_TRUE(waitForExit(id));
    EXPECT_EQ("big", stored(entry.msgId).text);
}

} // namespace
