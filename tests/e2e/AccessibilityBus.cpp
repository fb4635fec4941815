#include "AccessibilityBus.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace msg_e2e {

namespace {
constexpr int BUS_START_MS = 15000;
} // namespace

AccessibilityBus::~AccessibilityBus() {
    // The accessibility bus and its registry end with the session bus that started them.
    _bus.stop();
    if (_hadAddress)
        setenv("DBUS_SESSION_BUS_ADDRESS", _previousAddress.c_str(), 1);
    else
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!_runtimeDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(_runtimeDir, ec);
    }
}

bool AccessibilityBus::start(std::string* error) {
    std::string pattern = (std::filesystem::temp_directory_path() / "msg-e2e-bus-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        *error = "no folder for the bus";
        return false;
    }
    _runtimeDir = pattern;
    // Its own runtime folder: the accessibility bus it starts is nobody else's.
    std::string address = _bus.startForLine(
        [&](int fd) {
            return std::vector<std::string>{"/usr/bin/dbus-daemon", "--session", "--nofork",
                                            "--address=unix:tmpdir=" + _runtimeDir,
                                            "--print-address=" + std::to_string(fd)};
        },
        {{"XDG_RUNTIME_DIR", _runtimeDir}}, BUS_START_MS);
    if (address.empty()) {
        *error = "dbus-daemon did not start (scripts/install-deps)";
        return false;
    }
    if (const char* previous = getenv("DBUS_SESSION_BUS_ADDRESS")) {
        _hadAddress = true;
        _previousAddress = previous;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    // As a screen reader does when it starts: the toolkit's bridge joins the bus on this.
    Output set = run({"/usr/bin/dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                      "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                      "string:ScreenReaderEnabled", "variant:boolean:true"});
    if (set.exitCode != 0) {
        *error = "no accessibility bus (at-spi2-core; scripts/install-deps)";
        return false;
    }
    return true;
}

} // namespace msg_e2e
