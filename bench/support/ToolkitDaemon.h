#ifndef MSG_BENCH_SUPPORT_TOOLKITDAEMON_H
#define MSG_BENCH_SUPPORT_TOOLKITDAEMON_H

namespace msg_bench {

// Keeps the toolkit's desktop-cache daemon (efreetd) up while the benchmark starts program after
// program, as a device's system keeps it: a program that finds none starts it and waits for it, 10 ms
// a try, and the daemon, holding that program's output, quits a second or two after its last client.
// Every start then paid the wait (ours and the floor's alike, which hid part of the difference between
// them) and the runner waited for each program's output to close. The first call starts a client that
// stays connected (tests/harness' holder, detached from our output) until the process ends; later
// calls do nothing. False, with a line on standard error, when it could not connect.
bool holdToolkitDaemon();

} // namespace msg_bench

#endif
