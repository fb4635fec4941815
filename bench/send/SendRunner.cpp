// The send process, headless, on a fresh device with a Bluetooth phone:
//  - msg-send started N times with a send request: median time from spawn to
//    the send call and to its first frame, and the largest peak memory;
//  - a launch request sent as another application sends it: median time
//    until the store's change event that a running msg-app inserts the row on.
// The phone's delay is not counted: the runner delivers at once.
//   send_bench [--runs N]
#include "DeviceProfiles.h"
#include "ToolkitDaemon.h"
#include "app_control.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>
#include <glib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr double EVENT_TARGET_MS = 300.0;
constexpr const char* REQUEST =
    "{\"app_id\":\"com.vorlane.msg-send\",\"caller\":\"com.example.bench\",\"launch_mode\":0,"
    "\"extra\":{\"address\":\"01012345678\",\"body_text\":\"benchmark\"}}";

double now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void deliverAll() {
    std::vector<msg_store::OutboxEntry> entries;
    msg_store::PhoneSide::getOutbox(entries);
    for (const auto& entry : entries)
        msg_store::PhoneSide::deliver(entry.msgId);
}

struct ProcessRun {
    double sendCallMs = -1;
    double firstFrameMs = -1;
    long maxRssKb = 0;
};

// Reads the marks the process prints; delivers once it has sent, so that it ends.
bool runProcess(const std::string& exe, ProcessRun& run) {
    msg_bench::holdToolkitDaemon();
    gchar** env = g_get_environ();
    env = g_environ_setenv(env, "MSG_APP_CONTROL", REQUEST, TRUE);
    env = g_environ_setenv(env, "MSG_APP_ID", "com.vorlane.msg-send", TRUE);
    env = g_environ_setenv(env, "MSG_SEND_TIMING", "1", TRUE);
    gchar* argv[] = {const_cast<gchar*>(exe.c_str()), nullptr};
    GPid pid = 0;
    int out = -1;
    double start = now();
    gboolean ok = g_spawn_async_with_pipes(
        nullptr, argv, env, static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDERR_TO_DEV_NULL),
        nullptr, nullptr, &pid, nullptr, &out, nullptr, nullptr);
    g_strfreev(env);
    if (!ok)
        return false;
    FILE* stream = fdopen(out, "r");
    char line[256];
    while (stream && fgets(line, sizeof(line), stream)) {
        double mark = 0;
        if (sscanf(line, "send-call-monotonic %lf", &mark) == 1) {
            run.sendCallMs = (mark - start) * 1000.0;
            deliverAll();
        } else if (sscanf(line, "first-frame-monotonic %lf", &mark) == 1) {
            run.firstFrameMs = (mark - start) * 1000.0;
        }
    }
    if (stream)
        fclose(stream);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.maxRssKb = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct EventWait {
    double sent = 0;
    double received = -1;
};

void storageChangedCb(const char* payload, void* data) {
    auto* wait = static_cast<EventWait*>(data);
    if (wait->received < 0 && payload && std::strncmp(payload, "msg_inserted:", 13) == 0) {
        wait->received = now();
        ecore_main_loop_quit();
    }
}

Eina_Bool giveUpCb(void*) {
    ecore_main_loop_quit();
    return ECORE_CALLBACK_CANCEL;
}

// From a launch request to the change event of the new row.
double requestToEventMs() {
    EventWait wait;
    msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, storageChangedCb,
                                                 &wait);
    app_control_h request = nullptr;
    app_control_create(&request);
    app_control_set_app_id(request, "com.vorlane.msg-send");
    app_control_add_extra_data(request, "address", "01012345678");
    app_control_add_extra_data(request, "body_text", "benchmark");
    app_control_add_extra_data(request, "sending_popup", "hide");
    wait.sent = now();
    app_control_send_launch_request(request, nullptr, nullptr);
    app_control_destroy(request);
    Ecore_Timer* limit = ecore_timer_add(10.0, giveUpCb, nullptr);
    ecore_main_loop_begin();
    ecore_timer_del(limit);
    msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, storageChangedCb,
                                                   &wait);
    deliverAll();
    return wait.received < 0 ? -1 : (wait.received - wait.sent) * 1000.0;
}

std::string binDir(const char* argv0) {
    if (const char* bin = getenv("MSG_BIN_DIR"))
        return bin;
    char exe[4096];
    ssize_t len = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    std::string dir = len > 0 ? std::string(exe, static_cast<size_t>(len)) : std::string(argv0);
    dir.erase(dir.find_last_of('/'));
    return dir + "/../bin";
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0)
        runs = std::max(1, atoi(argv[2]));
    std::string bin = binDir(argv[0]);
    setenv("MSG_BIN_DIR", bin.c_str(), 1);
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("MSG_LOG_LEVEL", "error", 0);
    char* device = g_dir_make_tmp("send-bench-XXXXXX", nullptr);
    setenv("MSG_DEVICE_DIR", device, 1);
    std::string error;
    if (!msg_services::DeviceProfiles::apply("phone-bt", &error)) {
        fprintf(stderr, "cannot set up the device: %s\n", error.c_str());
        return 1;
    }
    ecore_init();
    std::vector<double> sendCall, firstFrame, toEvent;
    long maxRss = 0;
    for (int i = 0; i < runs; ++i) {
        ProcessRun run;
        if (!runProcess(bin + "/msg-send", run)) {
            fprintf(stderr, "msg-send run %d failed\n", i);
            return 1;
        }
        sendCall.push_back(run.sendCallMs);
        firstFrame.push_back(run.firstFrameMs);
        maxRss = std::max(maxRss, run.maxRssKb);
        toEvent.push_back(requestToEventMs());
    }
    printf("msg-send runs: %d (device %s)\n", runs, device);
    printf("spawn to send call:   median %.1f ms\n", median(sendCall));
    printf("spawn to first frame: median %.1f ms\n", median(firstFrame));
    printf("peak memory (max RSS): %ld KiB\n", maxRss);
    printf("launch request to the new row's change event: median %.1f ms (target under %.0f ms)\n",
           median(toEvent), EVENT_TARGET_MS);
    ecore_shutdown();
    g_free(device);
    return 0;
}
