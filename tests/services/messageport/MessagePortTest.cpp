#include "message_port.h"

#include "AppRegistry.h"
#include "CommonDeviceTest.h"
#include "JournalStore.h"

#include <cstdlib>
#include <string>

namespace {

constexpr const char* kOurApp = "com.vorlane.message.test";

// The last message as "port sender context".
struct Received {
    std::string last;
    int count = 0;
};

void receiveCb(int portId, const char* remoteAppId, const char*, bool, bundle* message, void* userData) {
    auto* received = static_cast<Received*>(userData);
    char* context = nullptr;
    bundle_get_str(message, "context", &context);
    received->last =
        std::to_string(portId) + " " + (remoteAppId ? remoteAppId : "") + " " + (context ? context : "");
    ++received->count;
}

class MessagePortTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        setenv("MSG_APP_ID", kOurApp, 1);
        CommonDeviceTest::SetUp();
        msg_services::AppInfo app;
        app.appId = app.packageId = kOurApp;
        app.executable = "msg_message_port_tests";
        ASSERT_TRUE(msg_services::AppRegistry::install(app));
    }
    void TearDown() override {
        CommonDeviceTest::TearDown();
        unsetenv("MSG_APP_ID");
    }
};

// Answers to the ports of applications we do not ship, and a port gone after unregistering, are
// checked through the wake-up service; these are what it does not reach.
TEST_F(MessagePortTest, MessageReachesTheRegisteredPortUntilItIsUnregistered) {
    Received received;
    int port = message_port_register_local_port("Voice Wakeup Notification", receiveCb, &received);
    ASSERT_GT(port, 0);
    // The same name gives the same port.
    EXPECT_EQ(message_port_register_local_port("Voice Wakeup Notification", receiveCb, &received), port);

    bundle* message = bundle_create();
    bundle_add_str(message, "context", "msg");
    ASSERT_EQ(message_port_send_message(kOurApp, "Voice Wakeup Notification", message),
              MESSAGE_PORT_ERROR_NONE);
    EXPECT_EQ(received.count, 0); // delivered from the main loop, not inside the call
    ASSERT_TRUE(msg_test::pumpUntil([&] { return received.count == 1; }, 5.0));
    EXPECT_EQ(received.last, std::to_string(port) + " " + kOurApp + " msg");

    ASSERT_EQ(message_port_unregister_local_port(port), MESSAGE_PORT_ERROR_NONE);
    EXPECT_EQ(message_port_unregister_local_port(port), MESSAGE_PORT_ERROR_PORT_NOT_FOUND);

    // Bad input: one of each kind.
    EXPECT_EQ(message_port_register_local_port("p", nullptr, nullptr), MESSAGE_PORT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(message_port_send_message(kOurApp, "", message), MESSAGE_PORT_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(message_port_send_message(kOurApp, "nobody-listens", message),
              MESSAGE_PORT_ERROR_PORT_NOT_FOUND);

    // A tool of the device that is not an installed application (msg-sim asking the running
    // application something) gets its answer on a port of its own while it listens; once it stops
    // listening, the answer goes to the journal like any message to an application we do not ship.
    constexpr const char* tool = "tool-of-the-device";
    setenv("MSG_APP_ID", tool, 1);
    port = message_port_register_local_port("answers", receiveCb, &received);
    ASSERT_GT(port, 0);
    setenv("MSG_APP_ID", kOurApp, 1);
    ASSERT_EQ(message_port_send_message(tool, "answers", message), MESSAGE_PORT_ERROR_NONE);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return received.count == 2; }, 5.0));
    EXPECT_EQ(received.last, std::to_string(port) + " " + kOurApp + " msg");

    setenv("MSG_APP_ID", tool, 1);
    ASSERT_EQ(message_port_unregister_local_port(port), MESSAGE_PORT_ERROR_NONE);
    setenv("MSG_APP_ID", kOurApp, 1);
    EXPECT_EQ(message_port_send_message(tool, "answers", message), MESSAGE_PORT_ERROR_NONE);
    auto journal = msg_services::JournalStore::list("journal", 1);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal.back().text.rfind(std::string(tool) + "/answers ", 0), 0u) << journal.back().text;
    bundle_free(message);
}

} // namespace
