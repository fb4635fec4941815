#include "AppFirstFrame.h"

#include "Programs.h"

#include <glib.h>
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

} // namespace

bool runAppToFirstFrame(const std::vector<std::string>& args, double& firstFrameSeconds, long& maxRssKb) {
    std::string app = msg_test::binDir() + "/msg-app";
    std::vector<const gchar*> argv = {app.c_str()};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    argv.push_back("--exit-after-first-frame");
    argv.push_back(nullptr);
    GPid pid = 0;
    gint out = -1;
    double start = monotonicSeconds();
    if (!g_spawn_async_with_pipes(
            nullptr, const_cast<gchar**>(argv.data()), nullptr,
            static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
            nullptr, &pid, nullptr, &out, nullptr, nullptr))
        return false;
    std::string output;
    char buffer[256];
    ssize_t n;
    while ((n = read(out, buffer, sizeof(buffer))) > 0)
        output.append(buffer, static_cast<size_t>(n));
    close(out);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    g_spawn_close_pid(pid);
    double frame = 0;
    if (sscanf(output.c_str(), "first-frame-monotonic %lf", &frame) != 1 || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return false;
    firstFrameSeconds = frame - start;
    maxRssKb = std::max(maxRssKb, usage.ru_maxrss);
    return true;
}

} // namespace msg_bench
