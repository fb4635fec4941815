// Start-up of msg-app, headless: spawns it N times with
// --exit-after-first-frame and prints the median time from spawn to the
// first rendered frame and the largest peak memory (max RSS).
//   startup_bench [--runs N] [--app PATH]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double TARGET_MS = 300.0;

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string defaultApp(const char* argv0) {
    if (const char* bin = getenv("MSG_BIN_DIR"))
        return std::string(bin) + "/msg-app";
    char exe[PATH_MAX];
    ssize_t len = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    std::string dir = len > 0 ? std::string(exe, static_cast<size_t>(len)) : std::string(argv0);
    dir.erase(dir.find_last_of('/'));
    return dir + "/../bin/msg-app";
}

struct Run {
    double firstFrameMs = -1;
    long maxRssKb = 0;
};

bool runOnce(const std::string& app, Run& run) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* args[] = {const_cast<char*>(app.c_str()), const_cast<char*>("--exit-after-first-frame"), nullptr};
    pid_t pid;
    double start = monotonicSeconds();
    int rc = posix_spawn(&pid, app.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return false;
    }
    std::string output;
    char buffer[256];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof(buffer))) > 0)
        output.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    double frame = 0;
    if (sscanf(output.c_str(), "first-frame-monotonic %lf", &frame) != 1)
        return false;
    run.firstFrameMs = (frame - start) * 1000.0;
    run.maxRssKb = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 20;
    std::string app = defaultApp(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (arg == "--app" && i + 1 < argc)
            app = argv[++i];
    }
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    std::vector<double> times;
    long maxRss = 0;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!runOnce(app, run)) {
            fprintf(stderr, "run %d of %s failed\n", i + 1, app.c_str());
            return 1;
        }
        times.push_back(run.firstFrameMs);
        maxRss = std::max(maxRss, run.maxRssKb);
    }
    std::sort(times.begin(), times.end());
    double median = times[times.size() / 2];
    printf("msg-app start-up, %d runs (buffer engine)\n", runs);
    printf("  first frame: median %.1f ms, min %.1f ms, max %.1f ms (target < %.0f ms)\n", median,
           times.front(), times.back(), TARGET_MS);
    printf("  peak memory: max RSS %.1f MiB\n", static_cast<double>(maxRss) / 1024.0);
    return 0;
}
