// Figures of media in a conversation, on the buffer engine with the silent output that keeps time:
//   BM_PlayTapToFirstBuffer   a tap on a voice clip to its first samples played (the position moves);
//   BM_MetadataFirstRead      the clip's length read from a file not read before;
//   BM_MetadataCached         the same for a file read before (every realization after the first);
//   BM_AudioContentRealized   a voice clip's bubble content built, its file read before;
//   BM_OpenClose50            resident memory before and after 50 opens and closes of a
//                             conversation of 20 messages with a voice clip and a picture each
//                             (argument 1), and of the same in words only (argument 0).
#include "HeadlessEnv.h"
#include "MainLoop.h"
#include "SimSeedMedia.h"
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
#include "viewer/media/MVAudioViewController.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Elementary.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;
using msg_app::MVSoundPlayer;
using msg_app::msg_viewer::MVAudioViewController;

namespace {

constexpr int MEDIA_MESSAGES = 20;
constexpr int FRESH_FILES = 30;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

msg_store::Content file(msg_store::Content::MediaType type, const char* mime, const std::string& path) {
    msg_store::Content content;
    content.mediaType = type;
    content.mimeType = mime;
    content.filePath = path;
    content.fileName = path.substr(path.rfind('/') + 1);
    content.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
    return content;
}

// A device with the demo clip and picture, fresh copies of the clip, and one conversation whose
// messages each carry both.
struct MediaDevice {
    MediaDevice() {
        setenv("MSG_DEVICE_DIR", dir.path().c_str(), 1);
        clip = dir.file("demo-voice.wav");
        picture = dir.file("demo-sunset.png");
        msg_sim::simWriteWav(clip, 440, 1500);
        msg_sim::simWritePng(picture, 120, 90, 20);
        for (int i = 0; i < FRESH_FILES; ++i) {
            fresh.push_back(dir.file("voice-" + std::to_string(i) + ".wav"));
            msg_sim::simWriteWav(fresh.back(), 330 + i, 1000);
        }
        std::vector<msg_store::IncomingMessage> messages(MEDIA_MESSAGES);
        for (int i = 0; i < MEDIA_MESSAGES; ++i) {
            messages[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550188888"}};
            messages[i].msgType = "mms";
            messages[i].isRead = true;
            messages[i].time = 1700000000000 + i * 60000LL;
            messages[i].contents = {file(msg_store::Content::MEDIA_TYPE_AUDIO, "audio/x-wav", clip),
                                    file(msg_store::Content::MEDIA_TYPE_IMAGE, "image/png", picture)};
        }
        threadId = insert(messages);
        // The same conversation in words only, for what the media add.
        for (auto& message : messages) {
            message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, "+15550188899"}};
            message.msgType = "sms";
            message.text = "Listen to this and look at that, when you have a minute";
            message.contents.clear();
        }
        textThreadId = insert(messages);
    }
    static int insert(const std::vector<msg_store::IncomingMessage>& messages) {
        std::vector<int> ids;
        msg_store::Message stored;
        if (msg_store::PhoneSide::insertMessages(messages, &ids) != msg_store::MSG_STORE_SUCCESS ||
            msg_store::MessageManager().getMessage(ids.front(), stored) != msg_store::MSG_STORE_SUCCESS)
            return -1;
        return stored.threadId;
    }
    msg_test::TempDir dir{"msg-media-bench"};
    std::string clip, picture;
    std::vector<std::string> fresh;
    int threadId = -1;
    int textThreadId = -1;
};

MediaDevice& device() {
    static MediaDevice instance;
    return instance;
}

// The application's window, its theme and the store, for as long as a benchmark runs.
struct Window {
    Window() {
        device();
        msg_store::ConnectionManager::connect();
        msg_app::common_ui_helper::set_textdomain();
        controller = std::make_unique<view_kit::WWindowController>();
        controller->create("media-bench", 360, 360);
        msg_app::MCommonTheme::getInstance()->init();
        msg_test::pumpFor(0.1);
    }
    ~Window() {
        MVSoundPlayer::getInstance()->destroy();
        controller->destroy();
        controller.reset();
        msg_test::pumpFor(0.05);
        msg_app::MCommonTheme::getInstance()->deinit();
        msg_app::MCommonAddrMgr::release();
        msg_store::ConnectionManager::disconnect();
    }
    MVAudioViewController* audioView(const std::string& path) {
        auto* view =
            new MVAudioViewController(file(msg_store::Content::MEDIA_TYPE_AUDIO, "audio/x-wav", path));
        view->create(controller->getEvasObject(), nullptr);
        return view;
    }
    std::unique_ptr<view_kit::WWindowController> controller;
};

void report(benchmark::State& state, std::vector<double>& values, const char* name) {
    std::sort(values.begin(), values.end());
    state.counters[std::string("median_") + name] = values[values.size() / 2];
    state.counters[std::string("max_") + name] = values.back();
}

void BM_PlayTapToFirstBuffer(benchmark::State& state) {
    Window window;
    MVAudioViewController* view = window.audioView(device().clip);
    MVSoundPlayer* player = MVSoundPlayer::getInstance();
    std::vector<double> times;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        view->click();
        if (!msg_test::pumpUntil([&] { return player->getPosition() > 0; }, 5.0))
            return state.SkipWithError("the clip did not play");
        double ms = msSince(start);
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
        player->stop();
    }
    report(state, times, "ms");
    view->destroy();
}
BENCHMARK(BM_PlayTapToFirstBuffer)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_MetadataFirstRead(benchmark::State& state) {
    std::vector<double> times;
    size_t next = 0;
    for (auto _ : state) {
        if (next >= device().fresh.size())
            return state.SkipWithError("out of unread files");
        Clock::time_point start = Clock::now();
        int duration = MVAudioViewController::readDuration(device().fresh[next++]);
        double ms = msSince(start);
        if (duration <= 0)
            return state.SkipWithError("no length read");
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
    }
    report(state, times, "ms");
}
BENCHMARK(BM_MetadataFirstRead)->UseManualTime()->Iterations(FRESH_FILES)->Unit(benchmark::kMillisecond);

void BM_MetadataCached(benchmark::State& state) {
    MVAudioViewController::readDuration(device().clip);
    std::vector<double> times;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(MVAudioViewController::readDuration(device().clip));
        double ms = msSince(start);
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms * 1000.0);
    }
    report(state, times, "us");
}
BENCHMARK(BM_MetadataCached)->UseManualTime()->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_AudioContentRealized(benchmark::State& state) {
    Window window;
    MVAudioViewController::readDuration(device().clip);
    std::vector<double> times;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        MVAudioViewController* view = window.audioView(device().clip);
        double ms = msSince(start);
        view->destroy();
        state.SetIterationTime(ms / 1000.0);
        times.push_back(ms);
    }
    report(state, times, "ms");
}
BENCHMARK(BM_AudioContentRealized)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_OpenClose50(benchmark::State& state) {
    int threadId = state.range(0) ? device().threadId : device().textThreadId;
    if (threadId < 0)
        return state.SkipWithError("cannot build the device");
    Window window;
    view_kit::WNaviframeController* naviframe = window.controller->getNaviframeController();
    auto cycle = [&] {
        auto* screen = new msg_app::msg_viewer::MVContentViewController(threadId);
        naviframe->push(screen, "media");
        std::weak_ptr<view_kit::WViewController> alive = screen->getWeakPtr();
        msg_test::pumpFor(0.05);
        naviframe->pop();
        msg_test::pumpUntil([&] { return alive.expired(); });
    };
    // The first opens load the theme's groups and the fonts: memory is counted after them.
    cycle();
    cycle();
    for (auto _ : state) {
        long before = residentKb();
        for (int i = 0; i < 50; ++i)
            cycle();
        msg_test::pumpFor(0.1);
        long after = residentKb();
        state.counters["rss_before_MiB"] = before / 1024.0;
        state.counters["rss_after_MiB"] = after / 1024.0;
        state.counters["growth_KiB"] = static_cast<double>(after - before);
    }
}
// Argument 1: the conversation with media; 0: the same in words only.
BENCHMARK(BM_OpenClose50)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    msg_bench::setHeadlessEnvironment("error");
    return msg_bench::runWidgetBenchmarks(argc, argv);
}
