// msg-sim: drives the simulated device and its paired phone from the command line.
#include "CommandLine.h"
#include "SimCommand.h"
#include "SimContactCommands.h"
#include "SimConversationCommands.h"
#include "SimInspectCommands.h"
#include "SimJournalCommands.h"
#include "SimLaunchCommands.h"
#include "SimLocateCommands.h"
#include "SimMediaCommands.h"
#include "SimPhoneCommands.h"
#include "SimPickCommands.h"
#include "SimProfileCommands.h"
#include "SimSeedCommands.h"
#include "SimSelectCommands.h"
#include "SimSendLaunchCommands.h"
#include "SimSettingsCommands.h"
#include "SimStoreCommands.h"
#include "SimTelephonyCommands.h"
#include "SimWatchMsgCommands.h"
#include "SimWatchSendCommands.h"
#include "log/ToolkitLogs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void registerCommands() {
    msg_sim::registerContactCommands();
    msg_sim::registerConversationCommands();
    msg_sim::registerInspectCommands();
    msg_sim::registerJournalCommands();
    msg_sim::registerLaunchCommands();
    msg_sim::registerLocateCommands();
    msg_sim::registerMediaCommands();
    msg_sim::registerPhoneCommands();
    msg_sim::registerPickCommands();
    msg_sim::registerProfileCommands();
    msg_sim::registerSeedCommands();
    msg_sim::registerSelectCommands();
    msg_sim::registerSendLaunchCommands();
    msg_sim::registerSettingsCommands();
    msg_sim::registerStoreCommands();
    msg_sim::registerTelephonyCommands();
    msg_sim::registerWatchMsgCommands();
    msg_sim::registerWatchSendCommands();
}

std::string commandList() {
    std::string text =
        "Drives the simulated device and its paired phone. The device folder is --device DIR,\n"
        "else $MSG_DEVICE_DIR, else $XDG_DATA_HOME/msg-device. --json prints machine-readable\n"
        "output where a command prints anything; msg-sim COMMAND --help shows one command.\n\n"
        "Commands:";
    for (const auto& command : msg_sim::simCommands()) {
        char line[512];
        std::snprintf(line, sizeof line, "\n  %-10s %s\n             %s %s", command.name, command.summary,
                      command.name, command.usage);
        text += line;
    }
    return text;
}

const msg_sim::SimCommand* findCommand(const std::string& name) {
    for (const auto& command : msg_sim::simCommands()) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    // The automatic phone and watch run the toolkit's main loop.
    platform_log::quiet_toolkit_logs();
    registerCommands();
    msg_cli::CommandLine commandLine("msg-sim", "[--device DIR] [--json] COMMAND [ARGS]", commandList());
    std::string device;
    bool json = false;
    std::vector<std::string> rest;
    commandLine.value("--device", "DIR", "the simulated device's folder", &device)
        .flag("--json", "machine-readable output", &json)
        .rest("COMMAND [ARGS]", "one of the commands above and its arguments", &rest);
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    if (!device.empty())
        setenv("MSG_DEVICE_DIR", device.c_str(), 1);
    if (rest.empty())
        return commandLine.refuse("a command is required");
    if (rest.front() == "help") {
        commandLine.printUsage(stdout);
        return msg_cli::CommandLine::EXIT_HELP;
    }
    const msg_sim::SimCommand* command = findCommand(rest.front());
    if (!command)
        return commandLine.refuse("unknown command '" + rest.front() + "'");
    std::vector<std::string> args(rest.begin() + 1, rest.end());
    // A command's own --help shows its usage; --json may follow the command too.
    if (std::find_if(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; }) != args.end()) {
        std::printf("usage: msg-sim %s %s\n%s\n", command->name, command->usage, command->summary);
        return msg_cli::CommandLine::EXIT_HELP;
    }
    auto jsonArg = std::find(args.begin(), args.end(), "--json");
    if (jsonArg != args.end()) {
        json = true;
        args.erase(jsonArg);
    }
    msg_sim::SimArgs simArgs(command->name, args, json);
    return command->run(simArgs);
}
