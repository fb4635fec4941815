#ifndef MSG_APP_SHELL_LAUNCHOPTIONS_H
#define MSG_APP_SHELL_LAUNCHOPTIONS_H

#include <string>

namespace msg_cli {
class CommandLine;
}

namespace msg_app {
namespace shell {

// The command-line option the executables share: --device DIR (the simulated
// device folder).
class LaunchOptions {
public:
    // Declares the shared options on the executable's command line.
    void declare(msg_cli::CommandLine& commandLine);
    // Once parsed: the device folder named by --device becomes the process's device.
    void apply() const;
    // Without D-Bus, EFL would print errors and backtraces at start-up.
    static void quietPlatformLogs();

    std::string device;
};

} // namespace shell
} // namespace msg_app

#endif
