// Searching a typed recipient in a full device: 10,000 contacts and 50,000 call-log entries. What
// one pause in typing costs (the bar's two one-record queries) and what building the list of every
// match costs (its two queries, its rows and the first frame showing them), for keywords matching few to many
// records.
#include "TempDir.h"
#include "common/CommonUiHelper.h"
#include "common/ui/MCommonTheme.h"
#include "compose/recipient/MCRecipientSearch.h"
#include "compose/recipient/MCRecipientSearchListContentViewController.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace msg_app::compose;

namespace {

constexpr int kContacts = 10000;
constexpr int kCallLog = 50000;

// Keywords by how much they match: one contact, about a hundred, all of them; and numbers.
const char* const kKeywords[] = {"Person 1234", "Person 12", "Person", "+1415200123", "+141520012", "+1415"};

class BenchDevice {
public:
    BenchDevice() {
        setenv("ELM_ENGINE", "buffer", 1);
        elm_init(0, nullptr);
        std::vector<contacts_admin::Person> persons;
        for (int i = 0; i < kContacts; ++i)
            persons.push_back({0, "Person " + std::to_string(i), {"+1415" + std::to_string(2000000 + i)}});
        std::vector<contacts_admin::CallLogEntry> calls;
        for (int i = 0; i < kCallLog; ++i)
            calls.push_back({"+1415" + std::to_string(2000000 + i % 20000), 1700000000 + i, 1});
        msg_device::Device* device = msg_device::Device::getDefault();
        if (!contacts_admin::addPersons(device, persons) || !contacts_admin::addCallLogs(device, calls))
            std::fprintf(stderr, "cannot seed the address book\n");
        contacts_connect();
        _win = elm_win_add(nullptr, "bench", ELM_WIN_BASIC);
        evas_object_resize(_win, 360, 360);
        evas_object_show(_win);
        // The application's theme, or every row falls back to the default style (and logs so).
        if (!msg_app::MCommonTheme::getInstance()->init())
            std::fprintf(stderr, "cannot load the theme\n");
    }
    Evas_Object* win() const { return _win; }

private:
    msg_test::TempDevice _device;
    Evas_Object* _win = nullptr;
};

BenchDevice& benchDevice() {
    static BenchDevice device;
    return device;
}

void BM_KeystrokeQuery(benchmark::State& state) {
    benchDevice();
    const char* keyword = kKeywords[state.range(0)];
    int found = 0;
    for (auto _ : state) {
        found = MCRecipientSearch::searchFromContact(keyword, 1, nullptr);
        if (found == 0)
            found = MCRecipientSearch::searchFromLog(keyword, 1, nullptr);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(keyword);
    state.counters["found"] = found;
}
BENCHMARK(BM_KeystrokeQuery)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The list's two queries alone, as many records as it shows.
void BM_ListQueries(benchmark::State& state) {
    benchDevice();
    const char* keyword = kKeywords[state.range(0)];
    int found = 0;
    for (auto _ : state) {
        found = MCRecipientSearch::searchFromContact(
                    keyword, MCRecipientSearchListContentViewController::MAX_CONTACT_ITEMS + 1, nullptr) +
                MCRecipientSearch::searchFromLog(
                    keyword, MCRecipientSearchListContentViewController::MAX_LOG_ITEMS, nullptr);
        benchmark::DoNotOptimize(found);
    }
    state.SetLabel(keyword);
    state.counters["found"] = found;
}
BENCHMARK(BM_ListQueries)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void _quitWhenBuiltCb(void* data, Evas*, void*) {
    if (static_cast<MCRecipientSearchListContentViewController*>(data)->isBuilt())
        ecore_main_loop_quit();
}

void BM_ListBuild(benchmark::State& state) {
    BenchDevice& device = benchDevice();
    const char* keyword = kKeywords[state.range(0)];
    int shown = 0;
    for (auto _ : state) {
        auto* list = new MCRecipientSearchListContentViewController(keyword);
        if (!list->create(device.win(), nullptr)) {
            state.SkipWithError("cannot create the list");
            break;
        }
        evas_object_resize(list->getEvasObject(), 360, 360);
        evas_object_show(list->getEvasObject());
        // The rows are appended from an idler; the loop runs until a frame with them is drawn.
        Evas* canvas = evas_object_evas_get(device.win());
        evas_event_callback_add(canvas, EVAS_CALLBACK_RENDER_POST, _quitWhenBuiltCb, list);
        ecore_main_loop_begin();
        evas_event_callback_del_full(canvas, EVAS_CALLBACK_RENDER_POST, _quitWhenBuiltCb, list);
        shown = list->getShownCount();
        state.PauseTiming();
        list->destroy();
        state.ResumeTiming();
    }
    state.SetLabel(keyword);
    state.counters["rows"] = shown;
}
BENCHMARK(BM_ListBuild)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
