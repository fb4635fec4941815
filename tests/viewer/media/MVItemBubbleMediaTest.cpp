// Taps on the pictures and files of a real bubble: what they open, and what they ask of the phone.
#include "BubbleRowFixture.h"

#include "AppRegistry.h"
#include "JournalStore.h"
#include "LaunchJournal.h"
#include "LogCapture.h"
#include "SimSeedMedia.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "message_port.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WViewController.h"
#include "viewer/MVContentOpener.h"
#include "viewer/MVItem/IMVBubbleActions.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"
#include "viewer/media/MVUtility.h"
#include "viewer/media/MVWakeUpServiceMgr.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <tuple>

using namespace msg_app::msg_viewer;
using msg_store::Content;

namespace {

// The shown view of a controller of that name under the object (a row measured for its size has
// views of its own that never show).
Evas_Object* controllerView(Evas_Object* root, const char* name) {
    return msg_test::findObject(root, [name](Evas_Object* obj) {
        auto* vc = wviewcontroller_get_instance_from_evasobj(obj);
        return vc && strcmp(vc->getName(), name) == 0 && evas_object_visible_get(obj);
    });
}

// The view the toasts show on, as the conversation is for its bubbles.
class HostView : public view_kit::WViewController {
protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override { return elm_box_add(parent); }
};

// A tapped content opens for real, as in the conversation; nothing else is asked here.
struct ContentActions : IMVBubbleActions {
    explicit ContentActions(view_kit::WViewController& host) : opener(host, store) {}
    bool resendMessage(MVItemBubble&, std::function<void(bool)>) override { return false; }
    void retrieveMessage(MVItemBubble&) override {}
    void openLink(MVItemBubble&, const char*) override {}
    void openContent(MVItemBubble& bubble, int index) override {
        opener.openContent(*bubble.getConv(), index);
    }
    void openAttachment(const std::string& path) override { opener.openAttachment(path); }
    msg_app::MCommonMsgStore store;
    MVContentOpener opener;
};

class BubbleMediaTest : public BubbleRowFixture {
protected:
    void TearDown() override {
        remove_temp_file_dir();
        BubbleRowFixture::TearDown();
    }
    // A received MMS with the contents, its taps opening them for real.
    MVItemBubble* bubbleWith(const std::vector<Content>& contents) {
        ++_sent;
        msg_store::IncomingMessage in =
            msg_test::message("+1555010000" + std::to_string(_sent), "", 1700000000000 + _sent);
        in.msgType = "mms";
        in.contents = contents;
        if (!_actions) {
            auto* host = new HostView();
            EXPECT_TRUE(host->create(window->win(), nullptr));
            _actions = std::make_unique<ContentActions>(*host);
        }
        return bubbleOf(in, _actions.get());
    }
    // Taps the middle of the content's view; false when the bubble does not show it.
    bool tap(MVItemBubble* bubble, const char* controller) {
        // Events go where the last render put things: the view is looked at after one.
        Evas_Object* view = nullptr;
        if (!msg_test::pumpUntil(
                [&] { return (view = controllerView(MVItemBubbleTestPeer::label(bubble), controller)); }))
            return false;
        // Rows are realized once to be measured and again to be shown: wait until it holds still.
        std::pair<Evas_Object*, std::array<int, 4>> last{}, now{};
        for (int settled = 0; settled < 2 && view;) {
            msg_test::runLoopUntilIdle();
            view = controllerView(MVItemBubbleTestPeer::label(bubble), controller);
            now = {view, msg_test::boxOf(view)};
            settled = now == last ? settled + 1 : 0;
            last = now;
        }
        if (!view)
            return false;
        // The middle of the part inside every clip of it and the window.
        auto [x, y, w, h] = now.second;
        int x1 = std::max(x, 0), y1 = std::max(y, 0), x2 = std::min(x + w, 360), y2 = std::min(y + h, 360);
        for (Evas_Object* clip = evas_object_clip_get(view); clip; clip = evas_object_clip_get(clip)) {
            evas_object_geometry_get(clip, &x, &y, &w, &h);
            x1 = std::max(x1, x), y1 = std::max(y1, y), x2 = std::min(x2, x + w), y2 = std::min(y2, y + h);
        }
        if (x2 <= x1 || y2 <= y1)
            return false;
        window->click((x1 + x2) / 2, (y1 + y2) / 2);
        return true;
    }
    // Taps until the bubble reacts: a row realized again under the finger misses a tap, as on a watch.
    bool tapUntil(MVItemBubble* bubble, const char* controller, const std::function<bool()>& reacted) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (tap(bubble, controller) && msg_test::pumpUntil(reacted, 0.5))
                return true;
        }
        return false;
    }
    bool launched() const { return msg_services::LaunchJournal::list().size() > _launches; }
    msg_services::LaunchEntry lastLaunch() {
        auto all = msg_services::LaunchJournal::list();
        _launches = all.size();
        return all.back();
    }
    static Content picture(const std::string& path) {
        return msg_test::contentOf(Content::MEDIA_TYPE_IMAGE, "image/png", path);
    }

    std::unique_ptr<ContentActions> _actions;
    int _sent = 0;
    size_t _launches = 0;
};

// Copies of equally named files never meeting is the media utility's test.
TEST_F(BubbleMediaTest, APictureOpensAsACopyOrIsAskedOfThePhoneAndAFileOpensWhereItIs) {
    msg_test::TempDir dir("msg-pic");
    std::string source = dir.file("image.jpg");
    ASSERT_TRUE(msg_sim::simWritePng(source, 40, 30, 200));
    ASSERT_TRUE(tapUntil(bubbleWith({picture(source)}), "MVImageViewController", [&] { return launched(); }));
    msg_services::LaunchEntry launch = lastLaunch();
    EXPECT_EQ(launch.operation, APP_CONTROL_OPERATION_VIEW);
    EXPECT_NE(launch.request.find("\"SaveFile\""), std::string::npos);
    EXPECT_EQ(msg_test::fileContents(launch.uri), msg_test::fileContents(source))
        << "the gallery gets a copy of this message's picture";
    EXPECT_NE(launch.uri, source);

    Content onPhone = picture("");
    onPhone.downloadName = "beach.png";
    MVItemBubble* bubble = bubbleWith({onPhone});
    std::vector<msg_store::PhoneRequest> requests;
    ASSERT_TRUE(tapUntil(bubble, "MVImageViewController", [&] {
        return msg_store::PhoneSide::getRequests(requests) == msg_store::MSG_STORE_SUCCESS &&
               !requests.empty();
    }));
    EXPECT_EQ(requests.back().kind, "download_content");
    EXPECT_EQ(requests.back().detail, "beach.png");

    // A file of a kind the table does not know still shows, with the general mark, and opens.
    msg_test::TempDir files("msg-file");
    std::string path = files.file("report.blob");
    ASSERT_TRUE(g_file_set_contents(path.c_str(), "data", -1, nullptr));
    Content file = msg_test::contentOf(Content::MEDIA_TYPE_NONE, "application/vnd.vendor-specific", path);
    file.isAttachment = true;
    ASSERT_TRUE(tapUntil(bubbleWith({file}), "MVAttachmentViewController", [&] { return launched(); }));
    launch = lastLaunch();
    EXPECT_EQ(launch.uri, path);
    EXPECT_NE(launch.request.find("\"ExitOnBack\""), std::string::npos);
}

// The wake-up service's port: registered with the service, answering its notices with the open
// conversation, and let go on close.

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
    // The service's notice to our port, as the service sends it.
    static int notify() {
        bundle* notice = bundle_create();
        int result = message_port_send_message(OUR_APP, PORT, notice);
        bundle_free(notice);
        return result;
    }
    // The service's notice, and the answer our port sent back to it (the service is not ours: its
    // port exists only in the journal).
    std::map<std::string, std::string> ask() {
        size_t before = answers().size();
        EXPECT_EQ(notify(), MESSAGE_PORT_ERROR_NONE);
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
        for (const auto& entry : msg_services::JournalStore::list("journal"))
            if (entry.category == "MESSAGE_PORT")
                out.push_back(entry);
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
    int withContact = conversation("+15550100012", 1);
    int stranger = conversation("+15550100077", 1);
    MVWakeUpServiceMgr* mgr = MVWakeUpServiceMgr::getInstance();

    mgr->init(withContact, true);
    ASSERT_TRUE(mgr->regist());
    EXPECT_TRUE(mgr->isServiceActivated());
    EXPECT_EQ(requestsOf("register"), 1);
    // The conversation open, whether it takes a reply, and the answer given for it.
    const std::tuple<int, bool, std::map<std::string, std::string>> cases[] = {
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
    for (const auto& [thread, supportReply, answer] : cases) {
        SCOPED_TRACE(thread);
        mgr->init(thread, supportReply);
        EXPECT_EQ(ask(), answer);
    }

    mgr->unregist();
    EXPECT_FALSE(mgr->isServiceActivated());
    EXPECT_EQ(requestsOf("unregister"), 1);
    size_t before = answers().size();
    EXPECT_NE(notify(), MESSAGE_PORT_ERROR_NONE) << "the port is gone";
    msg_test::LogCapture log;
    mgr->unregist();
    EXPECT_TRUE(log.contains("voice wakeup service is not activated"));
    EXPECT_EQ(requestsOf("unregister"), 1);
    EXPECT_EQ(answers().size(), before);
}

} // namespace
