/*
 * What a program started by a benchmark prints at its first frame: the monotonic time, then what it
 * has used up to that frame (CPU of all its threads, largest resident size), so that the figures
 * are of the first frame and not of the teardown after it.
 */
#ifndef MSG_APP_SHELL_FIRSTFRAMEMARK_H
#define MSG_APP_SHELL_FIRSTFRAMEMARK_H

namespace msg_app {
namespace shell {

// "first-frame-monotonic SECONDS" and "first-frame-usage cpu-ms MS peak-kib KIB", flushed at once.
void printFirstFrameMark();

} // namespace shell
} // namespace msg_app

#endif
