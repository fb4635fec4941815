// Figures of a conversation of 5,000 messages over 400 days:
//   BM_ThreadStartFirstFrame  msg-app --thread started headless, from the spawn to its first frame with
//                             bubbles, and its peak memory;
//   BM_OpenFirstFrame         in a running application: from the push of the conversation screen (what a
//                             tap on the list does) to the first frame drawn with its bubbles;
//   BM_OlderPage              one older page of bubbles put in, as reaching the top of the list does;
//   BM_ReceivedMessage        one received message applied to the open conversation by its handler;
//   BM_ScrollToOldest         the longest main-loop iteration while the list is scrolled from the newest
//                             message to the oldest, a screen at a time, with that step's main-thread
//                             time split between the loop's iteration and the drawing after it; then
//                             the toolkit's floor scrolled alike: a bare genlist of the same texts in
//                             bubble-sized rows, all of them in from the start;
//   BM_ScrollTenPages         the same through the newest ten older pages only.
//   BM_BezelTenPages          the bezel spun towards the oldest through ten older pages, a detent
//                             every 80 ms: the longest main-loop iteration while the list glides.
//   BM_ReplyAnimation/10      the reply animation lifted to its top with ten rows moving: each
//                             frame, from the animator's tick to the frame drawn.
//   BM_BulkChange             5,000 messages written in one change while the conversation is open, four
//                             times: the longest main-loop stall while each is applied, the time until
//                             a message received right after it is drawn, and the memory after the four
//                             changes and after closing the conversation.
//   BM_DeleteSelected         1,000 checked messages deleted on the progress popup's worker: the
//                             total, the longest main-loop iteration meanwhile, the frames drawn.
#include "AppFirstFrame.h"
#include "FloorGenlist.h"
#include "HeadlessEnv.h"
#include "MainLoop.h"
#include "Measure.h"
#include "Programs.h"
#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVContentViewController.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVRotaryToAction.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>
#include <glib.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using Clock = std::chrono::steady_clock;
using msg_bench::threadCpuMs;

namespace {

// A frame's budget at 60 frames a second.
constexpr double FRAME_BUDGET_MS = 16;

constexpr int MESSAGES = 5000;
constexpr int64_t DAY_MS = 24 * 3600 * 1000LL;
constexpr int SPAN_DAYS = 400;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// MESSAGES messages of one sender spread over SPAN_DAYS up to now, every third one sent.
std::vector<msg_store::IncomingMessage> spreadMessages(const char* tag) {
    int64_t now = static_cast<int64_t>(time(nullptr)) * 1000;
    std::vector<msg_store::IncomingMessage> messages(MESSAGES);
    for (int i = 0; i < MESSAGES; ++i) {
        messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550177777"}};
        messages[i].text = tag + std::to_string(i) + ": see you at the usual place at seven?";
        messages[i].time = now - (MESSAGES - 1 - i) * (SPAN_DAYS * DAY_MS / MESSAGES);
        messages[i].isRead = true;
        messages[i].folderType = i % 3 == 2 ? msg_store::FOLDER_SENT : msg_store::FOLDER_INBOX;
    }
    return messages;
}

// One conversation of MESSAGES messages, written in one change.
class ThreadDevice {
public:
    ThreadDevice() {
        setenv("MSG_DEVICE_DIR", _dir.path().c_str(), 1);
        // A benchmark that ran before may have left the store disconnected.
        msg_store::ConnectionManager::connect();
        std::vector<int> ids;
        if (msg_store::PhoneSide::insertMessages(spreadMessages("Message "), &ids) ==
            msg_store::MSG_STORE_SUCCESS) {
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

long rssKb() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
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
    explicit LiveViewer(ThreadDevice& shown = device()) : _device(shown) {
        setenv("MSG_DEVICE_DIR", _device.path().c_str(), 1);
        msg_store::ConnectionManager::connect();
        msg_app::common_ui_helper::set_textdomain();
        _window = std::make_unique<view_kit::WWindowController>();
        _window->create("viewer-bench", 360, 360);
        msg_app::MCommonTheme::getInstance()->init();
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
        _screen = new msg_app::msg_viewer::MVContentViewController(_device.threadId());
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
    // The older messages are read on a worker after the first frame: what counts or picks
    // messages waits for them.
    bool waitWhole() {
        return msg_test::runLoopUntil([&] { return list() && list()->getModel().isWhole(); }, 60.0);
    }
    Evas* evas() const { return evas_object_evas_get(_window->getEvasObject()); }
    int frames() const { return _frames; }

private:
    static void _renderedCb(void* data, Evas*, void*) { ++static_cast<LiveViewer*>(data)->_frames; }

    ThreadDevice& _device;
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

// Opens the conversation for a scroll through it; the bubbles in once `pages` older pages are
// (0: every bubble). The conversation reads its older messages on a worker after the first frame:
// the pages counted are those of the whole conversation.
int openToScroll(LiveViewer& live, int pages) {
    live.open();
    const msg_app::msg_viewer::MVListModel& model = live.list()->getModel();
    msg_test::pumpUntil([&] { return model.isWhole(); });
    return pages > 0 ? std::min(model.getCount(),
                                (pages + 1) * msg_app::msg_viewer::MVListViewController::PAGE_SIZE)
                     : model.getCount();
}

// A scroll up a screen a step, one main-loop iteration and a frame each, as main-thread time.
struct ScrollSteps {
    double longestWall = 0, longestCpu = 0, longestLoopCpu = 0, longestRenderCpu = 0;
    int steps = 0, overTarget = 0;
    // The rows the longest step put in (0: it only scrolled).
    int longestAdded = 0;
    // Every step's main-thread time.
    std::vector<double> stepCpu;
};

// Scrolls the genlist up a screen a step until `done`; `rows` counts the rows it holds.
ScrollSteps scrollSteps(Evas_Object* genlist, Evas* evas, const std::function<bool()>& done,
                        const std::function<int()>& rows) {
    ScrollSteps run;
    for (; run.steps < 200000 && !done(); ++run.steps) {
        Evas_Coord x = 0, y = 0, w = 0, h = 0;
        elm_scroller_region_get(genlist, &x, &y, &w, &h);
        // Timed from the move: the top reached puts the older page in there and then.
        Clock::time_point iteration = Clock::now();
        double cpu = threadCpuMs();
        int before = rows();
        elm_scroller_region_show(genlist, x, y > h ? y - h : 0, w, h);
        ecore_main_loop_iterate();
        double loopCpu = threadCpuMs() - cpu;
        evas_render(evas);
        double stepCpu = threadCpuMs() - cpu;
        run.longestWall = std::max(run.longestWall, msSince(iteration));
        run.stepCpu.push_back(stepCpu);
        if (stepCpu > FRAME_BUDGET_MS)
            ++run.overTarget;
        if (stepCpu > run.longestCpu) {
            run.longestCpu = stepCpu;
            run.longestLoopCpu = loopCpu;
            run.longestRenderCpu = stepCpu - loopCpu;
            run.longestAdded = rows() - before;
        }
    }
    return run;
}

bool isAtTop(Evas_Object* genlist) {
    Evas_Coord y = 0;
    elm_scroller_region_get(genlist, nullptr, &y, nullptr, nullptr);
    return y <= 0;
}

// The toolkit's floor for the whole scroll, beside ours: a bare genlist of the conversation's
// texts in bubble-sized rows, all of them in, scrolled from the newest to the oldest alike. No steps
// when its newest row could not be shown.
ScrollSteps scrollFloor() {
    std::vector<std::string> texts;
    for (const msg_store::IncomingMessage& message : spreadMessages("Message "))
        texts.push_back(message.text);
    msg_bench::FloorGenlist floor(msg_bench::FloorGenlist::Rows::BUBBLES, std::move(texts));
    Evas_Object* genlist = floor.genlist();
    floor.settle();
    // At the newest row, as the conversation opens.
    elm_genlist_item_show(elm_genlist_last_item_get(genlist), ELM_GENLIST_ITEM_SCROLLTO_BOTTOM);
    if (!msg_test::runLoopUntil([genlist] { return !isAtTop(genlist); }))
        return ScrollSteps();
    floor.settle();
    return scrollSteps(
        genlist, floor.evas(), [genlist] { return isAtTop(genlist); },
        [genlist] { return static_cast<int>(elm_genlist_items_count(genlist)); });
}

// Scrolls up a screen at a time, one main-loop iteration each, until `pages` older pages are in
// (0: until the oldest bubble is in, and the toolkit's floor scrolls its rows after), and reports
// the longest iteration.
void scrollUp(benchmark::State& state, int pages) {
    for (auto _ : state) {
        LiveViewer live;
        const int target = openToScroll(live, pages);
        msg_app::msg_viewer::MVListViewController* list = live.list();
        Evas_Object* genlist = list->getGenlist();
        Clock::time_point start = Clock::now();
        ScrollSteps run = scrollSteps(
            genlist, live.evas(),
            [&] { return list->getLoadedCount() >= target && (pages > 0 || isAtTop(genlist)); },
            [list] { return list->getLoadedCount(); });
        state.SetIterationTime(msSince(start) / 1000.0);
        state.counters["longest_stall_ms"] = run.longestWall;
        // The main thread's own time in that iteration: what the stall costs on a busy machine too.
        state.counters["longest_stall_cpu_ms"] = run.longestCpu;
        // Where that step's time went: the move, our handlers and the genlist's layout in the loop's
        // iteration, or drawing the canvas after it.
        state.counters["longest_loop_cpu_ms"] = run.longestLoopCpu;
        state.counters["longest_render_cpu_ms"] = run.longestRenderCpu;
        state.counters["longest_step_bubbles_added"] = run.longestAdded;
        state.counters["screens"] = run.steps;
        state.counters["bubbles"] = list->getLoadedCount();
        // A frame's budget: no scroll step may take the main thread longer.
        state.counters["target_ms"] = FRAME_BUDGET_MS;
        state.counters["steps_over_target"] = run.overTarget;
        if (pages == 0) {
            live.close();
            ScrollSteps floor = scrollFloor();
            if (floor.steps == 0)
                return state.SkipWithError("the floor's list never showed its newest row");
            // Its longest step as the figure's (wall time), the typical step as main-thread time.
            state.counters["floor_ms"] = floor.longestWall;
            state.counters["floor_steps_over_target"] = floor.overTarget;
            state.counters["floor_median_step_cpu_ms"] = msg_bench::median(floor.stepCpu);
            state.counters["median_step_cpu_ms"] = msg_bench::median(run.stepCpu);
        }
    }
}

void BM_ScrollToOldest(benchmark::State& state) {
    scrollUp(state, 0);
}
BENCHMARK(BM_ScrollToOldest)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The same over the newest ten older pages: a quicker look at the stall of a page load.
void BM_ScrollTenPages(benchmark::State& state) {
    scrollUp(state, 10);
}
BENCHMARK(BM_ScrollTenPages)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The bezel turned towards the oldest message as a user spins it fast, a detent every
// DETENT_SECONDS, with the list gliding between: every main-loop iteration's main-thread time
// (the detent's handler, the glide's frames with the bubbles coming into view, the older pages
// going in) until `pages` older pages are in.
constexpr double DETENT_SECONDS = 0.08;

void BM_BezelTenPages(benchmark::State& state) {
    const int pages = 10;
    for (auto _ : state) {
        LiveViewer live;
        const int target = openToScroll(live, pages);
        msg_app::msg_viewer::MVListViewController* list = live.list();
        Evas_Object* genlist = list->getGenlist();
        msg_test::pumpFor(0.3);
        Evas_Coord gx = 0, gy = 0, gw = 0, gh = 0;
        evas_object_geometry_get(genlist, &gx, &gy, &gw, &gh);
        evas_event_feed_mouse_move(live.evas(), gx + gw / 2, gy + gh / 2, 0, nullptr);
        struct Bezel {
            Evas* evas;
            int detents = 0;
            static Eina_Bool detentCb(void* data) {
                auto* self = static_cast<Bezel*>(data);
                evas_event_feed_mouse_wheel(self->evas, 0, -1, 0, nullptr);
                ++self->detents;
                return ECORE_CALLBACK_RENEW;
            }
        } bezel{live.evas()};
        Ecore_Timer* spin = ecore_timer_add(DETENT_SECONDS, Bezel::detentCb, &bezel);
        // Main-thread time only: an iteration also waits for the next detent or frame.
        double longestCpu = 0;
        int overTarget = 0, framesBefore = live.frames();
        Clock::time_point start = Clock::now();
        while (list->getLoadedCount() < target && msSince(start) < 600000) {
            double cpu = threadCpuMs();
            ecore_main_loop_iterate_may_block(EINA_TRUE);
            longestCpu = std::max(longestCpu, threadCpuMs() - cpu);
            overTarget += threadCpuMs() - cpu > FRAME_BUDGET_MS;
        }
        ecore_timer_del(spin);
        if (list->getLoadedCount() < target)
            return state.SkipWithError("the bezel did not bring the older pages");
        state.SetIterationTime(msSince(start) / 1000.0);
        state.counters["longest_stall_cpu_ms"] = longestCpu;
        state.counters["steps_over_target"] = overTarget;
        state.counters["target_ms"] = FRAME_BUDGET_MS;
        state.counters["detents"] = bezel.detents;
        state.counters["frames"] = live.frames() - framesBefore;
        state.counters["bubbles"] = list->getLoadedCount();
    }
}
BENCHMARK(BM_BezelTenPages)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The animator's tick and the frame drawn after it: what one frame of an animation costs.
struct FrameClock {
    Clock::time_point tick;
    bool ticked = false;
    std::vector<double> frames;
    static Eina_Bool tickCb(void* data) {
        auto* self = static_cast<FrameClock*>(data);
        self->tick = Clock::now();
        self->ticked = true;
        return ECORE_CALLBACK_RENEW;
    }
    static void renderedCb(void* data, Evas*, void*) {
        auto* self = static_cast<FrameClock*>(data);
        if (self->ticked)
            self->frames.push_back(msSince(self->tick));
        self->ticked = false;
    }
};

// A row's drawn object, as the animation takes it: the item's layout around its content.
Evas_Object* rowObject(Elm_Object_Item* item) {
    Evas_Object* content = item ? elm_object_item_part_content_get(item, "elm.icon") : nullptr;
    return content ? evas_object_smart_parent_get(content) : nullptr;
}

// Two detents at the end of the conversation lift the reply button, its caption and the rows to
// the top, where they wait: both steps, without a launch. The screen holds few of this
// conversation's long bubbles, so bubble-sized text rows make up the rest of range(0) rows.
void BM_ReplyAnimation(benchmark::State& state) {
    const int wanted = static_cast<int>(state.range(0));
    LiveViewer live;
    live.open();
    msg_app::msg_viewer::MVListViewController* list = live.list();
    msg_test::pumpFor(0.3);
    Elm_Object_Item* replyItem = list->getReplyItem() ? list->getReplyItem()->getElmObjectItem() : nullptr;
    Evas_Object* reply = rowObject(replyItem);
    Evas_Object* caption = rowObject(replyItem ? elm_genlist_item_next_get(replyItem) : nullptr);
    if (!reply || !caption)
        return state.SkipWithError("the reply rows are not shown");
    std::vector<Evas_Object*> rows;
    Eina_List* realized = elm_genlist_realized_items_get(list->getGenlist());
    void* data = nullptr;
    Eina_List* node = nullptr;
    EINA_LIST_FOREACH(realized, node, data) {
        Evas_Object* row = rowObject(static_cast<Elm_Object_Item*>(data));
        if (row && row != reply && row != caption && static_cast<int>(rows.size()) < wanted)
            rows.push_back(row);
    }
    eina_list_free(realized);
    std::vector<Evas_Object*> extra;
    while (static_cast<int>(rows.size()) < wanted) {
        Evas_Object* label = elm_label_add(list->getGenlist());
        elm_object_text_set(label, "On my way, see you at the station in ten minutes");
        elm_label_line_wrap_set(label, ELM_WRAP_WORD);
        evas_object_move(label, 40, 20 + 24 * static_cast<int>(extra.size()));
        evas_object_resize(label, 280, 60);
        evas_object_show(label);
        extra.push_back(label);
        rows.push_back(label);
    }
    std::vector<double> frames;
    for (auto _ : state) {
        FrameClock clock;
        Ecore_Animator* animator = ecore_animator_add(FrameClock::tickCb, &clock);
        evas_event_callback_add(live.evas(), EVAS_CALLBACK_RENDER_POST, FrameClock::renderedCb, &clock);
        Clock::time_point start = Clock::now();
        msg_app::msg_viewer::rotary_to_action_animation_clockwise(list->getGenlist(), rows, reply, caption);
        msg_app::msg_viewer::increase_detent_count();
        msg_app::msg_viewer::increase_detent_count();
        msg_test::pumpUntil(
            [] { return msg_app::msg_viewer::isTop() && !msg_app::msg_viewer::isAnimating(); }, 10.0);
        state.SetIterationTime(msSince(start) / 1000.0);
        evas_event_callback_del_full(live.evas(), EVAS_CALLBACK_RENDER_POST, FrameClock::renderedCb, &clock);
        ecore_animator_del(animator);
        frames.insert(frames.end(), clock.frames.begin(), clock.frames.end());
        msg_app::msg_viewer::rotary_to_action_animation_delete();
        msg_test::pumpFor(0.1);
    }
    for (Evas_Object* label : extra)
        evas_object_del(label);
    if (frames.empty())
        return state.SkipWithError("no frame drawn: the animation did not run");
    std::sort(frames.begin(), frames.end());
    state.counters["rows_moving"] = static_cast<double>(rows.size());
    state.counters["frames"] = static_cast<double>(frames.size());
    state.counters["median_frame_ms"] = frames[frames.size() / 2];
    state.counters["p95_frame_ms"] = frames[frames.size() * 95 / 100];
    state.counters["max_frame_ms"] = frames.back();
}
BENCHMARK(BM_ReplyAnimation)->Arg(10)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The main loop runs as the application runs it while a writer, as the phone would, stores 5,000
// messages in one change and one more right after it.
struct BulkRound {
    double longestStallMs = 0;
    double longestStallCpuMs = 0;
    double receivedShownMs = -1;
};

// Watches the frames for the first one that draws the message's row: a check between loop
// iterations may come after that frame, and wait for a next one that nothing asks for.
struct ShownWatch {
    LiveViewer& live;
    const std::atomic<int>& id;
    const Clock::time_point& committed;
    double& shownMs;
    static void renderedCb(void* data, Evas*, void*) {
        auto* self = static_cast<ShownWatch*>(data);
        int id = self->id.load();
        auto* bubble = id > 0 && self->shownMs < 0 ? self->live.list()->findBubble(id) : nullptr;
        if (!bubble)
            return;
        Eina_List* realized = elm_genlist_realized_items_get(self->live.list()->getGenlist());
        if (eina_list_data_find(realized, bubble->getElmObjectItem()))
            self->shownMs = msSince(self->committed);
        eina_list_free(realized);
    }
};

BulkRound bulkRound(LiveViewer& live, int round) {
    BulkRound result;
    // The change is applied once the conversation holds it and the message after it.
    const int expected = live.list()->getModel().getCount() + MESSAGES + 1;
    std::atomic<int> lastId{-1};
    Clock::time_point committed;
    std::thread writer([&] {
        msg_store::PhoneSide::insertMessages(spreadMessages(("Bulk " + std::to_string(round) + ".").c_str()),
                                             nullptr);
        msg_store::IncomingMessage message;
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550177777"}};
        message.text = "Right after the change";
        message.time = static_cast<int64_t>(time(nullptr)) * 1000 + 1000 * (round + 1);
        int id = -1;
        msg_store::PhoneSide::insertMessage(message, &id);
        committed = Clock::now();
        lastId = id;
    });
    ShownWatch watch{live, lastId, committed, result.receivedShownMs};
    evas_event_callback_add(live.evas(), EVAS_CALLBACK_RENDER_POST, ShownWatch::renderedCb, &watch);
    Clock::time_point last = Clock::now();
    double lastCpu = threadCpuMs();
    msg_test::runLoopUntil(
        [&] {
            result.longestStallMs = std::max(result.longestStallMs, msSince(last));
            last = Clock::now();
            double cpu = threadCpuMs();
            result.longestStallCpuMs = std::max(result.longestStallCpuMs, cpu - lastCpu);
            lastCpu = cpu;
            return result.receivedShownMs >= 0 && live.list()->getModel().getCount() == expected;
        },
        600.0);
    evas_event_callback_del_full(live.evas(), EVAS_CALLBACK_RENDER_POST, ShownWatch::renderedCb, &watch);
    writer.join();
    return result;
}

void BM_BulkChange(benchmark::State& state) {
    constexpr int ROUNDS = 4;
    // A device of its own, which grows by the changes.
    static ThreadDevice bulkDevice;
    for (auto _ : state) {
        {
            LiveViewer live(bulkDevice);
            live.open();
            if (!live.waitWhole())
                return state.SkipWithError("the conversation was not read whole");
            msg_test::runLoopFor(0.5);
            state.counters["rss_opened_MiB"] = static_cast<double>(rssKb()) / 1024.0;
            state.counters["heap_opened_MiB"] = static_cast<double>(mallinfo2().uordblks) / 1048576.0;
            Clock::time_point start = Clock::now();
            for (int round = 0; round < ROUNDS; ++round) {
                BulkRound r = bulkRound(live, round);
                if (r.receivedShownMs < 0)
                    return state.SkipWithError("the message received after the change was not shown");
                std::string n = std::to_string(round + 1);
                state.counters["stall_ms_" + n] = r.longestStallMs;
                state.counters["stall_cpu_ms_" + n] = r.longestStallCpuMs;
                state.counters["received_shown_ms_" + n] = r.receivedShownMs;
            }
            state.SetIterationTime(msSince(start) / 1000.0);
            msg_test::runLoopFor(0.5);
            state.counters["messages"] = live.list()->getModel().getCount();
            state.counters["rss_after_changes_MiB"] = static_cast<double>(rssKb()) / 1024.0;
            state.counters["heap_after_changes_MiB"] = static_cast<double>(mallinfo2().uordblks) / 1048576.0;
            live.close();
        }
        // The conversation's screen goes with the window that held it.
        state.counters["rss_closed_MiB"] = static_cast<double>(rssKb()) / 1024.0;
        state.counters["heap_closed_MiB"] = static_cast<double>(mallinfo2().uordblks) / 1048576.0;
    }
}
BENCHMARK(BM_BulkChange)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Last: it deletes from the shared conversation.
void BM_DeleteSelected(benchmark::State& state) {
    constexpr int SELECTED = 1000;
    if (device().threadId() < 0)
        return state.SkipWithError("cannot build the device");
    for (auto _ : state) {
        LiveViewer live;
        live.open();
        if (!live.waitWhole())
            return state.SkipWithError("the conversation was not read whole");
        msg_app::msg_viewer::MVListViewController* list = live.list();
        const msg_app::msg_viewer::MVListModel& model = list->getModel();
        int before = model.getCount();
        // The newest thousand, whose bubbles are partly on screen.
        std::vector<int> ids;
        for (int i = before - 1; i >= before - SELECTED; --i)
            ids.push_back(model.getMsgId(static_cast<unsigned int>(i)));
        list->selectMessages(ids);
        int frames = live.frames();
        double longest = 0;
        Clock::time_point start = Clock::now();
        list->doAction(msg_app::msg_viewer::MVListViewController::ACTION_DELETE);
        // The press itself holds the main loop too.
        longest = msSince(start);
        // The real main loop, as the application runs it (the popup goes from an idler, which a
        // loop driven one iteration at a time never reaches); a 1 ms watch measures the gaps.
        Clock::time_point last = Clock::now();
        double lastCpu = threadCpuMs();
        double longestCpu = 0;
        state.counters["press_ms"] = longest;
        msg_test::runLoopUntil(
            [&] {
                longest = std::max(longest, msSince(last));
                last = Clock::now();
                double cpu = threadCpuMs();
                longestCpu = std::max(longestCpu, cpu - lastCpu);
                lastCpu = cpu;
                return !list->isBgActionRunning() && model.getCount() <= before - SELECTED;
            },
            120.0);
        state.SetIterationTime(msSince(start) / 1000.0);
        state.counters["deleted"] = before - model.getCount();
        state.counters["longest_stall_cpu_ms"] = longestCpu;
        state.counters["frames"] = live.frames() - frames;
    }
}
BENCHMARK(BM_DeleteSelected)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    return msg_bench::runWidgetBenchmarks(argc, argv);
}
