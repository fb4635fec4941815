#include "Programs.h"

#include <cerrno>
#include <cstdlib>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace msg_test {

namespace {

std::string besideTests(const char* envName, const char* folder) {
    if (const char* dir = std::getenv(envName); dir && *dir)
        return dir;
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    gchar* exeDir = g_path_get_dirname(exe ? exe : ".");
    std::string dir = std::string(exeDir) + "/../" + folder;
    g_free(exeDir);
    g_free(exe);
    return dir;
}

// What a file written by the child holds; the file is closed and removed.
std::string takeOutput(int fd, const std::string& path) {
    std::string text;
    if (fd >= 0) {
        gchar* contents = nullptr;
        gsize length = 0;
        if (g_file_get_contents(path.c_str(), &contents, &length, nullptr))
            text.assign(contents, length);
        g_free(contents);
        close(fd);
        g_unlink(path.c_str());
    }
    return text;
}

int openOutput(std::string& path) {
    gchar* name = nullptr;
    int fd = g_file_open_tmp("msg-test-output-XXXXXX", &name, nullptr);
    path = name ? name : "";
    g_free(name);
    return fd;
}

} // namespace

std::string binDir() {
    return besideTests("MSG_BIN_DIR", "bin");
}

std::string resourceDir() {
    return besideTests("MSG_RES_DIR", "res");
}

// The output goes through files, and the run ends when the program does: a daemon it starts (the
// toolkit's desktop cache) keeps its output open for as long as the daemon has clients, and a pipe
// would wait for that.
ProgramRun runCommand(const std::vector<std::string>& command) {
    std::vector<gchar*> argv;
    for (const auto& arg : command)
        argv.push_back(const_cast<gchar*>(arg.c_str()));
    argv.push_back(nullptr);
    ProgramRun run;
    std::string outPath, errPath;
    int outFd = openOutput(outPath), errFd = openOutput(errPath);
    GPid pid = 0;
    if (outFd >= 0 && errFd >= 0 &&
        g_spawn_async_with_fds(nullptr, argv.data(), nullptr,
                               static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
                               nullptr, nullptr, &pid, -1, outFd, errFd, nullptr)) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        g_spawn_close_pid(pid);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.out = takeOutput(outFd, outPath);
    run.err = takeOutput(errFd, errPath);
    return run;
}

ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args) {
    std::vector<std::string> command{binDir() + "/" + name};
    command.insert(command.end(), args.begin(), args.end());
    return runCommand(command);
}

ProgramRun runSim(std::vector<std::string> args, const std::string& device) {
    if (!device.empty())
        args.insert(args.begin(), {"--device", device});
    return runProgram("msg-sim", args);
}

} // namespace msg_test
