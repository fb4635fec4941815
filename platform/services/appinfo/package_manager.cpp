#include "package_manager.h"

#include "AppRegistry.h"
#include "log/PlatformLog.h"

#include <cstring>
#include <string>

using msg_services::AppInfo;
using msg_services::AppRegistry;

struct package_info_s {
    std::string package;
    bool preload;
};

extern "C" int package_info_create(const char* package, package_info_h* package_info) {
    PLAT_RETV_IF(!package || !*package || !package_info, PACKAGE_MANAGER_ERROR_INVALID_PARAMETER,
                 "package or package_info is null");
    for (const AppInfo& app : AppRegistry::all()) {
        if (app.packageId == package && app.enabled) {
            *package_info = new package_info_s{package, app.preload};
            return PACKAGE_MANAGER_ERROR_NONE;
        }
    }
    PLAT_LOGD("no enabled package %s", package);
    return PACKAGE_MANAGER_ERROR_NO_SUCH_PACKAGE;
}

extern "C" int package_info_destroy(package_info_h package_info) {
    PLAT_RETV_IF(!package_info, PACKAGE_MANAGER_ERROR_INVALID_PARAMETER, "package_info is null");
    delete package_info;
    return PACKAGE_MANAGER_ERROR_NONE;
}

extern "C" int package_info_get_package(package_info_h package_info, char** package) {
    PLAT_RETV_IF(!package_info || !package, PACKAGE_MANAGER_ERROR_INVALID_PARAMETER, "argument is null");
    *package = strdup(package_info->package.c_str());
    return PACKAGE_MANAGER_ERROR_NONE;
}

extern "C" int package_info_is_preload_package(package_info_h package_info, bool* preload) {
    PLAT_RETV_IF(!package_info || !preload, PACKAGE_MANAGER_ERROR_INVALID_PARAMETER, "argument is null");
    *preload = package_info->preload;
    return PACKAGE_MANAGER_ERROR_NONE;
}

extern "C" int package_manager_get_package_id_by_app_id(const char* app_id, char** package_id) {
    PLAT_RETV_IF(!app_id || !package_id, PACKAGE_MANAGER_ERROR_INVALID_PARAMETER, "argument is null");
    AppInfo app;
    if (!AppRegistry::find(app_id, app))
        return PACKAGE_MANAGER_ERROR_NO_SUCH_PACKAGE;
    *package_id = strdup(app.packageId.c_str());
    return PACKAGE_MANAGER_ERROR_NONE;
}
