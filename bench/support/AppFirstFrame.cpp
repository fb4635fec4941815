#include "AppFirstFrame.h"

#include "Programs.h"
#include "ToolkitDaemon.h"

#include <glib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace msg_bench {

namespace {

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double milliseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_usec) / 1000.0;
}

} // namespace

bool runToFirstFrame(const std::vector<std::string>& args, const std::vector<std::string>& env,
                     bool endAtFrame, ProcessSample& sample) {
    holdToolkitDaemon();
    std::vector<const gchar*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    gchar** environment = g_get_environ();
    for (const std::string& entry : env) {
        size_t equals = entry.find('=');
        environment = g_environ_setenv(environment, entry.substr(0, equals).c_str(),
                                       entry.substr(equals + 1).c_str(), TRUE);
    }
    GPid pid = 0;
    gint out = -1;
    double start = monotonicSeconds();
    gboolean spawned = g_spawn_async_with_pipes(
        nullptr, const_cast<gchar**>(argv.data()), environment,
        static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDERR_TO_DEV_NULL), nullptr, nullptr,
        &pid, nullptr, &out, nullptr, nullptr);
    g_strfreev(environment);
    if (!spawned)
        return false;
    double frame = -1;
    FILE* stream = fdopen(out, "r");
    char line[256];
    while (frame < 0 && fgets(line, sizeof(line), stream)) {
        if (sscanf(line, "first-frame-monotonic %lf", &frame) != 1)
            frame = -1;
    }
    // What the program used up to its frame, printed with it: not the teardown after.
    double cpuAtFrame = -1;
    long peakKibAtFrame = -1;
    if (frame >= 0 && fgets(line, sizeof(line), stream) &&
        sscanf(line, "first-frame-usage cpu-ms %lf peak-kib %ld", &cpuAtFrame, &peakKibAtFrame) != 2)
        cpuAtFrame = -1;
    if (endAtFrame)
        kill(pid, SIGTERM);
    // The rest of what it prints, so that it never blocks on a full pipe before it ends.
    while (fgets(line, sizeof(line), stream)) {
    }
    fclose(stream);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    g_spawn_close_pid(pid);
    if (frame < 0 || (!endAtFrame && (!WIFEXITED(status) || WEXITSTATUS(status) != 0)))
        return false;
    sample.firstFrameMs = (frame - start) * 1000.0;
    bool atFrame = cpuAtFrame >= 0;
    sample.cpuMs = atFrame ? cpuAtFrame : milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    sample.peakMib = static_cast<double>(atFrame ? peakKibAtFrame : usage.ru_maxrss) / 1024.0;
    return true;
}

bool runAppToFirstFrame(const std::vector<std::string>& args, double& firstFrameSeconds, long& maxRssKb) {
    std::vector<std::string> argv = {msg_test::binDir() + "/msg-app"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--exit-after-first-frame");
    ProcessSample sample;
    if (!runToFirstFrame(argv, {}, false, sample))
        return false;
    firstFrameSeconds = sample.firstFrameMs / 1000.0;
    maxRssKb = std::max(maxRssKb, static_cast<long>(sample.peakMib * 1024.0));
    return true;
}

} // namespace msg_bench
