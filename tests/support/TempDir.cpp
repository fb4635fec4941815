#include "TempDir.h"

#include <glib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace msg_test {

namespace {

constexpr gint64 STOP_WAIT_US = 10 * G_USEC_PER_SEC;

// Running, and not a zombie waiting for its reaper.
bool alive(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string pidField, name;
    char state = 'X';
    if (!(stat >> pidField >> name >> state))
        return false;
    return state != 'Z' && state != 'X';
}

// The other processes whose environment names `dir` as their device.
std::vector<int> processesOn(const std::string& dir) {
    const std::string variable = "MSG_DEVICE_DIR=" + dir;
    std::vector<int> pids;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const int pid = std::stoi(name);
        if (pid == getpid())
            continue;
        std::ifstream file(entry.path() / "environ", std::ios::binary);
        std::string vars((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        size_t at = vars.find(variable);
        bool whole = at != std::string::npos && (at == 0 || vars[at - 1] == '\0') &&
                     (at + variable.size() == vars.size() || vars[at + variable.size()] == '\0');
        if (whole && alive(pid))
            pids.push_back(pid);
    }
    return pids;
}

// An application the test started and left running would outlive it holding the test's output
// open, so that the test runner waits on it to its time limit: asked to end, then killed.
void stopProcessesOn(const std::string& dir) {
    std::vector<int> running = processesOn(dir);
    if (running.empty())
        return;
    fprintf(stderr, "test device: stopping %zu process(es) left running on it\n", running.size());
    for (int pid : running)
        kill(pid, SIGTERM);
    const gint64 deadline = g_get_monotonic_time() + STOP_WAIT_US;
    for (int pid : running) {
        while (alive(pid) && g_get_monotonic_time() < deadline)
            g_usleep(10000);
        if (alive(pid))
            kill(pid, SIGKILL);
    }
}

} // namespace

TempDir::TempDir(const char* prefix) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    _path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(_path, ec);
}

TempDevice::TempDevice() : TempDir("msg-device") {
    if (const char* old = std::getenv("MSG_DEVICE_DIR")) {
        _previous = old;
        _hadPrevious = true;
    }
    setenv("MSG_DEVICE_DIR", path().c_str(), 1);
}

TempDevice::~TempDevice() {
    stopProcessesOn(path());
    if (_hadPrevious)
        setenv("MSG_DEVICE_DIR", _previous.c_str(), 1);
    else
        unsetenv("MSG_DEVICE_DIR");
}

} // namespace msg_test
