// The command line of every program: --help prints its usage and ends well, anything it does not
// take is refused with the reason and a failing exit, and nothing is ever mistaken for a folder.
#include "CommandLine.h"
#include "Programs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using msg_cli::CommandLine;

// What the usage of each program must name, besides the program itself.
struct Program {
    const char* name;
    const char* usageNames;
};
const Program PROGRAMS[] = {
    {"msg-app", "--thread"},
    {"msg-shot", "--out"},
    {"msg-sim", "receive"},
    {"msg-send", "launch request"},
    {"msg-compose", "launch request"},
    {"msg-input", "launch request"},
    {"msg-list-gallery", "OUT_DIR"},
    {"msg-theme-gallery", "OUT_DIR"},
};

// The programs run in a folder of their own, which must stay empty: a refused or helped call
// creates nothing.
class ProgramCommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::current_path(_cwd.path());
        setenv("MSG_DEVICE_DIR", _device.path().c_str(), 1);
    }
    void TearDown() override { fs::current_path(_previous); }

private:
    const fs::path _previous = fs::current_path();
    msg_test::TempDir _cwd{"msg-cli-cwd"};
    msg_test::TempDir _device{"msg-cli-device"};
};

} // namespace

TEST_F(ProgramCommandLineTest, EveryProgramAnswersHelpAndRefusesWhatItDoesNotTake) {
    std::set<std::string> listed, built;
    for (const Program& program : PROGRAMS)
        listed.insert(program.name);
    std::istringstream programs(MSG_PROGRAMS);
    for (std::string name; std::getline(programs, name, ',');)
        built.insert(name);
    EXPECT_EQ(listed, built) << "the table holds every program of the build";

    struct Refused {
        std::vector<std::string> args;
        const char* reason;
    };
    const Refused refusals[] = {
        {{"--no-such-option"}, "unknown option --no-such-option"},
        {{"--help-me"}, "unknown option --help-me"},
        {{"one", "two", "three"}, "unexpected argument"},
    };
    for (const Program& program : PROGRAMS) {
        // (-h is the parser's own alias, in its test below.)
        msg_test::ProgramRun help = msg_test::runProgram(program.name, {"--help"});
        SCOPED_TRACE(std::string(program.name) + "\n" + help.err);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: ") + program.name, 0), 0u) << help.out;
        EXPECT_NE(help.out.find(program.usageNames), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("--help"), std::string::npos) << help.out;
        for (const Refused& c : refusals) {
            // msg-sim takes a command, which it then names as unknown.
            if (std::string(program.name) == "msg-sim" && c.args.front() == "one")
                continue;
            msg_test::ProgramRun run = msg_test::runProgram(program.name, c.args);
            SCOPED_TRACE(c.args.front());
            EXPECT_EQ(run.exitCode, CommandLine::EXIT_USAGE) << run.out << run.err;
            EXPECT_NE(run.err.find(std::string(program.name) + ": " + c.reason), std::string::npos)
                << run.err;
            EXPECT_NE(run.err.find("usage: "), std::string::npos) << run.err;
            EXPECT_TRUE(run.out.empty()) << run.out;
        }
    }
    EXPECT_TRUE(fs::is_empty(".")) << fs::directory_iterator(".")->path();
}

// Each of msg-sim's commands answers its own --help and refuses an option it does not know,
// before it touches the device.
TEST_F(ProgramCommandLineTest, EveryMsgSimCommandAnswersHelpAndRefusesUnknownOptions) {
    msg_test::ProgramRun help = msg_test::runProgram("msg-sim", {"--help"});
    std::istringstream lines(help.out.substr(help.out.find("Commands:")));
    std::vector<std::string> commands;
    // "  name       summary" up to the blank line; the usage lines under each are indented further.
    for (std::string line; std::getline(lines, line) && (commands.empty() || !line.empty());) {
        if (line.size() > 3 && line.compare(0, 2, "  ") == 0 && line[2] != ' ')
            commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    ASSERT_GT(commands.size(), 20u) << help.out;
    for (const std::string& command : commands) {
        msg_test::ProgramRun usage = msg_test::runProgram("msg-sim", {command, "--help"});
        EXPECT_EQ(usage.exitCode, 0) << command << usage.err;
        EXPECT_EQ(usage.out.rfind("usage: msg-sim " + command, 0), 0u) << usage.out;
        msg_test::ProgramRun refused = msg_test::runProgram("msg-sim", {command, "--no-such-option"});
        EXPECT_EQ(refused.exitCode, 2) << command << refused.out;
        // (A command that takes an action first names it an unknown action.)
        EXPECT_NE(refused.err.find("msg-sim " + command + ": unknown"), std::string::npos)
            << command << ": " << refused.err;
        EXPECT_NE(refused.err.find("--no-such-option"), std::string::npos) << command << ": " << refused.err;
    }
}

// The parser itself, on the shapes of call the programs use.
TEST(CommandLineTest, ParsesDeclaredOptionsPositionalsAndRest) {
    struct Case {
        std::vector<const char*> argv;
        bool runs;
        int exitCode;
        std::string out, positional;
        bool flag;
        std::vector<std::string> rest;
        bool dirRequired = false;
        const char* said = "usage: p ";
    };
    const Case cases[] = {
        {{"p", "--out", "x.png", "dir"}, true, 0, "x.png", "dir", false, {}},
        {{"p", "--flag", "--", "--help"}, true, 0, "", "--help", true, {}},
        {{"p", "dir", "cmd", "--out", "y"}, true, 0, "", "dir", false, {"cmd", "--out", "y"}},
        {{"p", "--out"}, false, CommandLine::EXIT_USAGE, "", "", false, {}},
        {{"p", "--flag", "-h", "--bogus"}, false, CommandLine::EXIT_HELP, "", "", true, {}},
        {{"p", "-x"}, false, CommandLine::EXIT_USAGE, "", "", false, {}},
        {{"p"}, false, CommandLine::EXIT_USAGE, "", "", false, {}, true, "p: DIR is required"},
    };
    for (const Case& c : cases) {
        std::string out, positional;
        bool flag = false;
        std::vector<std::string> rest;
        CommandLine commandLine("p", "[--out FILE] [DIR] [COMMAND...]", "");
        commandLine.value("--out", "FILE", "the output", &out)
            .flag("--flag", "a flag", &flag)
            .positional("DIR", "a folder", &positional, c.dirRequired)
            .rest("COMMAND", "a command", &rest);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        bool runs = commandLine.parse(static_cast<int>(c.argv.size()), c.argv.data());
        std::string printed = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
        SCOPED_TRACE(c.argv.back());
        EXPECT_EQ(runs, c.runs) << printed;
        if (!runs) {
            EXPECT_EQ(commandLine.exitCode(), c.exitCode);
            EXPECT_NE(printed.find(c.said), std::string::npos) << printed;
            continue;
        }
        EXPECT_EQ(std::tie(out, positional, flag, rest), std::tie(c.out, c.positional, c.flag, c.rest));
    }
}
