// Figures of a conversation of 5,000 messages over 400 days:
//   BM_ThreadStartFirstFrame  msg-app --thread started headless, from the spawn to its first frame with
//                             bubbles, and its peak memory;
//   BM_OpenFirstFrame         in a running application: from the push of the conversation screen (what a
//                             tap on the list does) to the first frame drawn with its bubbles;
//   BM_OlderPage              one older page of bubbles put in, as reaching the top of the list does;
//   BM_ReceivedMessage        one received message applied to the open conversation by its handler;
//   BM_ScrollToOldest         the longest main-loop iteration while the list is scrolled from the newest
//                             message to the oldest, a screen at a time.
#include "AppFirstFrame.h"
#include "HeadlessEnv.h"
#include "MainLoop.h"
#include "Programs.h"
#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonTheme.h"
#include "common/addr/MCommonAddrMgr.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVContentViewController.h"
#include "viewer/MVListViewController.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>
#include <glib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

constexpr int MESSAGES = 5000;
constexpr int64_t DAY_MS = 24 * 3600 * 1000LL;
constexpr int SPAN_DAYS = 400;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One conversation of MESSAGES messages, written in one change.
class ThreadDevice {
public:
    ThreadDevice() {
        setenv("MSG_DEVICE_DIR", _dir.path().c_str(), 1);
        int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
        std::vector<msg_store::IncomingMessage> messages(MESSAGES);
        for (int i = 0; i < MESSAGES; ++i) {
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550177777"}};
            messages[i].text = "Message " + std::to_string(i) + ": see you at the usual place at seven?";
            messages[i].time = now - (MESSAGES - 1 - i) * (SPAN_DAYS * DAY_MS / MESSAGES);
            messages[i].isRead = true;
            messages[i].folderType = i % 3 == 2 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX;
        }
        std::vector<int> ids;
        if (msg_store::PhoneSide::insertMessages(messages, &ids) == msg_store::MSG_STORE_SUCCESS) {
            msg_store::Message stored;
            msg_store::MessageManager().getMessage(ids.front(), stored);
            _threadId = stored.threadId;
        }
        msg_device::Device::closeDefault();
    }
    const std::string& path() const { return _dir.path(); }
    int threadId() const { return _threadId; }

private:
    msg_test::TempDir _dir{"msg-viewer-bench"};
    int _threadId = -1;
};

ThreadDevice& device() {
    static ThreadDevice instance;
    return instance;
}

bool runApp(double& firstFrameMs, long& maxRssKb) {
    double seconds = 0;
    if (!msg_bench::runAppToFirstFrame(
            {"--device", device().path(), "--thread", std::to_string(device().threadId())}, seconds,
            maxRssKb))
        return false;
    firstFrameMs = seconds * 1000.0;
    return true;
}

void BM_ThreadStartFirstFrame(benchmark::State& state) {
    if (device().threadId() < 0)
        return state.SkipWithError("cannot build the device");
    long maxRssKb = 0;
    std::vector<double> times;
    for (auto _ : state) {
        double ms = 0;
        if (!runApp(ms, maxRssKb))
            return state.SkipWithError("msg-app did not show its first frame");
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["peak_rss_MiB"] = static_cast<double>(maxRssKb) / 1024.0;
}
BENCHMARK(BM_ThreadStartFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The application's window with the conversation pushed on its naviframe.
class LiveViewer {
public:
    LiveViewer() {
        setenv("MSG_DEVICE_DIR", device().path().c_str(), 1);
        msg_store::ConnectionManager::connect();
        msg_app::common_ui_helper::set_textdomain();
        _window = std::make_unique<view_kit::WWindowController>();
        _window->create("viewer-bench", 360, 360);
        msg_app::MCommonTheme::getInstance()->init(_window->getEvasObject());
        evas_event_callback_add(evas(), EVAS_CALLBACK_RENDER_POST, _renderedCb, this);
        msg_test::pumpFor(0.1);
    }
    ~LiveViewer() {
        evas_event_callback_del_full(evas(), EVAS_CALLBACK_RENDER_POST, _renderedCb, this);
        _window->destroy();
        _window.reset();
        msg_test::pumpFor(0.05);
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_app::MCommonAddrMgr::release();
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
    }
    // Pushes the conversation; the time to the first frame drawn after it.
    double open() {
        int frames = _frames;
        Clock::time_point start = Clock::now();
        _screen = new msg_app::msg_viewer::MVContentViewController(device().threadId());
        _window->getNaviframeController()->push(_screen, "msg_viewer");
        msg_test::pumpUntil([&] { return _frames > frames; });
        return msSince(start);
    }
    void close() {
        _window->getNaviframeController()->pop();
        msg_test::pumpUntil(
            [&] { return !_window->getNaviframeController()->getTopContentViewController(); });
        _screen = nullptr;
    }
    msg_app::msg_viewer::MVListViewController* list() const {
        return _screen ? _screen->getListView() : nullptr;
    }
    Evas* evas() const { return evas_object_evas_get(_window->getEvasObject()); }

private:
    static void _renderedCb(void* data, Evas*, void*) { ++static_cast<LiveViewer*>(data)->_frames; }

    std::unique_ptr<view_kit::WWindowController> _window;
    msg_app::msg_viewer::MVContentViewController* _screen = nullptr;
    int _frames = 0;
};

void BM_OpenFirstFrame(benchmark::State& state) {
    LiveViewer live;
    std::vector<double> times;
    for (auto _ : state) {
        double ms = live.open();
        if (!live.list() || live.list()->getLoadedCount() == 0)
            return state.SkipWithError("no bubbles");
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
        live.close();
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
}
BENCHMARK(BM_OpenFirstFrame)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_OlderPage(benchmark::State& state) {
    LiveViewer live;
    live.open();
    std::vector<double> times;
    for (auto _ : state) {
        msg_app::msg_viewer::MVListViewController* list = live.list();
        if (list->getLoadedCount() >= list->getModel().getCount()) {
            live.close();
            live.open();
            list = live.list();
        }
        Clock::time_point start = Clock::now();
        list->loadOlderPage();
        evas_smart_objects_calculate(live.evas());
        double ms = msSince(start);
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}
BENCHMARK(BM_OlderPage)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

Clock::time_point arrived, handled;
int handledCount = 0;
void beforeCb(const char*, void*) {
    arrived = Clock::now();
}
void afterCb(const char*, void*) {
    handled = Clock::now();
    ++handledCount;
}

void BM_ReceivedMessage(benchmark::State& state) {
    LiveViewer live;
    // The change feed calls a topic's subscribers in the order they subscribed: the viewer's
    // handler runs between these two.
    msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, beforeCb, nullptr);
    live.open();
    msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, afterCb, nullptr);
    std::vector<double> times;
    int64_t timeMs = static_cast<int64_t>(time(nullptr)) * 1000 + 1000;
    for (auto _ : state) {
        msg_store::IncomingMessage message;
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550177777"}};
        message.text = "A new message for the benchmark";
        message.time = timeMs += 1000;
        int before = handledCount;
        if (msg_store::PhoneSide::insertMessage(message, nullptr) != msg_store::MSG_STORE_SUCCESS ||
            !msg_test::pumpUntil([&] { return handledCount > before; }))
            return state.SkipWithError("the change did not reach the conversation");
        double ms = std::chrono::duration<double, std::milli>(handled - arrived).count();
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
        msg_test::pumpFor(0.005);
    }
    for (auto* cb : {beforeCb, afterCb})
        msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, cb);
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}
BENCHMARK(BM_ReceivedMessage)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_ScrollToOldest(benchmark::State& state) {
    for (auto _ : state) {
        LiveViewer live;
        live.open();
        msg_app::msg_viewer::MVListViewController* list = live.list();
        Evas_Object* genlist = list->getGenlist();
        double longest = 0;
        int steps = 0;
        Clock::time_point start = Clock::now();
        // A screen up at a time, one main-loop iteration each, until the oldest bubble is in.
        for (; steps < 200000; ++steps) {
            Evas_Coord x = 0, y = 0, w = 0, h = 0;
            elm_scroller_region_get(genlist, &x, &y, &w, &h);
            if (y <= 0 && list->getLoadedCount() >= list->getModel().getCount())
                break;
            elm_scroller_region_show(genlist, x, y > h ? y - h : 0, w, h);
            Clock::time_point iteration = Clock::now();
            ecore_main_loop_iterate();
            evas_render(live.evas());
            longest = std::max(longest, msSince(iteration));
        }
        state.SetIterationTime(msSince(start) / 1000.0);
        state.counters["longest_stall_ms"] = longest;
        state.counters["screens"] = steps;
        state.counters["bubbles"] = list->getLoadedCount();
    }
}
BENCHMARK(BM_ScrollToOldest)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    benchmark::Initialize(&argc, argv);
    elm_init(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    elm_shutdown();
    return 0;
}
