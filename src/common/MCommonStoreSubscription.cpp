#include "common/MCommonStoreSubscription.h"

#include "common/MsgLog.h"
#include "msg_store/ConnectionManager.h"

namespace msg_app {

bool MCommonStoreSubscription::add(msg_store::EventType type, Handler handler) {
    auto entry = std::make_unique<Entry>(Entry{type, std::move(handler)});
    if (msg_store::ConnectionManager::subscribeEvent(type, _eventCb, entry.get()) !=
        msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("subscribeEvent(%d) failed", type);
        return false;
    }
    _entries.push_back(std::move(entry));
    return true;
}

void MCommonStoreSubscription::clear() {
    for (const std::unique_ptr<Entry>& entry : _entries)
        msg_store::ConnectionManager::unsubscribeEvent(entry->type, _eventCb, entry.get());
    _entries.clear();
}

void MCommonStoreSubscription::_eventCb(const char* payload, void* entry) {
    MSG_RET_IF(!payload || !entry, "payload or data is null");
    // A copy: the handler may end its own subscription, the screen that holds it going meanwhile.
    Handler handler = static_cast<Entry*>(entry)->handler;
    handler(payload);
}

} // namespace msg_app
