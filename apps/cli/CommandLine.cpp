#include "CommandLine.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace msg_cli {

namespace {
constexpr const char* HELP_HELP = "prints this help and exits";
// The column where the help of an option starts.
constexpr size_t HELP_COLUMN = 24;

void printEntry(FILE* out, const std::string& left, const std::string& help) {
    std::fprintf(out, "  %-*s %s\n", static_cast<int>(HELP_COLUMN - 3), left.c_str(), help.c_str());
}
} // namespace

CommandLine::CommandLine(std::string program, std::string synopsis, std::string about)
    : _program(std::move(program)), _synopsis(std::move(synopsis)), _about(std::move(about)) {}

CommandLine& CommandLine::value(const char* name, const char* meta, const char* help, std::string* out) {
    _options.push_back({name, meta, help, out, nullptr});
    return *this;
}

CommandLine& CommandLine::flag(const char* name, const char* help, bool* out) {
    _options.push_back({name, "", help, nullptr, out});
    return *this;
}

CommandLine& CommandLine::positional(const char* meta, const char* help, std::string* out, bool required) {
    _positionals.push_back({meta, help, out, required});
    return *this;
}

CommandLine& CommandLine::rest(const char* meta, const char* help, std::vector<std::string>* out) {
    _rest = {meta, help, nullptr, false};
    _restOut = out;
    return *this;
}

const CommandLine::Option* CommandLine::_find(const std::string& name) const {
    auto it = std::find_if(_options.begin(), _options.end(), [&](const Option& o) { return o.name == name; });
    return it == _options.end() ? nullptr : &*it;
}

bool CommandLine::parse(int argc, const char* const* argv) {
    size_t positionals = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (isOption && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (isOption && (arg == "--help" || arg == "-h")) {
            printUsage(stdout);
            _exitCode = EXIT_HELP;
            return false;
        }
        if (isOption) {
            const Option* option = _find(arg);
            if (!option)
                return _fail("unknown option " + arg);
            if (option->flag) {
                *option->flag = true;
                continue;
            }
            if (i + 1 == argc)
                return _fail(arg + " needs a value (" + option->meta + ")");
            *option->value = argv[++i];
            continue;
        }
        if (positionals < _positionals.size()) {
            *_positionals[positionals++].out = arg;
            continue;
        }
        if (_restOut) {
            _restOut->assign(argv + i, argv + argc);
            return true;
        }
        return _fail("unexpected argument " + arg);
    }
    for (size_t p = positionals; p < _positionals.size(); ++p) {
        if (_positionals[p].required)
            return _fail(_positionals[p].meta + " is required");
    }
    return true;
}

bool CommandLine::_fail(const std::string& message) {
    _exitCode = refuse(message);
    return false;
}

int CommandLine::refuse(const std::string& message) const {
    std::fprintf(stderr, "%s: %s\n", _program.c_str(), message.c_str());
    printUsage(stderr);
    return EXIT_USAGE;
}

void CommandLine::printUsage(FILE* out) const {
    std::fprintf(out, "usage: %s %s\n", _program.c_str(), _synopsis.c_str());
    if (!_about.empty())
        std::fprintf(out, "%s\n", _about.c_str());
    std::fprintf(out, "\n");
    for (const Positional& p : _positionals)
        printEntry(out, p.meta, p.help);
    if (_restOut)
        printEntry(out, _rest.meta, _rest.help);
    for (const Option& o : _options)
        printEntry(out, o.meta.empty() ? o.name : o.name + " " + o.meta, o.help);
    printEntry(out, "--help", HELP_HELP);
}

} // namespace msg_cli
