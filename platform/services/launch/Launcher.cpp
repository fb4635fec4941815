#include "Launcher.h"

#include "AppRegistry.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <glib.h>
#include <unistd.h>

namespace msg_services {

std::string Launcher::locate(const std::string& executable) {
    std::vector<std::string> dirs;
    if (const char* bin = g_getenv("MSG_BIN_DIR"); bin && *bin)
        dirs.emplace_back(bin);
    if (std::string own = AppRegistry::executableDir(); !own.empty())
        dirs.push_back(own);
    for (const auto& dir : dirs) {
        std::string path = dir + "/" + executable;
        if (access(path.c_str(), X_OK) == 0)
            return path;
    }
    return std::string();
}

int Launcher::start(const std::string& path, const std::string& appId, const std::string& requestJson) {
    gchar** env = g_get_environ();
    env = g_environ_setenv(env, kAppIdVariable, appId.c_str(), TRUE);
    env = g_environ_setenv(env, kRequestVariable, requestJson.c_str(), TRUE);
    // The started application shares the caller's device, whatever its own environment says.
    if (msg_device::Device* device = msg_device::Device::getDefault())
        env = g_environ_setenv(env, "MSG_DEVICE_DIR", device->dir().c_str(), TRUE);
    gchar* argv[] = {const_cast<gchar*>(path.c_str()), nullptr};
    GPid pid = 0;
    GError* error = nullptr;
    // Without G_SPAWN_DO_NOT_REAP_CHILD the process is detached, so no zombie is left behind.
    gboolean ok = g_spawn_async(nullptr, argv, env, G_SPAWN_DEFAULT, nullptr, nullptr, &pid, &error);
    g_strfreev(env);
    if (!ok) {
        PLAT_LOGE("cannot start %s: %s", path.c_str(), error ? error->message : "?");
        g_clear_error(&error);
        return 0;
    }
    return static_cast<int>(pid);
}

} // namespace msg_services
