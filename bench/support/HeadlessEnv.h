#ifndef MSG_BENCH_SUPPORT_HEADLESSENV_H
#define MSG_BENCH_SUPPORT_HEADLESSENV_H

namespace msg_bench {

// A benchmark's process and the programs it starts draw on the buffer engine, in English, without the
// start-up noise of the desktop services a watch lacks; the log keeps lines of logLevel and above
// unless MSG_LOG_LEVEL says otherwise.
void setHeadlessEnvironment(const char* logLevel);

// Runs the registered benchmarks between the toolkit's start and end, then lets the default device
// go before the toolkit does; the process's exit status.
int runWidgetBenchmarks(int argc, char** argv);

} // namespace msg_bench

#endif
