// Formatting 10,000 numbers for display: the cost of the phone-number utility on libphonenumber,
// and of the library's own parse and format for comparison.
#include "phone_number.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <phonenumbers/phonenumberutil.h>
#include <string>
#include <vector>

namespace {

constexpr int kNumbers = 10000;

const std::vector<std::string>& numbers() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> out;
        for (int i = 0; i < kNumbers; ++i) {
            std::string tail = std::to_string(1000000 + i).substr(1);
            // Half international, half national, as senders arrive.
            out.push_back(i % 2 ? "+1415" + tail + "3" : "415" + tail + "7");
        }
        return out;
    }();
    return list;
}

void BM_Format10000(benchmark::State& state) {
    for (auto _ : state) {
        int failures = 0;
        for (const auto& number : numbers()) {
            char* out = nullptr;
            if (phone_number_get_formatted_number(number.c_str(),
                                                  PHONE_NUMBER_REGION_UNITED_STATES_OF_AMERICA,
                                                  &out) != PHONE_NUMBER_ERROR_NONE)
                ++failures;
            free(out);
        }
        if (failures)
            state.SkipWithError("a number did not format");
    }
    state.counters["numbers"] = kNumbers;
}
BENCHMARK(BM_Format10000)->Unit(benchmark::kMillisecond);

void BM_LibraryParseFormat10000(benchmark::State& state) {
    using i18n::phonenumbers::PhoneNumber;
    using i18n::phonenumbers::PhoneNumberUtil;
    const PhoneNumberUtil* util = PhoneNumberUtil::GetInstance();
    for (auto _ : state) {
        for (const auto& number : numbers()) {
            PhoneNumber parsed;
            std::string out;
            util->Parse(number, "US", &parsed);
            util->Format(parsed, PhoneNumberUtil::NATIONAL, &out);
            benchmark::DoNotOptimize(out);
        }
    }
    state.counters["numbers"] = kNumbers;
}
BENCHMARK(BM_LibraryParseFormat10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
