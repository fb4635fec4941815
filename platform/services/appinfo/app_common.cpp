#include "app_common.h"

#include "AppRegistry.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

using msg_services::AppRegistry;

namespace {

bool makeDirs(const std::string& dir) {
    for (size_t pos = 1; pos != std::string::npos;) {
        pos = dir.find('/', pos + 1);
        std::string part = dir.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// <device>/apps/<package>/<sub>/, created when missing.
char* packageDir(const char* sub) {
    std::string base = msg_device::Device::defaultDir();
    std::string package = AppRegistry::packageOf(AppRegistry::currentAppId());
    std::string dir = base + "/apps/" + package + "/" + sub;
    PLAT_RETV_IF(!makeDirs(dir), nullptr, "cannot create %s: %s", dir.c_str(), strerror(errno));
    return strdup((dir + "/").c_str());
}

} // namespace

extern "C" int app_get_id(char** id) {
    PLAT_RETV_IF(!id, APP_ERROR_INVALID_PARAMETER, "id is null");
    *id = strdup(AppRegistry::currentAppId().c_str());
    return APP_ERROR_NONE;
}

extern "C" char* app_get_resource_path(void) {
    if (const char* dir = std::getenv("MSG_RES_DIR"); dir && *dir) {
        std::string path(dir);
        if (path.back() != '/')
            path += '/';
        return strdup(path.c_str());
    }
    std::string exeDir = AppRegistry::executableDir();
    PLAT_RETV_IF(exeDir.empty(), nullptr, "cannot find the executable");
    return strdup((exeDir + "/../res/").c_str());
}

extern "C" char* app_get_data_path(void) {
    return packageDir("data");
}

extern "C" char* app_get_shared_data_path(void) {
    return packageDir("shared/data");
}

extern "C" char* app_get_shared_trusted_path(void) {
    return packageDir("shared/trusted");
}
