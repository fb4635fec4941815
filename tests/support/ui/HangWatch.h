#ifndef MSG_TEST_HANGWATCH_H
#define MSG_TEST_HANGWATCH_H

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace msg_test {

// Ends a test program that has not finished in time with every thread's stack on stderr, so a
// hang reports where it stands instead of being killed silently by the test runner. The limit
// comes from MSG_TEST_HANG_SECONDS; without it the watch is off.
class HangWatch {
public:
    HangWatch();
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
