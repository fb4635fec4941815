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
    // A request too large for the environment travels in a file of the device named here.
    static constexpr const char* kRequestFileVariable = "MSG_APP_CONTROL_FILE";
    static constexpr size_t kMaxEnvironmentRequest = 16 * 1024;

    // The executable's path, empty when it cannot be found.
    static std::string locate(const std::string& executable);
    // The new process's id, or 0 (logged) when it could not be started. The process is not
    // the caller's child to wait for.
    static int start(const std::string& path, const std::string& appId, const std::string& requestJson);
    // The request this process was started with (empty when none), taken out of the environment
    // and its file, so that processes started from here do not take it for theirs.
    static std::string takeRequest();

private:
    static std::string _writeRequestFile(const std::string& requestJson);
};

} // namespace msg_services

#endif
