#ifndef MSG_BENCH_SUPPORT_APPFIRSTFRAME_H
#define MSG_BENCH_SUPPORT_APPFIRSTFRAME_H

#include <string>
#include <vector>

namespace msg_bench {

// What one process cost up to its first frame: as it reports at that frame, else as the operating
// system accounts the finished child (teardown included).
struct ProcessSample {
    double firstFrameMs = 0; // from the spawn to the frame the program reports
    double cpuMs = 0;        // user and system time, all threads
    double peakMib = 0;      // its largest resident size
};

// Spawns argv (argv[0] a path) with the extra NAME=VALUE environment and reads its standard output
// for "first-frame-monotonic SECONDS" and the "first-frame-usage" line after it. A program that waits for its
// user after the frame is asked to end there (SIGTERM) when `endAtFrame`. False when it drew no frame or
// failed.
bool runToFirstFrame(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     bool endAtFrame, ProcessSample& sample);

// Runs the build's msg-app with the arguments and --exit-after-first-frame: the seconds from the
// spawn to its first frame, and the peak RSS so far (kept when larger). False when it did not draw.
bool runAppToFirstFrame(const std::vector<std::string>& args, double& firstFrameSeconds, long& maxRssKb);

} // namespace msg_bench

#endif
