#include "LaunchOptions.h"

#include "CommandLine.h"
#include "ScreenRegistry.h"
#include "log/ToolkitLogs.h"

#include <cstdio>
#include <cstdlib>

namespace msg_app {
namespace shell {

void LaunchOptions::declare(msg_cli::CommandLine& commandLine) {
    commandLine.value("--device", "DIR", "the simulated device's folder (else $MSG_DEVICE_DIR)", &device)
        .value("--screen", "NAME", "the screen to open (see --list-screens)", &screen)
        .flag("--list-screens", "names every screen and exits", &listScreens);
}

void LaunchOptions::apply() const {
    if (!device.empty())
        setenv("MSG_DEVICE_DIR", device.c_str(), 1);
}

void LaunchOptions::printScreens() {
    registerBuiltinScreens();
    ScreenRegistry& registry = ScreenRegistry::getInstance();
    for (const std::string& name : registry.names())
        printf("%s\t%s\n", name.c_str(), registry.description(name).c_str());
}

void LaunchOptions::quietPlatformLogs() {
    platform_log::quiet_toolkit_logs();
}

} // namespace shell
} // namespace msg_app
