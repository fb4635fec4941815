// The wake-up service's port: registered with the service, answering its notices with the open
// conversation, and let go on close.
#include "ListRowFixture.h"

#include "AppRegistry.h"
#include "JournalStore.h"
#include "LaunchJournal.h"
#include "LogCapture.h"
#include "ViewerTestSupport.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "message_port.h"
#include "msg_store/MsgStore.h"
#include "viewer/media/MVWakeUpServiceMgr.h"

#include <cstdlib>
#include <map>

using msg_app::msg_viewer::MVWakeUpServiceMgr;

namespace {

constexpr const char* OUR_APP = "com.vorlane.message.test";
constexpr const char* PORT = "Voice Wakeup Notification";

class WakeUpServiceTest : public ListRowFixture {
protected:
    void SetUp() override {
        setenv("MSG_APP_ID", OUR_APP, 1);
        ListRowFixture::SetUp();
        msg_services::AppInfo app;
        app.appId = app.packageId = OUR_APP;
        app.executable = "msg_viewer_bubble_media_tests";
        ASSERT_TRUE(msg_services::AppRegistry::install(app));
    }
    void TearDown() override {
        MVWakeUpServiceMgr::getInstance()->unregist();
        ListRowFixture::TearDown();
        unsetenv("MSG_APP_ID");
    }
    int threadOf(const std::string& from) {
        return msg_test::threadOf(
            msg_test::storeMessages({msg_test::message(from, "hi", 1700000000000)}).front());
    }
    // The service's notice, and the answer our port sent back to it (the service is not ours: its
    // port exists only in the journal).
    std::map<std::string, std::string> ask() {
        size_t before = answers().size();
        bundle* notice = bundle_create();
        EXPECT_EQ(message_port_send_message(OUR_APP, PORT, notice), MESSAGE_PORT_ERROR_NONE);
        bundle_free(notice);
        std::map<std::string, std::string> answer;
        if (!msg_test::pumpUntil([&] { return answers().size() > before; }))
            return answer;
        std::string text = answers().back().text;
        EXPECT_EQ(text.rfind("com.vorlane.wusvc/voice-context-response-port ", 0), 0u) << text;
        std::string encoded = text.substr(text.find(' ') + 1);
        bundle* decoded = bundle_decode(reinterpret_cast<const bundle_raw*>(encoded.c_str()),
                                        static_cast<int>(encoded.size()));
        for (const char* key : {"context", "contact_id", "display_name", "phone_number"}) {
            char* value = nullptr;
            if (decoded && bundle_get_str(decoded, key, &value) == 0 && value)
                answer[key] = value;
        }
        bundle_free(decoded);
        return answer;
    }
    static std::vector<msg_services::JournalEntry> answers() {
        std::vector<msg_services::JournalEntry> out;
        for (const auto& entry : msg_services::JournalStore::list("journal")) {
            if (entry.category == "MESSAGE_PORT")
                out.push_back(entry);
        }
        return out;
    }
    static int requestsOf(const char* type) {
        int count = 0;
        for (const auto& launch : msg_services::LaunchJournal::list())
            count += launch.target == "com.vorlane.wusvc" &&
                     launch.request.find(std::string("\"") + type + "\"") != std::string::npos;
        return count;
    }
};

TEST_F(WakeUpServiceTest, AnswersWithTheOpenConversationUntilUnregisteredTwice) {
    int contactId = 0;
    ASSERT_TRUE(contacts_admin::addPerson(msg_device::Device::getDefault(), "Zoe Park", {"+15550100012"},
                                          &contactId));
    int withContact = threadOf("+15550100012");
    int stranger = threadOf("+15550100077");
    MVWakeUpServiceMgr* mgr = MVWakeUpServiceMgr::getInstance();

    mgr->init(withContact, true);
    ASSERT_TRUE(mgr->regist());
    EXPECT_TRUE(mgr->isServiceActivated());
    EXPECT_EQ(requestsOf("register"), 1);
    struct Case {
        int thread;
        bool supportReply;
        std::map<std::string, std::string> answer;
    } cases[] = {
        {withContact,
         true,
         {{"context", "msg"},
          {"contact_id", std::to_string(contactId)},
          {"display_name", "Zoe Park"},
          {"phone_number", "+15550100012"}}},
        {stranger, true, {{"context", "msg"}, {"phone_number", "+15550100077"}}},
        {stranger, false, {{"context", "none"}}},
        // A conversation whose addresses cannot be read still gets an answer, naming nobody.
        {987654, true, {{"context", "msg"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.thread);
        mgr->init(c.thread, c.supportReply);
        EXPECT_EQ(ask(), c.answer);
    }

    mgr->unregist();
    EXPECT_FALSE(mgr->isServiceActivated());
    EXPECT_EQ(requestsOf("unregister"), 1);
    size_t before = answers().size();
    bundle* notice = bundle_create();
    EXPECT_NE(message_port_send_message(OUR_APP, PORT, notice), MESSAGE_PORT_ERROR_NONE)
        << "the port is gone";
    bundle_free(notice);
    msg_test::LogCapture log;
    mgr->unregist();
    EXPECT_TRUE(log.contains("voice wakeup service is not activated"));
    EXPECT_EQ(requestsOf("unregister"), 1);
    EXPECT_EQ(answers().size(), before);
}

} // namespace
