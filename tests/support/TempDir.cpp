#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace msg_test {

TempDir::TempDir(const char* prefix) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    _path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(_path, ec);
}

TempDevice::TempDevice() : TempDir("msg-device") {
    if (const char* old = std::getenv("MSG_DEVICE_DIR")) {
        _previous = old;
        _hadPrevious = true;
    }
    setenv("MSG_DEVICE_DIR", path().c_str(), 1);
}

TempDevice::~TempDevice() {
    if (_hadPrevious)
        setenv("MSG_DEVICE_DIR", _previous.c_str(), 1);
    else
        unsetenv("MSG_DEVICE_DIR");
}

} // namespace msg_test
