#ifndef MSG_APP_SHELL_LAUNCHOPTIONS_H
#define MSG_APP_SHELL_LAUNCHOPTIONS_H

#include <functional>
#include <string>

namespace msg_app {
namespace shell {

// The command-line options the executables share: --device DIR (the
// simulated device folder), --screen NAME and --list-screens.
class LaunchOptions {
public:
    // Handles an executable's own option: returns how many arguments it used
    // (the option and its value), 0 for an unknown one. next may be null.
    using ExtraOption = std::function<int(const std::string& arg, const char* next)>;

    bool parse(int argc, char** argv, const ExtraOption& extra);
    // Prints the registered screens, one "name<TAB>description" a line.
    static void printScreens();
    // Without D-Bus, EFL would print errors and backtraces at start-up.
    static void quietPlatformLogs();

    std::string screen;
    bool listScreens = false;
};

} // namespace shell
} // namespace msg_app

#endif
