#ifndef MSG_TEST_HANGWATCH_H
#define MSG_TEST_HANGWATCH_H

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace msg_test {

// Prints every thread's stack on stderr when a test program has not finished in time, shortly
// before the test runner's own time limit ends it, so that a hang reports where it stands. The
// limit comes from MSG_TEST_HANG_SECONDS; without it the watch is off.
class HangWatch {
public:
    HangWatch();
    // A watch that must outlive main() is never destroyed: its thread ends with the process.
    ~HangWatch();
    HangWatch(const HangWatch&) = delete;
    HangWatch& operator=(const HangWatch&) = delete;

    // What the program is doing now, named in the report.
    void stage(const char* name);

private:
    void _watch(double seconds);

    std::mutex _mutex;
    std::condition_variable _done;
    bool _finished = false;
    std::string _stage = "start";
    std::thread _thread;
};

} // namespace msg_test

#endif
