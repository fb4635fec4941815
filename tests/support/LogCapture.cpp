#include "LogCapture.h"

namespace msg_test {

LogCapture::LogCapture() {
    dlog_set_capture_cb(&LogCapture::_captureCb, this);
}

LogCapture::~LogCapture() {
    dlog_set_capture_cb(nullptr, nullptr);
}

void LogCapture::_captureCb(log_priority prio, const char* tag, const char* msg, void* userData) {
    auto* self = static_cast<LogCapture*>(userData);
    std::lock_guard<std::mutex> lock(self->_mutex);
    self->_lines.push_back({prio, tag, msg});
}

std::vector<LogCapture::Line> LogCapture::lines() const {
    std::lock_guard<std::mutex> lock(_mutex);
    return _lines;
}

bool LogCapture::contains(const std::string& text) const {
    return count(text) > 0;
}

int LogCapture::count(const std::string& text) const {
    std::lock_guard<std::mutex> lock(_mutex);
    int n = 0;
    for (const auto& line : _lines) {
        if (line.text.find(text) != std::string::npos)
            ++n;
    }
    return n;
}

void LogCapture::clear() {
    std::lock_guard<std::mutex> lock(_mutex);
    _lines.clear();
}

} // namespace msg_test
