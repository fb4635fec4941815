#include "Launcher.h"

#include "AppRegistry.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>
#include <vector>

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

std::string Launcher::_writeRequestFile(const std::string& requestJson) {
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, std::string(), "no device for the request file");
    std::string path = device->dir() + "/launch-request-XXXXXX";
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    // Created 0600 and exclusive: only the started process of this user reads it.
    int fd = g_mkstemp_full(name.data(), O_WRONLY | O_CLOEXEC, 0600);
    PLAT_RETV_IF(fd < 0, std::string(), "cannot create a request file in %s", device->dir().c_str());
    bool ok = write(fd, requestJson.data(), requestJson.size()) == static_cast<ssize_t>(requestJson.size());
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(name.data());
        PLAT_LOGE("cannot write the request file");
        return std::string();
    }
    return std::string(name.data());
}

std::string Launcher::takeRequest() {
    std::string json;
    if (const char* text = g_getenv(kRequestVariable))
        json = text;
    if (const char* file = g_getenv(kRequestFileVariable); file && *file) {
        gchar* contents = nullptr;
        gsize length = 0;
        if (g_file_get_contents(file, &contents, &length, nullptr))
            json.assign(contents, length);
        else
            PLAT_LOGE("cannot read the request file %s", file);
        g_free(contents);
        unlink(file);
    }
    g_unsetenv(kRequestVariable);
    g_unsetenv(kRequestFileVariable);
    return json;
}

int Launcher::start(const std::string& path, const std::string& appId, const std::string& requestJson) {
    gchar** env = g_get_environ();
    env = g_environ_setenv(env, kAppIdVariable, appId.c_str(), TRUE);
    // The environment of a new process is limited; a larger request goes through a file.
    std::string requestFile;
    if (requestJson.size() > kMaxEnvironmentRequest) {
        requestFile = _writeRequestFile(requestJson);
        if (requestFile.empty()) {
            g_strfreev(env);
            return 0;
        }
        env = g_environ_unsetenv(env, kRequestVariable);
        env = g_environ_setenv(env, kRequestFileVariable, requestFile.c_str(), TRUE);
    } else {
        env = g_environ_unsetenv(env, kRequestFileVariable);
        env = g_environ_setenv(env, kRequestVariable, requestJson.c_str(), TRUE);
    }
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
        if (!requestFile.empty())
            unlink(requestFile.c_str());
        return 0;
    }
    return static_cast<int>(pid);
}

} // namespace msg_services
