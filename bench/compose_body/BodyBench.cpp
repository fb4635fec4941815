// Figures of the composer's body screen, headless on a fresh device with a Bluetooth phone:
//   BM_CounterUpdate/N     the message row given a text of N characters: the measurement against the
//                          text encoder, the counter's labels and the preview's text;
//   BM_EditorKeystroke/N   one character typed into the editor holding N - 1: the length filter and
//                          the change handler's type check, with the entry's own insertion;
//   BM_PasteThroughFilter  1,200 characters pasted into the empty editor where MMS is sent (the first
//                          1,000 kept), and how many times the filter measured the text;
//   BM_ComposeFirstFrame   msg-compose started for a shared text to a known recipient, from the spawn
//                          to its first frame (the body screen).
#include "DeviceProfiles.h"
#include "HeadlessEnv.h"
#include "MainLoop.h"
#include "Programs.h"
#include "TempDir.h"
#include "ToolkitDaemon.h"
#include "app_control.h"
#include "common/CommonUiHelper.h"
#include "common/Preference.h"
#include "common/ui/MCommonI18n.h"
#include "common/ui/MCommonTheme.h"
#include "compose/MCUtil.h"
#include "compose/body/MCBodyContentViewController.h"
#include "compose/body/MCBodyEntryContentViewController.h"
#include "compose/body/MCBodyLengthFilter.h"
#include "compose/body/MCItemBody.h"
#include "device/Device.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MsgStoreTypes.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>
#include <glib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using Clock = std::chrono::steady_clock;
using namespace msg_app::compose;

namespace {

constexpr int PASTE_CHARS = 1200;
constexpr double FIRST_FRAME_TARGET_MS = 300.0;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

msg_test::TempDir& deviceDir() {
    static msg_test::TempDir dir{"msg-body-bench"};
    return dir;
}

// The window with the body screen of a message to one recipient.
class LiveBody {
public:
    LiveBody() {
        msg_store::ConnectionManager::connect();
        msg_app::preference::set(msg_store::PREF_BOOL_SUPPORT_SENDING_MMS, true);
        msg_app::common_ui_helper::set_textdomain();
        _window = std::make_unique<view_kit::WWindowController>();
        _window->create("body-bench", 360, 360);
        msg_app::MCommonTheme::getInstance()->init();
        _msg = std::make_shared<MCMsgData>();
        _msg->recipient = {"+15550100001"};
        _screen = new MCBodyContentViewController(_msg, nullptr);
        _window->getNaviframeController()->push(_screen);
        msg_test::pumpFor(0.2);
    }
    ~LiveBody() {
        _window->destroy();
        _window.reset();
        msg_test::pumpFor(0.05);
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_app::MCommonI18n::release();
        msg_store::ConnectionManager::disconnect();
    }
    MCItemBody* body() const { return _screen->getBodyItem(); }
    // Opens the editor as a tap on the preview does.
    MCBodyEntryContentViewController* openEditor() {
        evas_object_smart_callback_call(body()->getEntry(), "clicked", nullptr);
        msg_test::pumpFor(0.3);
        return dynamic_cast<MCBodyEntryContentViewController*>(
            _window->getNaviframeController()->getTopContentViewController());
    }

private:
    std::unique_ptr<view_kit::WWindowController> _window;
    std::shared_ptr<MCMsgData> _msg;
    MCBodyContentViewController* _screen = nullptr;
};

void BM_CounterUpdate(benchmark::State& state) {
    LiveBody live;
    std::string text(static_cast<size_t>(state.range(0)) - 1, 'a');
    char last = 'a';
    for (auto _ : state) {
        std::string typed = text + last;
        last = last == 'z' ? 'a' : static_cast<char>(last + 1);
        Clock::time_point start = Clock::now();
        live.body()->setTextToEntry(typed.c_str());
        state.SetIterationTime(msSince(start) / 1000.0);
    }
}
BENCHMARK(BM_CounterUpdate)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);

void BM_EditorKeystroke(benchmark::State& state) {
    LiveBody live;
    MCBodyEntryContentViewController* editor = live.openEditor();
    if (!editor) {
        state.SkipWithError("the editor did not open");
        return;
    }
    std::string start(static_cast<size_t>(state.range(0)) - 1, 'a');
    for (auto _ : state) {
        state.PauseTiming();
        elm_entry_entry_set(editor->getEntry(), start.c_str());
        elm_entry_cursor_end_set(editor->getEntry());
        state.ResumeTiming();
        Clock::time_point begin = Clock::now();
        elm_entry_entry_insert(editor->getEntry(), "k");
        state.SetIterationTime(msSince(begin) / 1000.0);
    }
}
BENCHMARK(BM_EditorKeystroke)
    ->Arg(10)
    ->Arg(1000)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMicrosecond);

void BM_PasteThroughFilter(benchmark::State& state) {
    LiveBody live;
    MCBodyEntryContentViewController* editor = live.openEditor();
    if (!editor) {
        state.SkipWithError("the editor did not open");
        return;
    }
    const std::string paste(PASTE_CHARS, 'p');
    size_t kept = 0;
    for (auto _ : state) {
        elm_entry_entry_set(editor->getEntry(), "");
        Clock::time_point begin = Clock::now();
        elm_entry_entry_insert(editor->getEntry(), paste.c_str());
        state.SetIterationTime(msSince(begin) / 1000.0);
        kept = editor->getPlainText().size();
    }
    // The filter alone, counting its measurements of the text.
    int measurements = 0;
    MCBodyLengthFilter filter([&](const std::string& text) {
        ++measurements;
        return MCUtil::isTextOverMmsLimit(const_cast<char*>(text.c_str()), nullptr, nullptr, nullptr, false);
    });
    filter.fit("", paste, "");
    state.counters["kept"] = static_cast<double>(kept);
    state.counters["measurements"] = measurements;
}
BENCHMARK(BM_PasteThroughFilter)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// Spawn to the first frame of msg-compose for a shared text; the process is then asked to end.
double composeFirstFrameMs() {
    std::string request = std::string("{\"app_id\":\"com.vorlane.message.appcontrol.compose\",\"caller\":"
                                      "\"com.example.bench\",\"launch_mode\":0,\"operation\":\"") +
                          APP_CONTROL_OPERATION_SHARE_TEXT + "\",\"uri\":\"sms:+15550100001\",\"extra\":{\"" +
                          APP_CONTROL_DATA_TEXT + "\":\"Shared from the benchmark\"}}";
    gchar** env = g_get_environ();
    env = g_environ_setenv(env, "MSG_APP_CONTROL", request.c_str(), TRUE);
    env = g_environ_setenv(env, "MSG_APP_ID", "com.vorlane.message.appcontrol.compose", TRUE);
    env = g_environ_setenv(env, "MSG_SEND_TIMING", "1", TRUE);
    msg_bench::holdToolkitDaemon();
    std::string exe = msg_test::binDir() + "/msg-compose";
    gchar* argv[] = {const_cast<gchar*>(exe.c_str()), nullptr};
    GPid pid = 0;
    int out = -1;
    timespec begin{};
    clock_gettime(CLOCK_MONOTONIC, &begin);
    gboolean ok = g_spawn_async_with_pipes(
        nullptr, argv, env, static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDERR_TO_DEV_NULL),
        nullptr, nullptr, &pid, nullptr, &out, nullptr, nullptr);
    g_strfreev(env);
    if (!ok)
        return -1;
    double start = static_cast<double>(begin.tv_sec) + static_cast<double>(begin.tv_nsec) / 1e9;
    double firstFrame = -1;
    FILE* stream = fdopen(out, "r");
    char line[256];
    while (stream && fgets(line, sizeof(line), stream)) {
        double mark = 0;
        if (sscanf(line, "first-frame-monotonic %lf", &mark) == 1) {
            firstFrame = (mark - start) * 1000.0;
            break;
        }
    }
    // The body waits for the user: it is closed as the device would close it.
    kill(pid, SIGTERM);
    if (stream)
        fclose(stream);
    int status = 0;
    waitpid(pid, &status, 0);
    return firstFrame;
}

void BM_ComposeFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        double ms = composeFirstFrameMs();
        if (ms < 0) {
            state.SkipWithError("msg-compose drew no frame");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["target_ms"] = FIRST_FRAME_TARGET_MS;
}
BENCHMARK(BM_ComposeFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    setenv("MSG_DEVICE_DIR", deviceDir().path().c_str(), 1);
    std::string error;
    if (!msg_services::DeviceProfiles::apply("phone-bt", &error)) {
        fprintf(stderr, "cannot set up the device: %s\n", error.c_str());
        return 1;
    }
    return msg_bench::runWidgetBenchmarks(argc, argv);
}
