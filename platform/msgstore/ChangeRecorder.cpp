#include "ChangeRecorder.h"

#include "msg_store/ConnectionManager.h"

namespace msg_store {
namespace store {

ChangeRecorder::Event& ChangeRecorder::_event(int eventType, const std::string& changeType) {
    for (Event& event : _events) {
        if (event.eventType == eventType && event.changeType == changeType)
            return event;
    }
    _events.push_back(Event{eventType, changeType, {}, {}, {}});
    return _events.back();
}

void ChangeRecorder::storage(const char* changeType, int msgId, int threadId) {
    Event& event = _event(EVENT_TYPE_STORAGE_CHANGE, changeType);
    if (event.msgIds.insert(msgId).second)
        event.ids.emplace_back(msgId, threadId);
}

void ChangeRecorder::groupchat(int msgId, int threadId) {
    _event(EVENT_TYPE_GROUPCHAT_STATE_CHANGE, "groupchat_address_changed").ids.emplace_back(msgId, threadId);
}

void ChangeRecorder::contentChanged(int msgId) {
    // Each content change is its own notice: the reader takes one message id per payload.
    _events.push_back(
        Event{EVENT_TYPE_CONTENT_CHANGED, "", {}, "content_changed_success:" + std::to_string(msgId), {}});
}

std::string ChangeRecorder::payload(const std::string& changeType,
                                    const std::vector<std::pair<int, int>>& ids) {
    std::string text = changeType + ":";
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i)
            text += ',';
        text += std::to_string(ids[i].first);
        text += '/';
        text += std::to_string(ids[i].second);
    }
    return text;
}

void ChangeRecorder::flush(msg_device::ChangeLog& log) const {
    for (const Event& event : _events) {
        const char* topic = ConnectionManager::topicOf(static_cast<EventType>(event.eventType));
        log.append(topic, event.raw.empty() ? payload(event.changeType, event.ids) : event.raw);
    }
}

} // namespace store
} // namespace msg_store
