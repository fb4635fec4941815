// Bundles and launch requests: building them, starting our executables, replies, terminate requests;
// the platform journal they write to (the usage log is checked through the application's own entries).
#include "FeedSync.h"
#include "ServicesFixture.h"

#include "AppRegistry.h"
#include "JournalStore.h"
#include "LaunchJournal.h"
#include "app_control.h"
#include "bundle.h"
#include "journal.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using msg_services::AppInfo;
using msg_services::AppRegistry;
using msg_services::JournalStore;
using msg_services::LaunchJournal;

namespace {

constexpr const char* kTestApp = "com.vorlane.services-testapp";

// An extra's text, or "<error>".
std::string extra(app_control_h h, const char* key) {
    char* value = nullptr;
    int error = app_control_get_extra_data(h, key, &value);
    std::string text = error == APP_CONTROL_ERROR_NONE && value ? value : "<" + std::to_string(error) + ">";
    std::free(value);
    return text;
}

struct Reply {
    int calls = 0;
    app_control_h request = nullptr;
    app_control_result_e result = APP_CONTROL_RESULT_FAILED;
    std::string extras; // echo | items | caller
};

void replyCb(app_control_h request, app_control_h reply, app_control_result_e result, void* data) {
    auto* seen = static_cast<Reply*>(data);
    ++seen->calls;
    seen->request = request;
    seen->result = result;
    seen->extras = extra(reply, "echo") + " | " + extra(reply, "items") + " | " + extra(reply, "caller");
}

bool journalHas(const std::string& text) {
    auto entries = JournalStore::list("journal");
    return std::any_of(entries.begin(), entries.end(),
                       [&](const auto& entry) { return entry.category == "TESTAPP" && entry.text == text; });
}

class LaunchTest : public ServicesTest {
protected:
    void SetUp() override {
        ServicesTest::SetUp();
        AppInfo app;
        app.appId = app.packageId = kTestApp;
        app.executable = "msg-services-testapp";
        app.operations = {APP_CONTROL_OPERATION_DEFAULT};
        ASSERT_TRUE(AppRegistry::install(app));
    }

    app_control_h testRequest(const char* wait = nullptr) {
        app_control_h h = nullptr;
        EXPECT_EQ(app_control_create(&h), APP_CONTROL_ERROR_NONE);
        app_control_set_app_id(h, kTestApp);
        app_control_add_extra_data(h, "text", "hello 👋");
        const char* items[] = {"address:+15551234", "caller_app:com.vorlane.message"};
        app_control_add_extra_data_array(h, "items", items, 2);
        if (wait)
            app_control_add_extra_data(h, "wait", wait);
        return h;
    }
};

using AppControlTest = ServicesTest;
using JournalTest = ServicesTest;

} // namespace

// Encoded bundles are read back by the wake-up service's test, which decodes the answers of our port.
TEST_F(AppControlTest, BundlesAndRequestsRefuseBadHandlesTextAndEncodingsAndACloneKeepsTheExtras) {
    bundle* b = bundle_create();
    ASSERT_EQ(bundle_add_str(b, "app_id", "com.vorlane.message"), BUNDLE_ERROR_NONE);
    EXPECT_EQ(bundle_add_str(b, "app_id", "again"), BUNDLE_ERROR_KEY_EXISTS);
    EXPECT_EQ(bundle_add_str(b, "bad", "\xc0\x80"), BUNDLE_ERROR_INVALID_PARAMETER);
    const char* items[] = {"a"};
    EXPECT_EQ(bundle_add_str_array(b, "neg", items, -1), BUNDLE_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(bundle_get_count(b), 1);
    bundle_free(b);
    for (const std::string notBundle : {"[1, 2]", "{\"a\": "})
        EXPECT_EQ(bundle_decode(reinterpret_cast<const bundle_raw*>(notBundle.c_str()), notBundle.size()),
                  nullptr)
            << notBundle;

    app_control_h h = nullptr;
    ASSERT_EQ(app_control_create(&h), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_add_extra_data(h, "number", "1"), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_add_extra_data(h, "number", "2"), APP_CONTROL_ERROR_NONE);
    const char* list[] = {"x", "y"};
    ASSERT_EQ(app_control_add_extra_data_array(h, "list", list, 2), APP_CONTROL_ERROR_NONE);
    app_control_h clone = nullptr;
    ASSERT_EQ(app_control_clone(&clone, h), APP_CONTROL_ERROR_NONE);
    ASSERT_EQ(app_control_destroy(h), APP_CONTROL_ERROR_NONE);
    EXPECT_EQ(extra(clone, "number"), "2");
    EXPECT_EQ(extra(clone, "list"), "<" + std::to_string(APP_CONTROL_ERROR_INVALID_DATA_TYPE) + ">");

    // A destroyed handle is refused, never used; text that is not valid is refused, not read back changed.
    EXPECT_EQ(app_control_set_operation(h, "x"), APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_add_extra_data(clone, "bad", "\xff"), APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_set_launch_mode(clone, static_cast<app_control_launch_mode_e>(5)),
              APP_CONTROL_ERROR_INVALID_PARAMETER);
    app_control_destroy(clone);
}

TEST_F(LaunchTest, OurExecutableReadsTheRequestAndTheReplyArrivesOnTheMainLoop) {
    app_control_h request = testRequest();
    Reply reply;
    ASSERT_EQ(app_control_send_launch_request(request, replyCb, &reply), APP_CONTROL_ERROR_NONE);
    EXPECT_EQ(reply.calls, 0); // never inside the call
    ASSERT_TRUE(msg_test::pumpUntil([&] { return reply.calls > 0; }, 10.0));
    EXPECT_EQ(reply.request, request);
    EXPECT_EQ(reply.result, APP_CONTROL_RESULT_SUCCEEDED);
    EXPECT_EQ(reply.extras,
              "hello 👋 | address:+15551234,caller_app:com.vorlane.message | " + AppRegistry::currentAppId());

    ASSERT_TRUE(msg_test::pumpUntil([] { return !JournalStore::list("journal").empty(); }, 10.0));
    msg_services::LaunchEntry entry;
    int64_t id = LaunchJournal::list().back().id;
    // The process's end is recorded once its work is done.
    ASSERT_TRUE(
        msg_test::pumpUntil([&] { return LaunchJournal::find(id, entry) && entry.status == "exited"; }, 10.0))
        << entry.status;
    EXPECT_GT(entry.pid, 0);
    EXPECT_TRUE(entry.replied);
    EXPECT_TRUE(entry.wantsReply);
    // The second answer of the application was refused.
    EXPECT_TRUE(journalHas("replied 0 again " + std::to_string(APP_CONTROL_ERROR_INVALID_PARAMETER)));
    app_control_destroy(request);

    // A reply for a request destroyed meanwhile reaches nobody.
    request = testRequest();
    ASSERT_EQ(app_control_send_launch_request(request, replyCb, &reply), APP_CONTROL_ERROR_NONE);
    app_control_destroy(request);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return LaunchJournal::list().back().id != id; }, 10.0));
    ASSERT_TRUE(msg_test::pumpUntil([] { return LaunchJournal::list().back().replied; }, 10.0));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(reply.calls, 1);
}

TEST_F(LaunchTest, ATerminateRequestClosesTheStartedApplication) {
    app_control_h request = testRequest("terminate");
    ASSERT_EQ(app_control_send_launch_request(request, nullptr, nullptr), APP_CONTROL_ERROR_NONE);
    ASSERT_TRUE(msg_test::pumpUntil([] { return journalHas("waiting"); }, 10.0));
    ASSERT_EQ(app_control_send_terminate_request(request), APP_CONTROL_ERROR_NONE);
    EXPECT_TRUE(msg_test::pumpUntil([] { return journalHas("terminated"); }, 10.0));
    EXPECT_TRUE(LaunchJournal::list().back().terminateRequested);
    app_control_destroy(request);
}

TEST_F(LaunchTest, ReceivingSideRefusesWhatItCannotAnswerAndAMissingExecutableFails) {
    app_control_h request = nullptr;
    unsetenv("MSG_APP_CONTROL");
    EXPECT_EQ(app_control_get_launch_request(&request), APP_CONTROL_ERROR_KEY_NOT_FOUND);
    app_control_h reply = nullptr;
    app_control_create(&reply);
    app_control_create(&request);
    // A request created here was not received, so it cannot be answered; nor, never sent, terminated.
    EXPECT_EQ(app_control_reply_to_launch_request(reply, request, APP_CONTROL_RESULT_SUCCEEDED),
              APP_CONTROL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(app_control_send_terminate_request(request), APP_CONTROL_ERROR_INVALID_PARAMETER);
    app_control_destroy(reply);

    AppInfo ghost;
    ghost.appId = ghost.packageId = "com.vorlane.ghost";
    ghost.executable = "msg-no-such-program";
    ASSERT_TRUE(AppRegistry::install(ghost));
    app_control_set_app_id(request, "com.vorlane.ghost");
    EXPECT_EQ(app_control_send_launch_request(request, nullptr, nullptr), APP_CONTROL_ERROR_LAUNCH_FAILED);
    EXPECT_EQ(LaunchJournal::list().back().status, "failed");
    app_control_destroy(request);
}

TEST_F(JournalTest, JournalLinesKeepTheirOrderAndTextAndBadOnesAreRefused) {
    ASSERT_EQ(journal_log("MESSAGE", "SMS_MSG_OPENED"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "MMS_MSG_OPENED %s", "+15551234"), JOURNAL_ERROR_NONE);
    ASSERT_EQ(journal_log("MESSAGE", "%s", "100% text"), JOURNAL_ERROR_NONE);
    EXPECT_EQ(journal_log(nullptr, "x"), JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", std::string(JOURNAL_TEXT_MAX + 1, 'x').c_str()),
              JOURNAL_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(journal_log("MESSAGE", "%s", "\xed\xa0\x80"), JOURNAL_ERROR_INVALID_PARAMETER);
    auto entries = JournalStore::list("journal");
    std::vector<std::string> lines;
    for (const auto& entry : entries)
        lines.push_back(entry.category + " " + entry.text);
    ASSERT_EQ(lines, (std::vector<std::string>{"MESSAGE SMS_MSG_OPENED", "MESSAGE MMS_MSG_OPENED +15551234",
                                               "MESSAGE 100% text"}));
    EXPECT_EQ(entries[0].app, msg_services::AppRegistry::currentAppId());
    EXPECT_LT(entries[0].seq, entries[1].seq);
}
