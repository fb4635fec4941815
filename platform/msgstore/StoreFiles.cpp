#include "msg_store/StoreFiles.h"

#include "StoreDb.h"
#include "log/PlatformLog.h"
#include "msg_store/MsgStoreTypes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace msg_store {

namespace {

constexpr const char* PARTS_DIR = "/msg-store/parts";

bool copyAll(int from, int to) {
    char buffer[16384];
    for (;;) {
        ssize_t got = read(from, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return false;
            done += put;
        }
    }
}

} // namespace

bool keepFile(const std::string& path, std::string& keptPath) {
    int result = MSG_STORE_SUCCESS;
    msg_device::Device* device = store::device(&result);
    PLAT_RETV_IF(!device, false, "no device to keep %s in (%d)", path.c_str(), result);
    std::string dir = device->dir() + PARTS_DIR;
    PLAT_RETV_IF(g_mkdir_with_parents(dir.c_str(), 0700) != 0, false, "cannot create %s: %s", dir.c_str(),
                 strerror(errno));
    int from = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    PLAT_RETV_IF(from < 0, false, "cannot open %s: %s", path.c_str(), strerror(errno));
    struct stat info {};
    if (fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        PLAT_LOGE("%s is not a regular file", path.c_str());
        close(from);
        return false;
    }
    gchar* base = g_path_get_basename(path.c_str());
    std::string name = dir + "/XXXXXX-" + base;
    g_free(base);
    int to = g_mkstemp_full(&name[0], O_WRONLY | O_CLOEXEC, 0600);
    if (to < 0) {
        PLAT_LOGE("cannot create a copy of %s in %s: %s", path.c_str(), dir.c_str(), strerror(errno));
        close(from);
        return false;
    }
    bool copied = copyAll(from, to);
    copied = close(to) == 0 && copied;
    close(from);
    if (!copied) {
        PLAT_LOGE("cannot copy %s", path.c_str());
        g_unlink(name.c_str());
        return false;
    }
    keptPath = name;
    return true;
}

} // namespace msg_store
