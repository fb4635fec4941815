#include "compose/MCAttachmentImport.h"

#include "app_common.h"
#include "common/MsgLog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* APPS_DIR = "/apps/";
constexpr const char* SHARED_DIR = "/shared/";
constexpr int MAX_SAME_NAME = 100;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string canonicalPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return std::string();
    std::string out(resolved);
    free(resolved);
    return out;
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The device's folder holds every application's data as apps/<package>/data.
std::string deviceFolder() {
    char* dataPath = app_get_data_path();
    std::string data = dataPath ? canonicalPath(dataPath) : std::string();
    free(dataPath);
    size_t apps = data.rfind("/apps/");
    return apps == std::string::npos ? std::string() : data.substr(0, apps);
}

} // namespace

bool MCAttachmentImport::_isShareable(const std::string& canonical) {
    std::string deviceDir = deviceFolder();
    if (deviceDir.empty() || !startsWith(canonical, deviceDir + "/"))
        return true;
    // Inside the device only what an application put in its shared folder may leave it: never
    // the database, its journals, or an application's private data.
    std::string rest = canonical.substr(deviceDir.size());
    if (!startsWith(rest, APPS_DIR))
        return false;
    size_t packageEnd = rest.find('/', std::strlen(APPS_DIR));
    return packageEnd != std::string::npos && startsWith(rest.substr(packageEnd), SHARED_DIR);
}

bool MCAttachmentImport::_copy(int fromFd, const std::string& to, long long maxSize) {
    int toFd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (toFd < 0) {
        if (errno != EEXIST)
            MSG_LOGE("cannot create %s: %s", to.c_str(), strerror(errno));
        return false;
    }
    if (lseek(fromFd, 0, SEEK_SET) != 0) {
        close(toFd);
        unlink(to.c_str());
        return false;
    }
    char buffer[16384];
    long long copied = 0;
    bool ok = true;
    for (;;) {
        ssize_t got = read(fromFd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        // The file may grow after it was measured; the copy never does past the limit.
        copied += got;
        if (copied > maxSize || write(toFd, buffer, static_cast<size_t>(got)) != got) {
            ok = false;
            break;
        }
    }
    ok = close(toFd) == 0 && ok;
    if (!ok) {
        MSG_LOGE("cannot copy into %s", to.c_str());
        unlink(to.c_str());
        errno = EIO;
    }
    return ok;
}

bool MCAttachmentImport::import(const std::string& source, const std::string& workDir, long long maxSize,
                                std::string& outPath) {
    MSG_RETV_IF(source.empty() || source[0] != '/', false, "attachment path is not absolute");
    MSG_RETV_IF(workDir.empty(), false, "no working folder");
    // A path that is not its own canonical form goes through a link or "..": refused.
    std::string canonical = canonicalPath(source);
    MSG_RETV_IF(canonical != source, false, "attachment path is not canonical: %s", source.c_str());
    MSG_RETV_IF(!_isShareable(canonical), false, "attachment is not shareable: %s", source.c_str());

    int fd = open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    MSG_RETV_IF(fd < 0, false, "cannot open attachment %s: %s", source.c_str(), strerror(errno));
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    if (!ok || !S_ISREG(info.st_mode)) {
        MSG_LOGE("attachment is not a regular file: %s", source.c_str());
        close(fd);
        return false;
    }
    if (info.st_size > maxSize) {
        MSG_LOGE("attachment of %lld bytes is above the limit of %lld", static_cast<long long>(info.st_size),
                 maxSize);
        close(fd);
        return false;
    }
    ok = false;
    std::string dir = workDir + (workDir.back() == '/' ? "" : "/");
    std::string target;
    // Two attachments of the same name both keep theirs, the later one with a number in front.
    for (int n = 0; n < MAX_SAME_NAME && !ok; ++n) {
        target = dir + (n ? std::to_string(n) + "_" : std::string("attach_")) + baseName(source);
        ok = _copy(fd, target, maxSize);
        if (!ok && errno != EEXIST)
            break;
    }
    close(fd);
    if (ok)
        outPath = target;
    return ok;
}

} // namespace compose
} // namespace msg_app
