#include "dlog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct LogState {
    std::mutex mutex;
    log_priority minPriority = DLOG_INFO;
    FILE* out = stderr;
    dlog_capture_cb capture = nullptr;
    void* captureData = nullptr;

    LogState() {
        if (const char* level = std::getenv("MSG_LOG_LEVEL"))
            minPriority = parseLevel(level);
        if (const char* path = std::getenv("MSG_LOG_FILE")) {
            if (FILE* f = std::fopen(path, "a")) {
                std::setvbuf(f, nullptr, _IOLBF, 0);
                out = f;
            }
        }
    }

    static log_priority parseLevel(const char* level) {
        static const struct {
            const char* name;
            log_priority prio;
        } levels[] = {{"verbose", DLOG_VERBOSE}, {"debug", DLOG_DEBUG}, {"info", DLOG_INFO},
                      {"warn", DLOG_WARN},       {"error", DLOG_ERROR}, {"silent", DLOG_SILENT}};
        for (const auto& l : levels) {
            if (std::strcmp(level, l.name) == 0)
                return l.prio;
        }
        return DLOG_INFO;
    }
};

// Never destroyed: threads and exit handlers may still log during teardown.
LogState& state() {
    static LogState* s = new LogState();
    return *s;
}

char priorityLetter(log_priority prio) {
    static const char letters[] = "??VDIWEFS";
    return prio >= DLOG_UNKNOWN && prio <= DLOG_SILENT ? letters[prio] : '?';
}

std::string format(const char* fmt, va_list ap) {
    char small[512];
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(small, sizeof(small), fmt, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    if (static_cast<size_t>(n) < sizeof(small))
        return std::string(small, n);
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, ap);
    return std::string(big.data(), n);
}

} // namespace

extern "C" int dlog_vprint(log_priority prio, const char* tag, const char* fmt, va_list ap) {
    if (!tag || !fmt)
        return DLOG_ERROR_INVALID_PARAMETER;
    LogState& s = state();
    std::string msg = format(fmt, ap);
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.capture)
        s.capture(prio, tag, msg.c_str(), s.captureData);
    if (prio >= s.minPriority && s.minPriority != DLOG_SILENT)
        std::fprintf(s.out, "%c/%s(%5d): %s\n", priorityLetter(prio), tag, static_cast<int>(getpid()), msg.c_str());
    return static_cast<int>(msg.size());
}

extern "C" int dlog_print(log_priority prio, const char* tag, const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int r = dlog_vprint(prio, tag, fmt, ap);
    va_end(ap);
    return r;
}

extern "C" void dlog_set_min_priority(log_priority prio) {
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.minPriority = prio;
}

extern "C" log_priority dlog_get_min_priority(void) {
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.minPriority;
}

extern "C" void dlog_set_capture_cb(dlog_capture_cb cb, void* user_data) {
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.capture = cb;
    s.captureData = user_data;
}
