#include "LaunchOptions.h"

#include "CommandLine.h"
#include "log/ToolkitLogs.h"

#include <cstdlib>

namespace msg_app {
namespace shell {

void LaunchOptions::declare(msg_cli::CommandLine& commandLine) {
    commandLine.value("--device", "DIR", "the simulated device's folder (else $MSG_DEVICE_DIR)", &device);
}

void LaunchOptions::apply() const {
    if (!device.empty())
        setenv("MSG_DEVICE_DIR", device.c_str(), 1);
}

void LaunchOptions::quietPlatformLogs() {
    platform_log::quiet_toolkit_logs();
}

} // namespace shell
} // namespace msg_app
