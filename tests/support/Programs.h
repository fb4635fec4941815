#ifndef MSG_TESTS_SUPPORT_PROGRAMS_H
#define MSG_TESTS_SUPPORT_PROGRAMS_H

#include <string>
#include <vector>

namespace msg_test {

// The build's executables: $MSG_BIN_DIR, else the bin folder beside the test's folder.
std::string binDir();
// The build's compiled resources: $MSG_RES_DIR, else the res folder beside the test's folder.
std::string resourceDir();

struct ProgramRun {
    int exitCode = -1; // -1 when the program could not be started or did not exit normally
    std::string out;
    std::string err;
};

// Runs the command (its first word found on $PATH when it has no folder) and waits for it to end.
ProgramRun runCommand(const std::vector<std::string>& command);
// Runs one of the build's executables (e.g. "msg-sim") with the arguments and waits for it.
ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args);
// msg-sim with the arguments, on the device folder `device` when one is given, else on $MSG_DEVICE_DIR's.
ProgramRun runSim(std::vector<std::string> args, const std::string& device = std::string());

} // namespace msg_test

#endif
