// The compact time stamp of a list row, formatted for every visible row while scrolling.
#include "TempDir.h"
#include "common/ui/MCommonI18n.h"
#include "device/Device.h"

#include <Ecore.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

namespace {

void runStamp(benchmark::State& state, time_t t) {
    std::string out;
    for (auto _ : state) {
        msg_app::MCommonI18n::getInstance()->getFormattedSimpleDateTimeText(t, out);
        benchmark::DoNotOptimize(out);
    }
}

void BM_SimpleStampToday(benchmark::State& state) {
    runStamp(state, std::time(nullptr));
}
void BM_SimpleStampThisYear(benchmark::State& state) {
    runStamp(state, std::time(nullptr) - 40 * 24 * 3600);
}
void BM_SimpleStampPastYear(benchmark::State& state) {
    runStamp(state, 1551787200); // 2019-03-05
}

BENCHMARK(BM_SimpleStampToday);
BENCHMARK(BM_SimpleStampThisYear);
BENCHMARK(BM_SimpleStampPastYear);

} // namespace

int main(int argc, char** argv) {
    msg_test::TempDevice device;
    setenv("LC_TIME", "en_US.UTF-8", 1);
    ecore_init();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    msg_app::MCommonI18n::release();
    msg_device::Device::closeDefault();
    ecore_shutdown();
    return 0;
}
