#include "SimCommand.h"

#include <algorithm>
#include <cstdio>

namespace msg_sim {

namespace {
std::vector<SimCommand>& registry() {
    static std::vector<SimCommand> commands;
    return commands;
}
} // namespace

const std::vector<SimCommand>& simCommands() {
    return registry();
}

void addSimCommand(const SimCommand& command) {
    auto& commands = registry();
    auto at = std::lower_bound(
        commands.begin(), commands.end(), command,
        [](const SimCommand& a, const SimCommand& b) { return std::string(a.name) < b.name; });
    commands.insert(at, command);
}

bool SimArgs::option(const char* name, std::string& value) {
    auto it = std::find(_args.begin(), _args.end(), name);
    if (it == _args.end())
        return false;
    if (it + 1 == _args.end()) {
        _error = std::string(name) + " needs a value";
        _args.erase(it);
        return false;
    }
    value = *(it + 1);
    _args.erase(it, it + 2);
    return true;
}

bool SimArgs::flag(const char* name) {
    auto it = std::find(_args.begin(), _args.end(), name);
    if (it == _args.end())
        return false;
    _args.erase(it);
    return true;
}

bool SimArgs::ok(size_t positionalAllowed) {
    if (!_error.empty())
        return false;
    for (const auto& arg : _args) {
        if (arg.rfind("--", 0) == 0) {
            _error = "unknown option " + arg;
            return false;
        }
    }
    if (_args.size() > positionalAllowed) {
        _error = "unexpected argument " + _args[positionalAllowed];
        return false;
    }
    return true;
}

int simUsageError(const SimArgs& args, const std::string& message) {
    std::fprintf(stderr, "msg-sim %s: %s\n", args.command().c_str(), message.c_str());
    for (const auto& command : simCommands()) {
        if (args.command() == command.name)
            std::fprintf(stderr, "usage: msg-sim %s %s\n", command.name, command.usage);
    }
    return 2;
}

int simFailure(const SimArgs& args, const std::string& message) {
    std::fprintf(stderr, "msg-sim %s: %s\n", args.command().c_str(), message.c_str());
    return 1;
}

} // namespace msg_sim
