// msg-sim: drives the simulated device and its paired phone from the command line.
#include "SimCommand.h"
#include "log/ToolkitLogs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void printHelp(FILE* out) {
    std::fprintf(out,
                 "usage: msg-sim [--device DIR] [--json] COMMAND [ARGS]\n\n"
                 "The device folder is --device DIR, else $MSG_DEVICE_DIR, else $XDG_DATA_HOME/msg-device.\n"
                 "--json prints machine-readable output where a command prints anything.\n\nCommands:\n");
    for (const auto& command : msg_sim::simCommands())
        std::fprintf(out, "  %-10s %s\n             %s %s\n", command.name, command.summary, command.name,
                     command.usage);
}

} // namespace

int main(int argc, char** argv) {
    // The automatic phone and watch run the toolkit's main loop.
    platform_log::quiet_toolkit_logs();
    std::vector<std::string> args(argv + 1, argv + argc);
    bool json = false;
    std::string commandName;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!commandName.empty()) {
            if (arg == "--json")
                json = true;
            else
                rest.push_back(arg);
        } else if (arg == "--device") {
            if (i + 1 == args.size()) {
                std::fprintf(stderr, "msg-sim: --device needs a folder\n");
                return 2;
            }
            setenv("MSG_DEVICE_DIR", args[++i].c_str(), 1);
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h" || arg == "help") {
            printHelp(stdout);
            return 0;
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "msg-sim: unknown option %s\n", arg.c_str());
            return 2;
        } else {
            commandName = arg;
        }
    }
    if (commandName.empty()) {
        printHelp(stderr);
        return 2;
    }
    for (const auto& command : msg_sim::simCommands()) {
        if (commandName == command.name) {
            msg_sim::SimArgs simArgs(commandName, rest, json);
            return command.run(simArgs);
        }
    }
    std::fprintf(stderr, "msg-sim: unknown command '%s' (msg-sim --help lists them)\n", commandName.c_str());
    return 2;
}
