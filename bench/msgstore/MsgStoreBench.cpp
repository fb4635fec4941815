// Figures of the message store: listing conversations, reading a long one,
// change-feed latency between processes, and the database's size.
#include "MainLoop.h"
#include "TempDir.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <glib.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace msg_store;

namespace {

constexpr int kThreads = 10000;
constexpr int kMessagesPerThread = 20;
constexpr int kLongThreadMessages = 5000;
constexpr int kBatch = 2000;

IncomingMessage makeMessage(int thread, int index) {
    IncomingMessage message;
    message.addresses = {{ADDRESS_TYPE_PHONE, "+1555" + std::to_string(1000000 + thread)}};
    message.folderType = index % 2 ? FOLDER_INBOX : FOLDER_SENT;
    message.isRead = index % 7 != 0;
    message.time = 1600000000000LL + (static_cast<int64_t>(index) * kThreads + thread) * 1000;
    message.text = "Message " + std::to_string(index) + " of a conversation, long enough to look real.";
    return message;
}

// One device with 10,000 conversations of 20 messages and one of 5,000, built once.
struct BigDevice {
    msg_test::TempDir dir{"msg-store-bench"};
    int longThread = -1;
    bool ready = false;

    BigDevice() {
        setenv("MSG_DEVICE_DIR", dir.path().c_str(), 1);
        std::vector<IncomingMessage> batch;
        auto flush = [&] {
            if (!batch.empty() && PhoneSide::insertMessages(batch, nullptr) != MSG_STORE_SUCCESS)
                return false;
            batch.clear();
            return true;
        };
        for (int thread = 0; thread < kThreads; ++thread) {
            for (int i = 0; i < kMessagesPerThread; ++i)
                batch.push_back(makeMessage(thread, i));
            if (batch.size() >= kBatch && !flush())
                return;
        }
        for (int i = 0; i < kLongThreadMessages; ++i) {
            batch.push_back(makeMessage(kThreads, i));
            if (batch.size() >= kBatch && !flush())
                return;
        }
        std::vector<int> ids;
        IncomingMessage last = makeMessage(kThreads, kLongThreadMessages);
        if (!flush() || PhoneSide::insertMessages({last}, &ids) != MSG_STORE_SUCCESS)
            return;
        Message message;
        MessageManager().getMessage(ids[0], message);
        longThread = message.threadId;
        ready = true;
    }
};

BigDevice& bigDevice() {
    static BigDevice device;
    return device;
}

void BM_GetAllThreads(benchmark::State& state) {
    if (!bigDevice().ready)
        return state.SkipWithError("cannot build the device");
    std::vector<Thread> threads;
    for (auto _ : state) {
        ThreadManager().getAllThreads(threads);
        benchmark::DoNotOptimize(threads.data());
    }
    state.counters["threads"] = static_cast<double>(threads.size());
}
BENCHMARK(BM_GetAllThreads)->Unit(benchmark::kMillisecond);

void BM_GetConversationsOfALongThread(benchmark::State& state) {
    if (!bigDevice().ready)
        return state.SkipWithError("cannot build the device");
    std::vector<Conversation> conversations;
    for (auto _ : state) {
        MessageManager().getConversations(bigDevice().longThread, conversations);
        benchmark::DoNotOptimize(conversations.data());
    }
    state.counters["messages"] = static_cast<double>(conversations.size());
}
BENCHMARK(BM_GetConversationsOfALongThread)->Unit(benchmark::kMillisecond);

void BM_DatabaseSizePer100kMessages(benchmark::State& state) {
    if (!bigDevice().ready)
        return state.SkipWithError("cannot build the device");
    msg_device::Connection* db = msg_device::Device::getDefault()->connection();
    db->exec("PRAGMA wal_checkpoint(TRUNCATE)");
    int count = 0;
    PhoneSide::countMessages(count);
    struct stat info {};
    stat(msg_device::Device::getDefault()->databasePath().c_str(), &info);
    for (auto _ : state)
        benchmark::DoNotOptimize(count);
    state.counters["MB_per_100k_messages"] = info.st_size / 1048576.0 * 100000.0 / count;
    state.counters["messages"] = count;
}
BENCHMARK(BM_DatabaseSizePer100kMessages)->Iterations(1);

// The writer process of the latency figure: one message per line read from stdin.
int runWriter() {
    char line[16];
    int n = 0;
    while (fgets(line, sizeof(line), stdin)) {
        IncomingMessage message;
        message.addresses = {{ADDRESS_TYPE_PHONE, "+1000"}};
        message.text = "ping " + std::to_string(n++);
        if (PhoneSide::insertMessage(message, nullptr) != MSG_STORE_SUCCESS)
            return 1;
    }
    return 0;
}

void countCb(const char*, void* data) {
    ++*static_cast<int*>(data);
}

void BM_ChangeFeedLatencyAcrossProcesses(benchmark::State& state) {
    msg_test::TempDir dir("msg-store-latency");
    std::string previous = msg_device::Device::defaultDir();
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", dir.path().c_str(), 1);
    ecore_init();
    ConnectionManager::connect();
    int received = 0;
    ConnectionManager::subscribeEvent(EVENT_TYPE_STORAGE_CHANGE, countCb, &received);

    gchar* argv[] = {const_cast<gchar*>("/proc/self/exe"), nullptr};
    gchar** env = g_environ_setenv(g_get_environ(), "MSG_STORE_BENCH_WRITER", "1", TRUE);
    GPid pid = 0;
    gint input = -1;
    if (!g_spawn_async_with_pipes(nullptr, argv, env, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid,
                                  &input, nullptr, nullptr, nullptr)) {
        g_strfreev(env);
        return state.SkipWithError("cannot start the writer");
    }
    g_strfreev(env);
    std::vector<double> latencies;
    for (auto _ : state) {
        int before = received;
        auto start = std::chrono::steady_clock::now();
        if (write(input, "w\n", 2) != 2 || !msg_test::pumpUntil([&] { return received > before; }, 5.0)) {
            state.SkipWithError("no event within 5 s");
            break;
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        latencies.push_back(seconds * 1000.0);
    }
    close(input);
    g_spawn_close_pid(pid);
    if (!latencies.empty()) {
        std::sort(latencies.begin(), latencies.end());
        state.counters["median_ms"] = latencies[latencies.size() / 2];
        state.counters["p95_ms"] = latencies[latencies.size() * 95 / 100];
    }
    ConnectionManager::disconnect();
    msg_device::Device::closeDefault();
    ConnectionManager::connect();
    msg_device::Device::closeDefault();
    ecore_shutdown();
    setenv("MSG_DEVICE_DIR", previous.c_str(), 1);
}
BENCHMARK(BM_ChangeFeedLatencyAcrossProcesses)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("MSG_STORE_BENCH_WRITER"))
        return runWriter();
    setenv("MSG_LOG_LEVEL", "warn", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
