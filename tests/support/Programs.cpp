#include "Programs.h"

#include <cstdlib>
#include <glib.h>
#include <sys/wait.h>

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

} // namespace

std::string binDir() {
    return besideTests("MSG_BIN_DIR", "bin");
}

std::string resourceDir() {
    return besideTests("MSG_RES_DIR", "res");
}

ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args) {
    std::string path = binDir() + "/" + name;
    std::vector<gchar*> argv;
    argv.push_back(const_cast<gchar*>(path.c_str()));
    for (const auto& arg : args)
        argv.push_back(const_cast<gchar*>(arg.c_str()));
    argv.push_back(nullptr);
    ProgramRun run;
    gchar *out = nullptr, *err = nullptr;
    gint status = 0;
    if (g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, &out, &err, &status,
                     nullptr)) {
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = out ? out : "";
        run.err = err ? err : "";
    }
    g_free(out);
    g_free(err);
    return run;
}

ProgramRun runSim(std::vector<std::string> args, const std::string& device) {
    if (!device.empty())
        args.insert(args.begin(), {"--device", device});
    return runProgram("msg-sim", args);
}

} // namespace msg_test
