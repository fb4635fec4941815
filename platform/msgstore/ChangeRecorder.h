/*
 * Collects what one write touched and turns it into storage-change payloads:
 * one event per change type naming every message, "msg_inserted:12/3,13/3".
 */
#ifndef MSG_STORE_CHANGERECORDER_H
#define MSG_STORE_CHANGERECORDER_H

#include "device/Device.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace msg_store {
namespace store {

class ChangeRecorder {
public:
    // changeType: "msg_inserted", "msg_updated", "msg_replaced", "msg_deleted".
    void storage(const char* changeType, int msgId, int threadId);
    void groupchat(int msgId, int threadId);
    void contentChanged(int msgId);

    // Appends the events in the order their first change was recorded.
    void flush(msg_device::ChangeLog& log) const;

    static std::string payload(const std::string& changeType, const std::vector<std::pair<int, int>>& ids);

private:
    struct Event {
        int eventType;
        std::string changeType;
        std::vector<std::pair<int, int>> ids;
        std::string raw;                // for events that carry a ready payload
        std::unordered_set<int> msgIds; // those in ids, so that a large write stays linear
    };
    Event& _event(int eventType, const std::string& changeType);

    std::vector<Event> _events;
};

} // namespace store
} // namespace msg_store

#endif
