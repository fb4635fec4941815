// The launch request parser on the largest requests a sender can make: a
// selector array of 1,024 elements and extras of 64 KiB.
#include "MainLoop.h"
#include "TempDir.h"
#include "compose/launch/MCAppControlParser.h"
#include "dlog.h"

#include <Ecore.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

using namespace msg_app::compose;

namespace {

void BM_KeyboardArray(benchmark::State& state) {
    std::vector<std::string> items(static_cast<size_t>(state.range(0)), "simId:1");
    items.front() = "address:010-1234-5678";
    std::vector<const char*> pointers;
    for (const auto& item : items)
        pointers.push_back(item.c_str());
    app_control_h request = nullptr;
    app_control_create(&request);
    app_control_add_extra_data_array(request, "selector_keyboard_data_array", pointers.data(),
                                     static_cast<int>(pointers.size()));
    MCAppControlParser parser;
    for (auto _ : state) {
        auto msg = std::make_shared<MCMsgData>();
        benchmark::DoNotOptimize(parser.parseExtraDataArray(request, APP_CONTROL_SEND, msg));
    }
    app_control_destroy(request);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_KeyboardArray)->Arg(4)->Arg(1024);

// A body just under the limit, and one at 64 KiB that is refused.
void BM_LargeExtra(benchmark::State& state) {
    app_control_h request = nullptr;
    app_control_create(&request);
    app_control_add_extra_data(request, "address", "01012345678");
    app_control_add_extra_data(request, "body_text",
                               std::string(static_cast<size_t>(state.range(0)), 'a').c_str());
    MCAppControlParser parser;
    for (auto _ : state) {
        auto msg = std::make_shared<MCMsgData>();
        benchmark::DoNotOptimize(parser.parseExtraData(request, msg));
    }
    app_control_destroy(request);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LargeExtra)->Arg(1024)->Arg(64 * 1024 - 1)->Arg(64 * 1024);

} // namespace

int main(int argc, char** argv) {
    msg_test::TempDevice device;
    dlog_set_min_priority(DLOG_FATAL);
    ecore_init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ecore_shutdown();
    return 0;
}
