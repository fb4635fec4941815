// The screen reader's reading order of an open conversation, rebuilt as it is after rows are shown,
// received, deleted or select mode changes:
//   BM_AccessChain/<reader>/<messages>  one rebuild of the order of the rows shown, with the reader
//                                       setting off (0) or on (1), for a conversation that fills one
//                                       screen (8 messages) and one of 5,000 opened at its end;
//   BM_ReaderSettingRead                the setting read that each bubble built makes (the only other
//                                       cost with the reader off).
#include "HeadlessEnv.h"
#include "MainLoop.h"
#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVContentViewController.h"
#include "viewer/MVListAccessOrder.h"
#include "viewer/MVListViewController.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

constexpr int64_t MINUTE_MS = 60 * 1000;

// A device with one conversation of `count` messages a minute apart, and the conversation open
// in the application's window.
class OpenConversation {
public:
    explicit OpenConversation(int count) {
        setenv("MSG_DEVICE_DIR", _dir.path().c_str(), 1);
        msg_store::ConnectionManager::connect();
        int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
        std::vector<msg_store::IncomingMessage> messages(count);
        for (int i = 0; i < count; ++i) {
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550177777"}};
            messages[i].text = "Message " + std::to_string(i) + ": see you at the usual place at seven?";
            messages[i].time = now - (count - i) * MINUTE_MS;
            messages[i].isRead = true;
            messages[i].folderType = i % 3 ? msg_store::FOLDER_INBOX : msg_store::FOLDER_SENT;
        }
        std::vector<int> ids;
        msg_store::PhoneSide::insertMessages(messages, &ids);
        msg_store::Message stored;
        msg_store::MessageManager().getMessage(ids.front(), stored);
        msg_app::common_ui_helper::set_textdomain();
        _window = std::make_unique<view_kit::WWindowController>();
        _window->create("access-bench", 360, 360);
        msg_app::MCommonTheme::getInstance()->init();
        _screen = new msg_app::msg_viewer::MVContentViewController(stored.threadId);
        _window->getNaviframeController()->push(_screen, "msg_viewer");
        msg_test::pumpFor(0.5);
    }
    ~OpenConversation() {
        _window->destroy();
        _window.reset();
        msg_test::pumpFor(0.05);
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
    }
    const msg_app::msg_viewer::MVListViewController& list() const { return *_screen->getListView(); }

private:
    msg_test::TempDir _dir{"msg-access-bench"};
    std::unique_ptr<view_kit::WWindowController> _window;
    msg_app::msg_viewer::MVContentViewController* _screen = nullptr;
};

void BM_AccessChain(benchmark::State& state) {
    bool readerOn = state.range(0) != 0;
    OpenConversation open(static_cast<int>(state.range(1)));
    vconf_set_bool("db/setting/accessibility/tts", readerOn);
    // The order follows the setting's change as the screen's own does.
    msg_test::pumpFor(0.2);
    msg_app::msg_viewer::MVListAccessOrder order(open.list());
    std::vector<double> times;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        order.rebuild();
        double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        state.SetIterationTime(us / 1e6);
        times.push_back(us);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_us"] = times[times.size() / 2];
    state.counters["max_us"] = times.back();
    Eina_List* shown = elm_genlist_realized_items_get(open.list().getGenlist());
    state.counters["rows_shown"] = eina_list_count(shown);
    eina_list_free(shown);
}
BENCHMARK(BM_AccessChain)
    ->ArgsProduct({{0, 1}, {8, 5000}})
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMicrosecond);

void BM_ReaderSettingRead(benchmark::State& state) {
    OpenConversation open(1);
    vconf_set_bool("db/setting/accessibility/tts", false);
    for (auto _ : state)
        benchmark::DoNotOptimize(msg_app::common_util::is_screen_reader_enabled());
}
BENCHMARK(BM_ReaderSettingRead)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    return msg_bench::runWidgetBenchmarks(argc, argv);
}
