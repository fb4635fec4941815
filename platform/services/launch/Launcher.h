/*
 * Starts one of our executables for a launch request: found in $MSG_BIN_DIR,
 * else beside the calling executable, with the request in its environment.
 */
#ifndef MSG_SERVICES_LAUNCHER_H
#define MSG_SERVICES_LAUNCHER_H

#include <string>

namespace msg_services {

class Launcher {
public:
    // The environment variables the started process reads.
    static constexpr const char* kRequestVariable = "MSG_APP_CONTROL";
    static constexpr const char* kAppIdVariable = "MSG_APP_ID";

    // The executable's path, empty when it cannot be found.
    static std::string locate(const std::string& executable);
    // The new process's id, or 0 (logged) when it could not be started. The process is not
    // the caller's child to wait for.
    static int start(const std::string& path, const std::string& appId, const std::string& requestJson);
};

} // namespace msg_services

#endif
