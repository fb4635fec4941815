/*
 * The command line of an executable: the options it declares, --help (and -h)
 * printing its usage, and a refusal with the usage for anything it does not
 * take. Every program of the project parses its arguments through this, so
 * that none mistakes an option for a folder or a value.
 */
#ifndef MSG_CLI_COMMANDLINE_H
#define MSG_CLI_COMMANDLINE_H

#include <cstdio>
#include <string>
#include <vector>

namespace msg_cli {

class CommandLine {
public:
    // Exit codes: help printed, and arguments refused.
    static constexpr int EXIT_HELP = 0;
    static constexpr int EXIT_USAGE = 2;

    // synopsis: what follows "usage: PROGRAM " (the shape of a call); about: what the program
    // does, a sentence or two printed under it.
    CommandLine(std::string program, std::string synopsis, std::string about);

    // --name VALUE; meta names the value in the help ("DIR", "FILE.png").
    CommandLine& value(const char* name, const char* meta, const char* help, std::string* out);
    // --name, without a value.
    CommandLine& flag(const char* name, const char* help, bool* out);
    // A positional argument; optional ones come last.
    CommandLine& positional(const char* meta, const char* help, std::string* out, bool required = false);
    // The first argument that is not an option, and every argument after it, go to out untouched:
    // a command and its own arguments.
    CommandLine& rest(const char* meta, const char* help, std::vector<std::string>* out);

    // False when the program should end now with exitCode(): --help was asked for (its usage is
    // on standard output), or an argument was refused (the reason and the usage on standard error).
    bool parse(int argc, const char* const* argv);
    int exitCode() const { return _exitCode; }

    // For the program's own checks of what it parsed: prints "PROGRAM: message" and the usage on
    // standard error; returns EXIT_USAGE.
    int refuse(const std::string& message) const;
    void printUsage(FILE* out) const;
    const std::string& program() const { return _program; }

private:
    struct Option {
        std::string name;
        std::string meta; // empty for a flag
        std::string help;
        std::string* value = nullptr;
        bool* flag = nullptr;
    };
    struct Positional {
        std::string meta;
        std::string help;
        std::string* out = nullptr;
        bool required = false;
    };

    const Option* _find(const std::string& name) const;
    bool _fail(const std::string& message);

    std::string _program;
    std::string _synopsis;
    std::string _about;
    std::vector<Option> _options;
    std::vector<Positional> _positionals;
    Positional _rest;
    std::vector<std::string>* _restOut = nullptr;
    int _exitCode = 0;
};

} // namespace msg_cli

#endif
