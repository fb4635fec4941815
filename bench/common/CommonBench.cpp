// Parsing storage-change payloads and formatting phone numbers for display.
#include "TempDir.h"
#include "common/FormattedNumber.h"
#include "common/MCommonStorageChangeParser.h"
#include "device/Device.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace msg_app;

namespace {

std::string payload(int entries) {
    std::string text = "msg_updated:";
    for (int i = 0; i < entries; ++i) {
        text += std::to_string(100000 + i) + "/" + std::to_string(1 + i % 50);
        if (i + 1 < entries)
            text += ',';
    }
    return text;
}

void BM_ParsePayload(benchmark::State& state) {
    const std::string text = payload(static_cast<int>(state.range(0)));
    const auto key = static_cast<MCommonStorageChangeParser::Key>(state.range(1));
    for (auto _ : state) {
        MCommonStorageChangeParser::ChangeType type;
        std::map<int, int> ids;
        bool ok = MCommonStorageChangeParser::parse(text.c_str(), key, &type, ids);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(ids);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParsePayload)
    ->ArgNames({"entries", "key"})
    ->Args({10, 1})
    ->Args({100, 1})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_FormatNumber(benchmark::State& state) {
    msg_test::TempDevice device;
    msg_device::Device::closeDefault();
    formatted_number::init();
    const std::vector<const char*> numbers = {"4155550123",     "+14155550123", "＋８２１０１２３４５６７８",
                                              "(212) 555-0199", "01012345678",  "+447911123456"};
    size_t i = 0;
    std::string out;
    for (auto _ : state) {
        formatted_number::get(numbers[i++ % numbers.size()], out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations());
    formatted_number::deinit();
    msg_device::Device::closeDefault();
}
BENCHMARK(BM_FormatNumber)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
