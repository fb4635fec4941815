#ifndef MSG_TESTS_E2E_PROCESS_H
#define MSG_TESTS_E2E_PROCESS_H

#include <functional>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace msg_e2e {

// A child process with its own environment (the test's, changed by `env`;
// an empty value removes a variable). Killed and reaped when the object dies.
class Process {
public:
    using Env = std::map<std::string, std::string>;

    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // `keepFd`, when not -1, stays open in the child under its own number. With `outputFile`, the
    // child's standard output and error are appended to that file.
    bool start(const std::vector<std::string>& argv, const Env& env = {}, int keepFd = -1,
               const std::string& outputFile = std::string());
    bool running();
    // How the process ended, once running() saw it end ("exited with 1", "killed by signal 11").
    const std::string& ending() const { return _ending; }
    // Sends SIGTERM, then SIGKILL if it does not end within `seconds`.
    void stop(double seconds = 5.0);
    // Starts with the arguments `argv` gives for the write end of a pipe, kept open in the child, and
    // reads the first line the child writes to it (a server's address once it takes clients); empty
    // when none came within `ms`.
    std::string startForLine(const std::function<std::vector<std::string>(int fd)>& argv, const Env& env,
                             int ms);

private:
    pid_t _pid = -1;
    std::string _ending;
};

struct Output {
    int exitCode = -1;
    std::string out;
};

// Runs a program to its end and returns its standard output.
Output run(const std::vector<std::string>& argv, const Process::Env& env = {});

} // namespace msg_e2e

#endif
