/*
 * The device's launch journal: every launch request sent, its outcome, and
 * the reply and terminate request that followed. Replies and terminate
 * requests are announced on "launch/reply/<id>" and "launch/terminate/<id>";
 * each new entry on "launch".
 */
#ifndef MSG_SERVICES_LAUNCHJOURNAL_H
#define MSG_SERVICES_LAUNCHJOURNAL_H

#include "app_control.h"

#include <cstdint>
#include <string>
#include <vector>

namespace msg_services {

struct LaunchEntry {
    int64_t id = 0;
    int64_t timeMs = 0;
    std::string caller;
    std::string target;
    std::string operation;
    std::string uri;
    int launchMode = 0;
    std::string request; // the request as JSON
    std::string status;  // "pending", "started", "journal only", "failed"
    int pid = 0;
    bool wantsReply = false;
    bool terminateRequested = false;
    bool replied = false;
    int result = 0;
    std::string reply; // the reply as JSON
};

class LaunchJournal {
public:
    enum class ReplyResult { Ok, NotFound, AlreadyReplied, Failed };

    // The new entry's id, 0 on failure.
    static int64_t record(const LaunchEntry& entry);
    static bool setOutcome(int64_t id, const std::string& status, int pid);
    static ReplyResult recordReply(int64_t id, int result, const std::string& replyJson);
    static bool requestTerminate(int64_t id);
    static bool find(int64_t id, LaunchEntry& out);
    // The journalled request as its target received it, so that it can be answered from another
    // process; a new handle the caller destroys, or null when the entry is unknown or unreadable.
    static app_control_h openReceived(int64_t id);
    // Newest last; limit 0 means all.
    static std::vector<LaunchEntry> list(size_t limit = 0);

    static std::string replyTopic(int64_t id);
    static std::string terminateTopic(int64_t id);
};

} // namespace msg_services

#endif
