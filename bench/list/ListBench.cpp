// Figures of the conversation list with 10,000 and 50,000 conversations:
//   BM_FirstFrameWithRows   msg-app started headless on the list, from the spawn to its first frame
//                           (the rows are appended before the screen is shown), and its peak memory;
//   BM_StorageChangeMovesRow one new message in the oldest conversation of a live list: the time the
//                           list's storage-change handler takes to move that row to the top, and
//                           after each, the toolkit's floor: a bare genlist of as many rows, of the
//                           toolkit's own two-line style as tall as ours, moving its last row to its top;
//   BM_StorageChangeTopRow  one new message in the newest conversation: the row is redrawn in place.
// The handler is timed between two subscribers of the same change, one registered before the list
// and one after it: the change feed calls a topic's subscribers in the order they subscribed.
#include "AppFirstFrame.h"
#include "BigListDevice.h"
#include "FloorGenlist.h"
#include "HeadlessEnv.h"
#include "Measure.h"

#include "MainLoop.h"
#include "Programs.h"
#include "common/CommonUiHelper.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "dlog.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>
#include <glib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

using msg_bench::BigListDevice;
using msg_bench::median;
using msg_bench::threadCpuMs;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int SMALL = 10000;
constexpr int LARGE = 50000;

BigListDevice& deviceOf(int conversations) {
    static std::map<int, std::unique_ptr<BigListDevice>> devices;
    auto& device = devices[conversations];
    if (!device)
        device = std::make_unique<BigListDevice>(conversations);
    return *device;
}

// One msg-app run on the device's list: seconds from the spawn to the first frame, and the peak RSS.
bool runApp(const BigListDevice& device, double& firstFrameSeconds, long& maxRssKb) {
    return msg_bench::runAppToFirstFrame({"--device", device.path()}, firstFrameSeconds, maxRssKb);
}

void BM_FirstFrameWithRows(benchmark::State& state) {
    BigListDevice& device = deviceOf(static_cast<int>(state.range(0)));
    if (!device.isReady())
        return state.SkipWithError("cannot build the device");
    long maxRssKb = 0;
    std::vector<double> times;
    for (auto _ : state) {
        double seconds = 0;
        if (!runApp(device, seconds, maxRssKb)) {
            state.SkipWithError("msg-app did not show its first frame");
            break;
        }
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000.0);
    }
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["peak_rss_MiB"] = static_cast<double>(maxRssKb) / 1024.0;
    state.counters["conversations"] = device.conversations();
}
BENCHMARK(BM_FirstFrameWithRows)
    ->Arg(SMALL)
    ->Arg(LARGE)
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

// A list screen's list on a window of its own, over the device, with the two timing subscribers
// around its storage-change handler.
class LiveList {
public:
    // `settle`: the loop runs a while before the list is handed over, so that every row is in.
    explicit LiveList(const BigListDevice& device, bool settle = true) : _rows(device.conversations()) {
        _previous = msg_device::Device::defaultDir();
        msg_device::Device::closeDefault();
        setenv("MSG_DEVICE_DIR", device.path().c_str(), 1);
        msg_store::ConnectionManager::connect();
        msg_app::common_ui_helper::set_textdomain();
        _win = elm_win_add(nullptr, "list-bench", ELM_WIN_BASIC);
        evas_object_resize(_win, 360, 360);
        msg_app::MCommonTheme::getInstance()->init();
        subscribe(_beforeCb, &_arrived);
        _list = new msg_app::msg_list::MLListViewController(msg_app::msg_list::LIST_TYPE_THREAD);
        Clock::time_point start = Clock::now();
        bool created = _list->create(_win, nullptr);
        _createSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!created) {
            _list = nullptr;
            return;
        }
        evas_object_resize(_list->getEvasObject(), 360, 360);
        evas_object_show(_list->getEvasObject());
        evas_object_show(_win);
        subscribe(_afterCb, &_handled);
        if (settle)
            msg_test::pumpUntil([this] { return !_list->getGenlist() || _list->getItemCount() >= _rows; },
                                60.0);
    }
    ~LiveList() {
        for (auto* cb : {_beforeCb, _afterCb})
            msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, cb);
        if (_list)
            _list->destroy();
        evas_object_del(_win);
        msg_test::pumpFor(0.05);
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_app::MCommonAddrMgr::release();
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
        setenv("MSG_DEVICE_DIR", _previous.c_str(), 1);
    }
    bool isReady() const { return _list != nullptr; }
    // How long creating the list took: loading the conversations and appending every row.
    double createSeconds() const { return _createSeconds; }
    msg_app::msg_list::MLListViewController* list() const { return _list; }
    Evas* evas() const { return evas_object_evas_get(_win); }

    // Writes one received message to the conversation with the address; false when the change did
    // not come through. `seconds` is the handler's time.
    bool receive(const std::string& address, int64_t timeMs, double& seconds, double& cpuMs) {
        msg_store::IncomingMessage message;
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, address}};
        message.text = "A new message for the benchmark";
        message.time = timeMs;
        int handled = _handledCount;
        if (msg_store::PhoneSide::insertMessage(message, nullptr) != msg_store::MSG_STORE_SUCCESS ||
            !msg_test::pumpUntil([&] { return _handledCount > handled; }, 5.0))
            return false;
        seconds = std::chrono::duration<double>(_handled.wall - _arrived.wall).count();
        cpuMs = _handled.cpuMs - _arrived.cpuMs;
        return true;
    }

private:
    struct Stamp {
        Clock::time_point wall;
        double cpuMs = 0;
        void take() {
            wall = Clock::now();
            cpuMs = threadCpuMs();
        }
    };
    static void subscribe(msg_store::EventCallback cb, Stamp* stamp) {
        msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, cb, stamp);
    }
    static void _beforeCb(const char*, void* data) { static_cast<Stamp*>(data)->take(); }
    static void _afterCb(const char*, void* data) {
        static_cast<Stamp*>(data)->take();
        ++_handledCount;
    }

    std::string _previous;
    int _rows;
    Evas_Object* _win = nullptr;
    msg_app::msg_list::MLListViewController* _list = nullptr;
    double _createSeconds = 0;
    Stamp _arrived;
    Stamp _handled;
    static int _handledCount;
};

int LiveList::_handledCount = 0;

// The live list over the device, or null when the benchmark is skipped.
std::unique_ptr<LiveList> openLiveList(benchmark::State& state, BigListDevice& device, bool settle = true) {
    if (!device.isReady()) {
        state.SkipWithError("cannot build the device");
        return nullptr;
    }
    auto live = std::make_unique<LiveList>(device, settle);
    if (!live->isReady()) {
        state.SkipWithError("cannot create the list");
        return nullptr;
    }
    return live;
}

// The id of the content row at a genlist position, -1 for another row.
int rowIdAt(Evas_Object* genlist, int index) {
    Elm_Object_Item* item = elm_genlist_nth_item_get(genlist, index);
    auto* row = item ? static_cast<msg_app::msg_list::MLItem*>(elm_object_item_data_get(item)) : nullptr;
    if (!row || row->getType() != msg_app::msg_list::MLItem::CONTENT)
        return -1;
    return static_cast<msg_app::msg_list::MLItemContent*>(row)->getItemId();
}

// The rows after the first screens going in: the longest turn of the main loop (with its frame)
// until every row is in, in wall and in main-thread time, and how long they all took.
void BM_RestOfRowsLongestStall(benchmark::State& state) {
    BigListDevice& device = deviceOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::unique_ptr<LiveList> live = openLiveList(state, device, false);
        if (!live)
            return;
        // The first turn draws the first frame: the stalls counted are those after it.
        ecore_main_loop_iterate();
        evas_render(live->evas());
        double longest = 0, longestCpu = 0;
        Clock::time_point start = Clock::now();
        while (live->list()->getItemCount() < device.conversations()) {
            Clock::time_point turn = Clock::now();
            double cpu = threadCpuMs();
            ecore_main_loop_iterate();
            evas_render(live->evas());
            longest = std::max(longest, std::chrono::duration<double>(Clock::now() - turn).count() * 1000.0);
            longestCpu = std::max(longestCpu, threadCpuMs() - cpu);
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        state.counters["longest_stall_ms"] = longest;
        state.counters["longest_stall_cpu_ms"] = longestCpu;
        state.counters["target_ms"] = 16;
    }
}
BENCHMARK(BM_RestOfRowsLongestStall)
    ->Arg(SMALL)
    ->Arg(LARGE)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The toolkit's floor for a moved row, beside ours: a bare genlist of as many rows, its last row
// deleted and put in again at the top. Its time and main-thread time.
struct FloorMove {
    explicit FloorMove(int rows) : list(msg_bench::FloorGenlist::Rows::CONVERSATIONS, names(rows)) {
        list.settle();
    }
    void run() {
        Clock::time_point start = Clock::now();
        double cpu = threadCpuMs();
        list.moveLastToTop();
        cpuTimes.push_back(threadCpuMs() - cpu);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        msg_test::pumpFor(0.005);
    }
    static std::vector<std::string> names(int rows) {
        std::vector<std::string> all;
        for (int i = 0; i < rows; ++i)
            all.push_back(BigListDevice::addressOf(i));
        return all;
    }
    msg_bench::FloorGenlist list;
    std::vector<double> times, cpuTimes;
};

// `oldest`: each change goes to the conversation at the bottom of the list, which moves to the top,
// and the toolkit's floor moves a row after each; otherwise to the conversation already at the top.
void runStorageChange(benchmark::State& state, bool oldest) {
    BigListDevice& device = deviceOf(static_cast<int>(state.range(0)));
    std::unique_ptr<LiveList> opened = openLiveList(state, device);
    if (!opened)
        return;
    LiveList& live = *opened;
    Evas_Object* genlist = live.list()->getGenlist();
    std::unique_ptr<FloorMove> floor = oldest ? std::make_unique<FloorMove>(device.conversations()) : nullptr;
    if (!oldest) {
        // The conversation goes to the top with its first new message; later ones keep it there.
        double seconds = 0;
        double cpuMs = 0;
        live.receive(BigListDevice::addressOf(device.conversations() - 1), device.nextTimeMs(), seconds,
                     cpuMs);
    }
    std::vector<double> times, cpuTimes;
    for (auto _ : state) {
        std::string address =
            BigListDevice::addressOf(oldest ? device.takeOldest() : device.conversations() - 1);
        int before = rowIdAt(genlist, static_cast<int>(elm_genlist_items_count(genlist)) - 1);
        double seconds = 0, cpuMs = 0;
        if (!live.receive(address, device.nextTimeMs(), seconds, cpuMs)) {
            state.SkipWithError("the change did not reach the list");
            break;
        }
        if (oldest && rowIdAt(genlist, static_cast<int>(elm_genlist_items_count(genlist)) - 1) == before) {
            state.SkipWithError("the oldest row did not move");
            break;
        }
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000.0);
        cpuTimes.push_back(cpuMs);
        // The frame the change asks for is drawn outside the measured handler.
        msg_test::pumpFor(0.005);
        if (floor)
            floor->run();
    }
    if (times.empty())
        return;
    state.counters["median_ms"] = median(times);
    state.counters["max_ms"] = *std::max_element(times.begin(), times.end());
    state.counters["median_cpu_ms"] = median(cpuTimes);
    if (floor) {
        state.counters["floor_ms"] = median(floor->times);
        state.counters["floor_cpu_ms"] = median(floor->cpuTimes);
    }
    state.counters["rows"] = live.list()->getItemCount();
    state.counters["list_create_ms"] = live.createSeconds() * 1000.0;
    state.counters["target_ms"] = 1;
}

void BM_StorageChangeMovesRow(benchmark::State& state) {
    runStorageChange(state, true);
}
BENCHMARK(BM_StorageChangeMovesRow)
    ->Arg(SMALL)
    ->Arg(LARGE)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

void BM_StorageChangeTopRow(benchmark::State& state) {
    runStorageChange(state, false);
}
BENCHMARK(BM_StorageChangeTopRow)
    ->Arg(SMALL)
    ->Arg(LARGE)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);

// Counts the badge lines of the log: a row that found the pool empty made a fresh badge, and each
// badge given back to the pool is logged with the pool's size.
struct BadgeLog {
    BadgeLog() { dlog_set_capture_cb(&_captureCb, this); }
    ~BadgeLog() { dlog_set_capture_cb(nullptr, nullptr); }
    static void _captureCb(log_priority, const char*, const char* msg, void* data) {
        auto* self = static_cast<BadgeLog*>(data);
        if (std::strstr(msg, "Failed to get an object from provider."))
            ++self->made;
        else if (std::strstr(msg, "_pool size("))
            ++self->givenBack;
    }
    int made = 0;
    int givenBack = 0;
};

// Scrolling down the list a row at a time, as the bezel does: how many badge images the rows need
// beyond the pool's, and how many come back to it.
void BM_ScrollBadges(benchmark::State& state) {
    std::unique_ptr<LiveList> live = openLiveList(state, deviceOf(SMALL));
    if (!live)
        return;
    Evas_Object* genlist = live->list()->getGenlist();
    msg_app::msg_list::MLReusableObjectPool::getInstance()->init(genlist);
    const int rows = static_cast<int>(state.range(0));
    BadgeLog log;
    std::vector<double> times;
    for (auto _ : state) {
        for (int i = 1; i <= rows; ++i) {
            Elm_Object_Item* item = elm_genlist_nth_item_get(genlist, i);
            if (!item)
                break;
            Clock::time_point start = Clock::now();
            elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_TOP);
            msg_test::pumpFor(0.002);
            times.push_back(std::chrono::duration<double>(Clock::now() - start).count() * 1000.0);
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["rows_scrolled"] = static_cast<double>(times.size());
    state.counters["badges_made"] = log.made;
    state.counters["badges_given_back"] = log.givenBack;
    state.counters["median_row_ms"] = times.empty() ? 0.0 : times[times.size() / 2];
}
BENCHMARK(BM_ScrollBadges)->Arg(700)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("warn");
    return msg_bench::runWidgetBenchmarks(argc, argv);
}
