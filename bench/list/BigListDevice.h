#ifndef MSG_BENCH_LIST_BIGLISTDEVICE_H
#define MSG_BENCH_LIST_BIGLISTDEVICE_H

#include "TempDir.h"

#include <cstdint>
#include <string>

namespace msg_bench {

// A temporary device folder holding `conversations` one-to-one conversations of two messages each
// (one sent, one received; every seventh conversation unread), newest last. Built through the
// store's phone side in large transactions, so that 50,000 conversations take seconds.
class BigListDevice {
public:
    explicit BigListDevice(int conversations);

    bool isReady() const { return _ready; }
    const std::string& path() const { return _dir.path(); }
    int conversations() const { return _conversations; }
    // The address of the conversation built n-th (0 is the oldest).
    static std::string addressOf(int n);
    // A time later than every message written so far, for the next new message, in milliseconds.
    int64_t nextTimeMs() { return _newestTimeMs += 1000; }
    // The oldest conversation no new message went to yet: the bottom row of the list.
    int takeOldest() { return _oldest++; }

private:
    msg_test::TempDir _dir{"msg-list-bench"};
    int _conversations;
    int64_t _newestTimeMs;
    int _oldest = 0;
    bool _ready = false;
};

} // namespace msg_bench

#endif
