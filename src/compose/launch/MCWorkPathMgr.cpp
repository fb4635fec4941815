#include "compose/launch/MCWorkPathMgr.h"

#include "app_common.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <Ecore_File.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace msg_app {
namespace compose {

MCWorkPathMgr* MCWorkPathMgr::_instance = nullptr;

namespace {

// Each folder names its owner, so that the folders of crashed processes can be told apart.
constexpr const char* OWNER_FILE = ".owner";
constexpr int CLAIM_ATTEMPTS = 64;
// A folder without an owner file may be one that another process has just made.
constexpr time_t UNOWNED_GRACE_SECONDS = 60;

// The number of "composer_<n>", or -1 for any other name.
int dirNumber(const char* name) {
    size_t prefixLen = std::strlen(MCWorkPathMgr::DIR_PREFIX);
    if (std::strncmp(name, MCWorkPathMgr::DIR_PREFIX, prefixLen) != 0)
        return -1;
    const char* digits = name + prefixLen;
    if (!*digits)
        return -1;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(digits, &end, 10);
    if (*end || errno || value < 0 || value >= INT_MAX || *digits == '-' || *digits == '+')
        return -1;
    return static_cast<int>(value);
}

bool isOlderThanGrace(const std::string& dir) {
    struct stat info {};
    return lstat(dir.c_str(), &info) == 0 && time(nullptr) - info.st_mtime > UNOWNED_GRACE_SECONDS;
}

bool isOrphan(const std::string& dir) {
    FILE* file = std::fopen((dir + "/" + OWNER_FILE).c_str(), "r");
    if (!file)
        return isOlderThanGrace(dir);
    long pid = 0;
    bool read = std::fscanf(file, "%ld", &pid) == 1;
    std::fclose(file);
    if (!read)
        return isOlderThanGrace(dir);
    if (pid <= 0)
        return true;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The owner file appears whole (written aside, then renamed), so another process never reads it half
// written and takes a live folder for a leftover.
bool writeOwner(const std::string& dir) {
    std::string aside = dir + "/" + OWNER_FILE + ".new";
    int fd = open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::string pid = std::to_string(getpid());
    bool ok = write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
    ok = close(fd) == 0 && ok;
    return ok && rename(aside.c_str(), (dir + "/" + OWNER_FILE).c_str()) == 0;
}

} // namespace

MCWorkPathMgr* MCWorkPathMgr::getInstance() {
    if (!_instance) {
        _instance = new MCWorkPathMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCWorkPathMgr::_destroy() {
    // The folder is this process's: it goes with the manager that knows it, or it would be left
    // for the next composer to sweep.
    if (_instance && !_instance->_workingPath.empty())
        _instance->destroyWorkingDir();
    delete _instance;
    _instance = nullptr;
}

bool MCWorkPathMgr::_getBaseDir(std::string& out) {
    char* shared = app_get_shared_data_path();
    MSG_RETV_IF(!shared, false, "app_get_shared_data_path() is failed.");
    std::string base = std::string(shared) + BASE_DIR_NAME;
    free(shared);
    if (mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) {
        MSG_LOGE("error mkdir: %s", base.c_str());
        return false;
    }
    // Everything below is removed recursively later, so the base must be a real folder of ours.
    struct stat info {};
    if (lstat(base.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid()) {
        MSG_LOGE("%s is not a folder of this user", base.c_str());
        return false;
    }
    out = base;
    return true;
}

void MCWorkPathMgr::_removeLeftovers(const std::string& base, int* highest) {
    *highest = -1;
    DIR* dir = opendir(base.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir)) {
        int number = dirNumber(entry->d_name);
        if (number < 0)
            continue;
        std::string path = base + "/" + entry->d_name;
        struct stat info {};
        bool isDir = lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (isDir && isOrphan(path) && ecore_file_recursive_rm(path.c_str())) {
            MSG_LOGI("removed the leftover %s", entry->d_name);
            continue;
        }
        if (number > *highest)
            *highest = number;
    }
    closedir(dir);
}

bool MCWorkPathMgr::_claimDir(const std::string& base, int number, std::string& out) {
    std::string dir = base + "/" + DIR_PREFIX + std::to_string(number);
    // mkdir is the claim: of two processes choosing the same number, one gets EEXIST and moves on.
    if (mkdir(dir.c_str(), 0700) != 0) {
        if (errno != EEXIST)
            MSG_LOGE("error mkdir: %s", dir.c_str());
        return false;
    }
    if (!writeOwner(dir)) {
        MSG_LOGE("cannot mark %s as ours", dir.c_str());
        ecore_file_recursive_rm(dir.c_str());
        return false;
    }
    out = dir + "/";
    return true;
}

bool MCWorkPathMgr::createWorkingDir() {
    std::string base;
    if (!_getBaseDir(base))
        return false;
    int highest = -1;
    _removeLeftovers(base, &highest);
    for (int attempt = 0; attempt < CLAIM_ATTEMPTS && highest < INT_MAX - 1; ++attempt) {
        if (_claimDir(base, ++highest, _workingPath))
            return true;
        if (errno != EEXIST)
            return false;
    }
    MSG_LOGE("no free working folder in %s", base.c_str());
    return false;
}

bool MCWorkPathMgr::destroyWorkingDir() {
    MSG_RETV_IF(_workingPath.empty(), false, "workingPath is nullptr");
    if (!ecore_file_recursive_rm(_workingPath.c_str())) {
        MSG_LOGE("ecore_file_rmdir is failed.");
        return false;
    }
    _workingPath.clear();
    return true;
}

} // namespace compose
} // namespace msg_app
