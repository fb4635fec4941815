// Measuring runs on every keystroke of the composer and splitting on every
// long message sent: these figures show both stay far below a frame.
#include "compose/MCUtil.h"
#include "compose/textconverter/MsgTextConvert.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace msg_app::compose;

namespace {

// A text of count characters: GSM letters with an extension character now and
// then, or Korean (UCS-2) with a space now and then.
std::string sampleText(int count, bool ucs2) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 9)
            text += ucs2 ? " " : "€";
        else
            text += ucs2 ? "한" : std::string(1, static_cast<char>('a' + i % 26));
    }
    return text;
}

void calculateTextLength(benchmark::State& state, bool ucs2, unsigned char mode) {
    const std::string text = sampleText(static_cast<int>(state.range(0)), ucs2);
    for (auto _ : state) {
        unsigned int size = 0;
        unsigned int segment = 0;
        unsigned char type = 0;
        benchmark::DoNotOptimize(MCUtil::CalculateTextLength(text.c_str(), mode, &size, &segment, &type));
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CalculateTextLength_AutoGsm(benchmark::State& state) {
    calculateTextLength(state, false, MSG_ENCODE_AUTO);
}
void BM_CalculateTextLength_AutoUcs2(benchmark::State& state) {
    calculateTextLength(state, true, MSG_ENCODE_AUTO);
}
void BM_CalculateTextLength_Gsm7bit(benchmark::State& state) {
    calculateTextLength(state, false, MSG_ENCODE_GSM7BIT);
}
void BM_CalculateTextLength_Ucs2(benchmark::State& state) {
    calculateTextLength(state, true, MSG_ENCODE_UCS2);
}

void BM_SmsSizeTextList(benchmark::State& state) {
    std::string text = sampleText(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        std::vector<std::string> pages;
        MCUtil::getSmsSizeTextList(pages, text, false);
        benchmark::DoNotOptimize(pages.data());
    }
}

void BM_MmsSizeTextList(benchmark::State& state) {
    std::string text = sampleText(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        std::vector<std::string> pages;
        int sms = 0;
        int mms = 0;
        MCUtil::getMmsSizeTextList(text, &sms, &mms, false, &pages);
        benchmark::DoNotOptimize(pages.data());
    }
}

} // namespace

BENCHMARK(BM_CalculateTextLength_AutoGsm)->Arg(160)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalculateTextLength_AutoUcs2)->Arg(160)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalculateTextLength_Gsm7bit)->Arg(160)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalculateTextLength_Ucs2)->Arg(160)->Arg(1000)->Unit(benchmark::kMicrosecond);
// Second argument: 0 GSM 7-bit text, 1 UCS-2 text.
BENCHMARK(BM_SmsSizeTextList)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MmsSizeTextList)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
