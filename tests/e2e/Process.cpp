#include "Process.h"

#include "Wait.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <glib.h>
#include <poll.h>
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

bool Process::start(const std::vector<std::string>& argv, const Env& env, int keepFd,
                    const std::string& outputFile) {
    if (argv.empty() || _pid > 0)
        return false;
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = childEnvironment(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(envs);
    // Opened before the fork: the child only duplicates it.
    int output =
        outputFile.empty() ? -1 : open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    _pid = fork();
    if (_pid < 0) {
        if (output >= 0)
            close(output);
        return false;
    }
    if (_pid == 0) {
        if (keepFd >= 0)
            fcntl(keepFd, F_SETFD, 0);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
        }
        execve(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    if (output >= 0)
        close(output);
    return _pid > 0;
}

std::string Process::startForLine(const std::function<std::vector<std::string>(int fd)>& argv, const Env& env,
                                  int ms) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return "";
    bool started = start(argv(fds[1]), env, fds[1]);
    close(fds[1]);
    std::string line;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (started && poll(&p, 1, ms) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(fds[0]);
    return line;
}

bool Process::running() {
    if (_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(_pid, &status, WNOHANG) == 0)
        return true;
    _ending = WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status))
                                  : "exited with " + std::to_string(WEXITSTATUS(status));
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
    std::vector<std::string> args = argv;
    std::vector<std::string> envs = childEnvironment(env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(envs);
    Output result;
    gchar* out = nullptr;
    gint status = 0;
    if (g_spawn_sync(nullptr, argp.data(), envp.data(), G_SPAWN_SEARCH_PATH_FROM_ENVP, nullptr, nullptr, &out,
                     nullptr, &status, nullptr)) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = out ? out : "";
    }
    g_free(out);
    return result;
}

} // namespace msg_e2e
