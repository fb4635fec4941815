#include "HangWatch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace msg_test {

HangWatch::HangWatch() {
    const char* limit = getenv("MSG_TEST_HANG_SECONDS");
    double seconds = limit ? atof(limit) : 0.0;
    if (seconds > 0)
        _thread = std::thread(&HangWatch::_watch, this, seconds);
}

HangWatch::~HangWatch() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _finished = true;
    }
    _done.notify_all();
    if (_thread.joinable())
        _thread.join();
}

void HangWatch::stage(const char* name) {
    std::lock_guard<std::mutex> lock(_mutex);
    _stage = name;
}

void HangWatch::_watch(double seconds) {
    std::unique_lock<std::mutex> lock(_mutex);
    if (_done.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return _finished; }))
        return;
    fprintf(stderr, "hang watch: still in \"%s\" after %.0f s; the threads' stacks follow\n", _stage.c_str(),
            seconds);
    fflush(stderr);
    // The debugger attaches from outside; without one the report is the line above.
    std::string command = "gdb -p " + std::to_string(getpid()) +
                          " -batch -nx -ex 'thread apply all bt' 1>&2 2>/dev/null </dev/null";
    if (system("command -v gdb >/dev/null 2>&1") == 0 && system(command.c_str()) != 0)
        fprintf(stderr, "hang watch: the debugger could not attach\n");
    // The runner's time limit ends the program and reports it as timed out.
}

} // namespace msg_test
