#include "LaunchOptions.h"

#include "ScreenRegistry.h"
#include "log/ToolkitLogs.h"

#include <cstdio>
#include <cstdlib>

namespace msg_app {
namespace shell {

bool LaunchOptions::parse(int argc, char** argv, const ExtraOption& extra) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--device" && next) {
            setenv("MSG_DEVICE_DIR", next, 1);
            ++i;
        } else if (arg == "--screen" && next) {
            screen = next;
            ++i;
        } else if (arg == "--list-screens") {
            listScreens = true;
        } else {
            int used = extra ? extra(arg, next) : 0;
            if (used <= 0)
                return false;
            i += used - 1;
        }
    }
    return true;
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
