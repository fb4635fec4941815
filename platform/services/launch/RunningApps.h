/*
 * Applications that take their later launch requests themselves, one process
 * each, as on the watch: a request for one that runs goes to it instead of
 * starting another. Kept in the device, so that every process sees them.
 */
#ifndef MSG_SERVICES_RUNNINGAPPS_H
#define MSG_SERVICES_RUNNINGAPPS_H

#include <string>

namespace msg_services {

class RunningApps {
public:
    // This process is the application's instance until it leaves (or ends).
    static bool enter(const std::string& appId, int pid);
    static void leave(const std::string& appId, int pid);
    // The process of the application's instance; 0 when none runs (one that ended without
    // leaving does not count).
    static int find(const std::string& appId);
    // Where the instance hears of its requests.
    static std::string requestTopic(const std::string& appId);
    // Hands a request (its JSON form) to the instance.
    static bool deliver(const std::string& appId, const std::string& requestJson);
};

} // namespace msg_services

#endif
