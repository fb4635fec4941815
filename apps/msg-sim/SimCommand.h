/*
 * The commands of msg-sim, the device and paired-phone simulator. Each group of
 * commands lives in its own file, whose register function (declared in the group's
 * header) adds them with addSimCommand; main calls every group's at start.
 */
#ifndef MSG_SIM_SIMCOMMAND_H
#define MSG_SIM_SIMCOMMAND_H

#include <string>
#include <vector>

namespace msg_sim {

// The arguments after the command's name, with the global options removed.
class SimArgs {
public:
    SimArgs(std::string command, std::vector<std::string> args, bool json)
        : _command(std::move(command)), _args(std::move(args)), _json(json) {}

    const std::string& command() const { return _command; }
    bool json() const { return _json; }

    // Takes "--name VALUE" out of the arguments; false when absent. A missing value is an error
    // reported by ok().
    bool option(const char* name, std::string& value);
    // Takes "--name" out of the arguments.
    bool flag(const char* name);
    // The arguments left once options are taken.
    const std::vector<std::string>& rest() const { return _args; }
    // False, with the reason in error(), when an option lacked its value or arguments are left
    // over that the command did not take (call after taking everything).
    bool ok(size_t positionalAllowed = 0);
    const std::string& error() const { return _error; }

private:
    std::string _command;
    std::vector<std::string> _args;
    bool _json;
    std::string _error;
};

using SimRunFn = int (*)(SimArgs& args);

struct SimCommand {
    const char* name;
    const char* usage;   // e.g. "--from NUMBER --text TEXT"
    const char* summary; // one line for the help
    SimRunFn run;
};

const std::vector<SimCommand>& simCommands();

// Adds a command to the list, which stays sorted by name for the help and the lookup.
void addSimCommand(const SimCommand& command);

// Prints "msg-sim COMMAND: message" and the command's usage to stderr; returns the exit code 2.
int simUsageError(const SimArgs& args, const std::string& message);
// Prints "msg-sim COMMAND: message" to stderr; returns the exit code 1.
int simFailure(const SimArgs& args, const std::string& message);

} // namespace msg_sim

#endif
