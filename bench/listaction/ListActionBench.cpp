// Deleting many checked conversations in the background, on the list screen of a real window
// (buffer engine) over a device with that many conversations: the whole job's time, and how the
// main loop keeps running meanwhile (its longest pause, frames drawn, ticks of a 60 Hz timer).
//   msg_listaction_bench [--benchmark_...]   (MSG_LISTACTION_COUNT=N, default 1000)
#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/ui/MCommonTheme.h"
#include "device/Device.h"
#include "list/MLContentViewController.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace msg_app::msg_list;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double TICK_SECONDS = 1.0 / 60.0;
constexpr double LIMIT_SECONDS = 600.0;

int conversationCount() {
    const char* count = std::getenv("MSG_LISTACTION_COUNT");
    return count && std::atoi(count) > 1 ? std::atoi(count) : 1000;
}

bool seed(int count) {
    std::vector<msg_store::IncomingMessage> messages(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+1555" + std::to_string(1000000 + i)}};
        messages[i].text = "Message number " + std::to_string(i);
        messages[i].time = 1700000000000LL + i * 60000LL;
    }
    return msg_store::PhoneSide::insertMessages(messages, nullptr) == msg_store::MSG_STORE_SUCCESS;
}

// What the main loop did while the job ran: its longest stretch of work between two waits (the
// time a tap would have waited), frames drawn, and ticks of a 60 Hz timer.
struct LoopWatch {
    Clock::time_point woke = Clock::now();
    double longestBusyMs = 0;
    int ticks = 0;
    int frames = 0;
    std::function<bool()> done;

    static Eina_Bool wokeCb(void* data) {
        static_cast<LoopWatch*>(data)->woke = Clock::now();
        return ECORE_CALLBACK_RENEW;
    }
    static Eina_Bool idleCb(void* data) {
        auto* self = static_cast<LoopWatch*>(data);
        double busy = std::chrono::duration<double, std::milli>(Clock::now() - self->woke).count();
        self->longestBusyMs = std::max(self->longestBusyMs, busy);
        return ECORE_CALLBACK_RENEW;
    }
    static Eina_Bool tickCb(void* data) {
        auto* self = static_cast<LoopWatch*>(data);
        ++self->ticks;
        if (self->done && self->done())
            ecore_main_loop_quit();
        return ECORE_CALLBACK_RENEW;
    }
    static void renderCb(void* data, Evas*, void*) { ++static_cast<LoopWatch*>(data)->frames; }
};

// Runs the main loop, waiting when idle, until done (checked at every tick) or the time is up.
bool runUntil(LoopWatch& watch, const std::function<bool()>& done, double seconds) {
    bool timedOut = false;
    watch.done = done;
    Ecore_Idle_Exiter* exiter = ecore_idle_exiter_add(LoopWatch::wokeCb, &watch);
    Ecore_Idle_Enterer* enterer = ecore_idle_enterer_add(LoopWatch::idleCb, &watch);
    Ecore_Timer* tick = ecore_timer_add(TICK_SECONDS, LoopWatch::tickCb, &watch);
    Ecore_Timer* limit = ecore_timer_add(
        seconds,
        [](void* data) {
            *static_cast<bool*>(data) = true;
            ecore_main_loop_quit();
            return ECORE_CALLBACK_CANCEL;
        },
        &timedOut);
    watch.woke = Clock::now();
    ecore_main_loop_begin();
    if (!timedOut)
        ecore_timer_del(limit);
    ecore_timer_del(tick);
    ecore_idle_enterer_del(enterer);
    ecore_idle_exiter_del(exiter);
    return !timedOut && done();
}

std::vector<int> contentIds(MLListViewController& list) {
    std::vector<int> ids;
    for (Elm_Object_Item* it = elm_genlist_first_item_get(list.getGenlist()); it;
         it = elm_genlist_item_next_get(it)) {
        auto* row = static_cast<MLItem*>(elm_object_item_data_get(it));
        if (row && row->getType() == MLItem::CONTENT)
            ids.push_back(static_cast<MLItemContent*>(row)->getItemId());
    }
    return ids;
}

void BM_DeleteCheckedConversationsInBackground(benchmark::State& state) {
    const int count = conversationCount();
    for (auto _ : state) {
        msg_store::ConnectionManager::connect();
        if (!seed(count)) {
            state.SkipWithError("cannot seed the device");
            break;
        }
        auto window = std::make_unique<view_kit::WWindowController>();
        window->create("listaction", 360, 360);
        auto* screen = new MLContentViewController(LIST_TYPE_THREAD);
        window->getNaviframeController()->push(screen);
        std::shared_ptr<MLListViewController> list = screen->getListView().lock();
        LoopWatch settle;
        runUntil(
            settle, [] { return false; }, 0.5);
        std::vector<int> ids = list ? contentIds(*list) : std::vector<int>();
        if (static_cast<int>(ids.size()) != count ||
            list->selectItems(MLListViewController::ACTION_DELETE, ids) != count) {
            state.SkipWithError("the list did not show and check every conversation");
            break;
        }
        LoopWatch watch;
        Evas* canvas = evas_object_evas_get(window->getEvasObject());
        evas_event_callback_add(canvas, EVAS_CALLBACK_RENDER_POST, LoopWatch::renderCb, &watch);

        Clock::time_point start = Clock::now();
        list->doAction(MLListViewController::ACTION_DELETE);
        bool started = list->isBgActionRunning();
        // Done when the popup has closed, the list is back in normal mode and every row has gone.
        bool finished = started && runUntil(
                                       watch,
                                       [&] {
                                           return !list->isBgActionRunning() &&
                                                  list->getListStyle() == LIST_STYLE_NORMAL &&
                                                  list->getItemCount() == 0;
                                       },
                                       LIMIT_SECONDS);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();

        evas_event_callback_del_full(canvas, EVAS_CALLBACK_RENDER_POST, LoopWatch::renderCb, &watch);
        int left = 0;
        msg_store::PhoneSide::countMessages(left);
        window->destroy();
        window.reset();
        MLThreadListBgLoad::destroy();
        msg_store::ConnectionManager::disconnect();
        if (!finished) {
            state.SkipWithError(started ? "the job did not finish" : "no background job started");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["conversations"] = count;
        state.counters["total_s"] = seconds;
        state.counters["longest_loop_busy_ms"] = watch.longestBusyMs;
        state.counters["frames"] = watch.frames;
        state.counters["ticks_60hz"] = watch.ticks;
        state.counters["ticks_expected"] = seconds / TICK_SECONDS;
        state.counters["messages_left"] = left;
    }
}
BENCHMARK(BM_DeleteCheckedConversationsInBackground)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    // Before anything opens the default device: the bench fills and empties its own.
    msg_test::TempDevice device;
    setenv("MSG_LOG_LEVEL", "error", 0);
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 0);
    elm_init(argc, argv);
    msg_app::common_ui_helper::set_textdomain();
    msg_app::MCommonTheme::getInstance()->init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    msg_app::common_util::on_terminate();
    elm_shutdown();
    return 0;
}
