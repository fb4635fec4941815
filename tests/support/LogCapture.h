#ifndef MSG_TESTS_SUPPORT_LOGCAPTURE_H
#define MSG_TESTS_SUPPORT_LOGCAPTURE_H

#include "dlog.h"

#include <mutex>
#include <string>
#include <vector>

namespace msg_test {

// Records every platform log line while it lives; only one may exist at a time.
class LogCapture {
public:
    struct Line {
        log_priority prio;
        std::string tag;
        std::string text;
    };

    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<Line> lines() const;
    // True when some line contains the text.
    bool contains(const std::string& text) const;
    int count(const std::string& text) const;
    void clear();

private:
    static void _captureCb(log_priority prio, const char* tag, const char* msg, void* userData);

    mutable std::mutex _mutex;
    std::vector<Line> _lines;
};

} // namespace msg_test

#endif
