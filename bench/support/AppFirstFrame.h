#ifndef MSG_BENCH_SUPPORT_APPFIRSTFRAME_H
#define MSG_BENCH_SUPPORT_APPFIRSTFRAME_H

#include <string>
#include <vector>

namespace msg_bench {

// What one process cost up to its first frame, as the operating system accounts a finished child.
struct ProcessSample {
    double firstFrameMs = 0; // from the spawn to the frame the program reports
    double cpuMs = 0;        // user and system time of the whole run
    double peakMib = 0;      // its largest resident size
};

// Spawns argv (argv[0] a path) with the extra NAME=VALUE environment and reads its standard output
// for "first-frame-monotonic SECONDS". A program that waits for its user after the frame is asked to
// end there (SIGTERM) when `endAtFrame`. False when it drew no frame or failed.
bool runToFirstFrame(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     bool endAtFrame, ProcessSample& sample);

// Runs the build's msg-app with the arguments and --exit-after-first-frame: the seconds from the
// spawn to its first frame, and the peak RSS so far (kept when larger). False when it did not draw.
bool runAppToFirstFrame(const std::vector<std::string>& args, double& firstFrameSeconds, long& maxRssKb);

} // namespace msg_bench

#endif
