/*
 * The installed-applications table of the device. Applications of ours name
 * the executable that runs them; the device's other applications have none
 * and exist only as the target of launch requests, which are journalled.
 */
#ifndef MSG_SERVICES_APPREGISTRY_H
#define MSG_SERVICES_APPREGISTRY_H

#include <string>
#include <vector>

namespace msg_services {

struct AppInfo {
    std::string appId;
    std::string packageId;
    std::string executable;              // empty: not shipped by us
    std::vector<std::string> operations; // handled launch operations (full identifiers)
    std::vector<std::string> uriSchemes; // schemes it opens; empty: any or none
    bool preload = true;
    bool enabled = true;
};

class AppRegistry {
public:
    // False when the application is not installed (an enabled or disabled one is found).
    static bool find(const std::string& appId, AppInfo& out);
    static std::vector<AppInfo> all();
    // Installs or replaces an application; false on a bad record.
    static bool install(const AppInfo& app);
    static bool uninstall(const std::string& appId);
    static bool setEnabled(const std::string& appId, bool enabled);
    // Enabled applications that handle the operation and, when given, the URI's scheme.
    static std::vector<AppInfo> matching(const std::string& operation, const std::string& uri);

    // The running application: $MSG_APP_ID, else the installed application whose executable
    // this process runs, else the executable's name.
    static std::string currentAppId();
    // The package of an installed application, else the id itself.
    static std::string packageOf(const std::string& appId);
    // Where this process's executable lies (no trailing slash); empty when unknown.
    static std::string executableDir();
};

// The full identifier of a launch operation given by its last path element ("view", "call", ...).
std::string launchOperation(const char* name);

} // namespace msg_services

#endif
