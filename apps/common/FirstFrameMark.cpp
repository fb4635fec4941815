#include "FirstFrameMark.h"

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace msg_app {
namespace shell {

void printFirstFrameMark() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    // One write: a reader that stops the program at the first line has the second too.
    std::printf("first-frame-monotonic %.6f\nfirst-frame-usage cpu-ms %.3f peak-kib %ld\n",
                static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9, cpuMs,
                usage.ru_maxrss);
    std::fflush(stdout);
}

} // namespace shell
} // namespace msg_app
