// Every hostile text of the layout fuzzer's seeds, made safe as the screens make it, laid out in
// an entry at each wrap mode and at widths across the screen. Prints the longest single layout:
// the bound a screen showing such a text keeps to.
#include "common/CommonUiHelper.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int SCREEN_W = 360;
constexpr int WIDTH_STEP = 10;

std::vector<std::pair<std::string, std::string>> seeds() {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& entry : std::filesystem::directory_iterator(MSG_LAYOUT_SEEDS)) {
        std::ifstream file(entry.path(), std::ios::binary);
        out.emplace_back(entry.path().filename().string(),
                         std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    }
    return out;
}

void BM_HostileTextLongestLayout(benchmark::State& state) {
    Evas_Object* window = elm_win_add(nullptr, "layout", ELM_WIN_BASIC);
    Evas_Object* entry = elm_entry_add(window);
    elm_entry_editable_set(entry, EINA_FALSE);
    elm_entry_text_style_user_push(entry, "DEFAULT='font=Sans font_size=28'");
    auto texts = seeds();
    double longest = 0;
    std::string worst;
    for (auto _ : state) {
        for (const auto& seed : texts) {
            std::string markup = msg_app::common_ui_helper::to_label_markup(seed.second, true);
            for (Elm_Wrap_Type wrap : {ELM_WRAP_NONE, ELM_WRAP_CHAR, ELM_WRAP_WORD, ELM_WRAP_MIXED}) {
                elm_entry_line_wrap_set(entry, wrap);
                elm_object_text_set(entry, markup.c_str());
                for (int width = WIDTH_STEP; width <= SCREEN_W; width += WIDTH_STEP) {
                    auto start = std::chrono::steady_clock::now();
                    evas_object_resize(entry, width, 0);
                    evas_object_smart_calculate(entry);
                    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
                    if (took.count() > longest) {
                        longest = took.count();
                        worst = seed.first + " wrap " + std::to_string(wrap) + " at " + std::to_string(width);
                    }
                }
            }
        }
    }
    state.counters["texts"] = static_cast<double>(texts.size());
    state.counters["longest_layout_ms"] = longest;
    std::printf("longest layout: %.1f ms (%s)\n", longest, worst.c_str());
    evas_object_del(window);
}

BENCHMARK(BM_HostileTextLongestLayout)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    setenv("ELM_ENGINE", "buffer", 1);
    elm_init(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    elm_shutdown();
    return 0;
}
