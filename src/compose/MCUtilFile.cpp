#include "compose/MCUtilFile.h"

#include "common/MsgLog.h"
#include "common/Preference.h"
#include "compose/MCUtil.h"

#include <cstring>
#include <sys/stat.h>

namespace msg_app {
namespace compose {

void MCUtilFile::initPreference() {
    if (preference::exist(preference::KEY_SEND_AS_OPTION))
        return;
    if (!preference::set(preference::KEY_SEND_AS_OPTION, 0))
        MSG_LOGE("cannot create %s", preference::KEY_SEND_AS_OPTION);
}

long long MCUtilFile::getFileSize(const char* path) {
    MSG_RETV_IF(!path, 0, "path is nullptr");
    struct stat info {};
    if (stat(path, &info) != 0) {
        MSG_LOGE("stat(%s) failed", path);
        return 0;
    }
    return static_cast<long long>(info.st_size);
}

const char* MCUtilFile::getFileExt(const char* path) {
    if (!path)
        return nullptr;
    const char* dot = std::strrchr(path, '.');
    return dot ? dot + 1 : path;
}

} // namespace compose
} // namespace msg_app
