#ifndef MSG_BENCH_SUPPORT_APPFIRSTFRAME_H
#define MSG_BENCH_SUPPORT_APPFIRSTFRAME_H

#include <string>
#include <vector>

namespace msg_bench {

// Runs the build's msg-app with the arguments and --exit-after-first-frame: the seconds from the
// spawn to its first frame, and the peak RSS so far (kept when larger). False when it did not draw.
bool runAppToFirstFrame(const std::vector<std::string>& args, double& firstFrameSeconds, long& maxRssKb);

} // namespace msg_bench

#endif
