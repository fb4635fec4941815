#ifndef MSG_APP_SHELL_LAUNCHOPTIONS_H
#define MSG_APP_SHELL_LAUNCHOPTIONS_H

#include <string>

namespace msg_cli {
class CommandLine;
}

namespace msg_app {
namespace shell {

// The command-line options the executables share: --device DIR (the
// simulated device folder), --screen NAME and --list-screens.
class LaunchOptions {
public:
    // Declares the shared options on the executable's command line.
    void declare(msg_cli::CommandLine& commandLine);
    // Once parsed: the device folder named by --device becomes the process's device.
    void apply() const;
    // Prints the registered screens, one "name<TAB>description" a line.
    static void printScreens();
    // Without D-Bus, EFL would print errors and backtraces at start-up.
    static void quietPlatformLogs();

    std::string device;
    std::string screen;
    bool listScreens = false;
};

} // namespace shell
} // namespace msg_app

#endif
