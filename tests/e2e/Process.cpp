#include "Process.h"

#include "Wait.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace msg_e2e {

namespace {

std::vector<std::string> childEnvironment(const Process::Env& changes) {
    std::map<std::string, std::string> all;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        size_t eq = text.find('=');
        if (eq != std::string::npos)
            all[text.substr(0, eq)] = text.substr(eq + 1);
    }
    for (const auto& [key, value] : changes) {
        if (value.empty())
            all.erase(key);
        else
            all[key] = value;
    }
    std::vector<std::string> env;
    for (const auto& [key, value] : all)
        env.push_back(key + "=" + value);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (auto& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

Process::~Process() {
    stop();
}

bool Process::start(const std::vector<std::string>& argv, const Env& env, int keepFd) {
    if (argv.empty() || _pid > 0)
        return false;
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = childEnvironment(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(envs);
    _pid = fork();
    if (_pid < 0)
        return false;
    if (_pid == 0) {
        if (keepFd >= 0)
            fcntl(keepFd, F_SETFD, 0);
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    return true;
}

bool Process::running() {
    if (_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(_pid, &status, WNOHANG) == 0)
        return true;
    _pid = -1;
    return false;
}

void Process::stop(double seconds) {
    if (!running())
        return;
    kill(_pid, SIGTERM);
    if (!waitUntil([this] { return !running(); }, seconds)) {
        kill(_pid, SIGKILL);
        waitpid(_pid, nullptr, 0);
        _pid = -1;
    }
}

Output run(const std::vector<std::string>& argv, const Process::Env& env) {
    Output result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return result;
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = childEnvironment(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(envs);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        execvpe(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        result.out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

} // namespace msg_e2e
