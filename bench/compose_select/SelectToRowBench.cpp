// From the input selector's Send to the new row: the application runs headless on its conversation
// list (the same Application class msg-app runs), a reply's selector request waits in the launch
// journal, and it is answered with the text as `msg-sim select ID --text T` answers it. The composer's
// process sends, the phone delivers it as soon as it reaches the outbox, and the clock stops when the
// list's top row shows the text as sent.
#include "HeadlessEnv.h"
#include "LaunchJournal.h"
#include "MainLoop.h"
#include "Programs.h"
#include "ScreenRegistry.h"
#include "SelectorAnswer.h"
#include "TempDir.h"

#include "AppScreens.h"
#include "Application.h"
#include "LaunchOptions.h"
#include "app_control.h"
#include "list/MLContentViewController.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;
using msg_services::LaunchJournal;

namespace {

constexpr const char* PEER = "+15550100042";
constexpr const char* SELECTOR_APP = "com.vorlane.w-input-selector";
constexpr const char* COMPOSE_APP = "com.vorlane.message.appcontrol.compose";
constexpr double LIMIT_SECONDS = 30.0;

// A device paired with its phone, holding a few conversations, one of them with PEER.
class SelectDevice {
public:
    SelectDevice() {
        setenv("MSG_DEVICE_DIR", _dir.path().c_str(), 1);
        std::vector<msg_store::IncomingMessage> messages(20);
        for (size_t i = 0; i < messages.size(); ++i) {
            std::string from = i == 0 ? PEER : "+1555020" + std::to_string(1000 + i);
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
            messages[i].text = "Are you coming tonight? " + std::to_string(i);
            messages[i].time = (static_cast<int64_t>(time(nullptr)) - 3600 + static_cast<int64_t>(i)) * 1000;
            messages[i].isRead = true;
            messages[i].folderType = msg_store::FOLDER_INBOX;
        }
        _ready = msg_store::PhoneSide::insertMessages(messages, nullptr) == msg_store::MSG_STORE_SUCCESS &&
                 msg_test::runProgram("msg-sim", {"profile", "phone-bt"}).exitCode == 0;
    }
    bool ready() const { return _ready; }

private:
    msg_test::TempDir _dir{"msg-select-bench"};
    bool _ready = false;
};

// The application on its conversation list, as msg-app opens it.
class LiveApp {
public:
    LiveApp() {
        msg_app::shell::registerAppScreens(msg_app::shell::ScreenRegistry::getInstance());
        msg_app::shell::LaunchOptions::quietPlatformLogs();
        msg_app::shell::Application::Options options;
        options.screen = msg_app::shell::CONVERSATION_LIST_SCREEN;
        options.preloadConversations = true;
        _app = std::make_unique<msg_app::shell::Application>(options);
        _started =
            _app->start() && msg_test::pumpUntil([this] { return genlist() != nullptr; }, LIMIT_SECONDS);
    }
    ~LiveApp() { _app->stop(); }
    bool started() const { return _started; }

    Evas_Object* genlist() const {
        auto* content = dynamic_cast<msg_app::msg_list::MLContentViewController*>(
            _app->getWindowController()->getNaviframeController()->getTopContentViewController());
        auto list = content ? content->getListView().lock() : nullptr;
        return list ? list->getGenlist() : nullptr;
    }
    // The top row shows the text, sent.
    bool showsSent(const std::string& text) const {
        Evas_Object* list = genlist();
        Elm_Object_Item* item = list ? elm_genlist_first_item_get(list) : nullptr;
        for (; item; item = elm_genlist_item_next_get(item)) {
            auto* row = dynamic_cast<msg_app::msg_list::MLItemContent*>(
                static_cast<view_kit::WGenlistItem*>(elm_object_item_data_get(item)));
            if (!row)
                continue;
            std::string body;
            row->getModel().getBody(body);
            return body == text && row->getModel().getFolderType() == msg_store::FOLDER_SENT;
        }
        return false;
    }

private:
    std::unique_ptr<msg_app::shell::Application> _app;
    bool _started = false;
};

// The reply's request to the selector, as the conversation sends it; its journal id.
int64_t askSelector() {
    app_control_h request = nullptr;
    app_control_create(&request);
    app_control_set_app_id(request, SELECTOR_APP);
    app_control_set_launch_mode(request, APP_CONTROL_LAUNCH_MODE_GROUP);
    std::string address = std::string("address:") + PEER;
    const char* items[] = {address.c_str(), "caller_app:com.vorlane.message", "vorlane_log:reply_msg",
                           "sending_popup:hide"};
    app_control_add_extra_data_array(request, "selector_keyboard_data_array", items, 4);
    app_control_add_extra_data(request, "selector_keyboard_app_id", COMPOSE_APP);
    int err = app_control_send_launch_request(request, nullptr, nullptr);
    app_control_destroy(request);
    return err == APP_CONTROL_ERROR_NONE ? LaunchJournal::list(1).back().id : -1;
}

// Answers the request as the selector's window does (its own application id as the caller).
bool answerWithText(int64_t id, const std::string& text) {
    app_control_h received = LaunchJournal::openReceived(id);
    if (!received)
        return false;
    const char* prior = getenv("MSG_APP_ID");
    std::string before = prior ? prior : "";
    setenv("MSG_APP_ID", SELECTOR_APP, 1);
    bool sent = msg_app::input::SelectorAnswer::sendText(received, text);
    if (prior)
        setenv("MSG_APP_ID", before.c_str(), 1);
    else
        unsetenv("MSG_APP_ID");
    app_control_destroy(received);
    return sent;
}

// The phone's side: what reaches the outbox is delivered at once.
bool deliverOutbox() {
    std::vector<msg_store::OutboxEntry> outbox;
    if (msg_store::PhoneSide::getOutbox(outbox) != msg_store::MSG_STORE_SUCCESS || outbox.empty())
        return false;
    for (const auto& entry : outbox)
        msg_store::PhoneSide::deliver(entry.msgId);
    return true;
}

void BM_SelectorSendToRow(benchmark::State& state) {
    static SelectDevice device;
    if (!device.ready())
        return state.SkipWithError("cannot seed the device");
    LiveApp app;
    if (!app.started())
        return state.SkipWithError("the application did not show its list");
    int round = 0;
    double toOutboxMs = 0;
    for (auto _ : state) {
        int64_t id = askSelector();
        if (id < 0)
            return state.SkipWithError("the selector request was refused");
        std::string text = "On my way, " + std::to_string(++round);
        Clock::time_point start = Clock::now();
        if (!answerWithText(id, text))
            return state.SkipWithError("the selector's answer failed");
        if (!msg_test::pumpUntil(deliverOutbox, LIMIT_SECONDS))
            return state.SkipWithError("the composer never queued the message");
        toOutboxMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!msg_test::pumpUntil([&] { return app.showsSent(text); }, LIMIT_SECONDS))
            return state.SkipWithError("the sent message never showed in the list");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        LaunchJournal::requestTerminate(id);
    }
    // Of the whole: the composer's process started and the message queued.
    state.counters["to_outbox_ms"] = round ? toOutboxMs / round : 0;
}
BENCHMARK(BM_SelectorSendToRow)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    // The launch service starts the selector and the composer from the build's programs.
    setenv("MSG_BIN_DIR", msg_test::binDir().c_str(), 0);
    elm_init(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    elm_shutdown();
    return 0;
}
