#include "msg_store/ConnectionManager.h"

#include "StoreDb.h"
#include "device/ChangeFeed.h"
#include "log/PlatformLog.h"

#include <cstdlib>
#include <vector>

namespace msg_store {

namespace {

struct Subscriber {
    EventType type;
    EventCallback callback;
    void* userData;
    msg_device::Device* device;
    uint64_t feedId;
};

// Never destroyed: callers unsubscribe from their own exit handlers, whose order against
// this file's statics is unknown.
std::vector<Subscriber>& subscribers() {
    static auto* list = new std::vector<Subscriber>();
    return *list;
}

void dropAll() {
    for (const Subscriber& subscriber : subscribers())
        subscriber.device->feed().unsubscribe(subscriber.feedId);
    subscribers().clear();
}

int drop(EventType type, EventCallback callback, const void* const* userData) {
    int removed = 0;
    auto& list = subscribers();
    for (auto it = list.begin(); it != list.end();) {
        if (it->type == type && it->callback == callback && (!userData || it->userData == *userData)) {
            it->device->feed().unsubscribe(it->feedId);
            it = list.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed ? MSG_STORE_SUCCESS : MSG_STORE_ERR_NOT_FOUND;
}

} // namespace

const char* ConnectionManager::topicOf(EventType type) {
    switch (type) {
    case EVENT_TYPE_STORAGE_CHANGE:
        return "msg_store/1";
    case EVENT_TYPE_CONTENT_CHANGED:
        return "msg_store/2";
    case EVENT_TYPE_GROUPCHAT_STATE_CHANGE:
        return "msg_store/3";
    }
    return nullptr;
}

int ConnectionManager::connect() {
    store::setConnected(true);
    int result = MSG_STORE_SUCCESS;
    store::device(&result);
    return result;
}

int ConnectionManager::disconnect() {
    dropAll();
    store::setConnected(false);
    return MSG_STORE_SUCCESS;
}

bool ConnectionManager::isConnected() {
    return !store::isDisconnected();
}

int ConnectionManager::subscribeEvent(EventType type, EventCallback callback, void* userData) {
    const char* topic = topicOf(type);
    PLAT_RETV_IF(!topic, MSG_STORE_ERR_INVALID_ARGUMENT, "unknown event type %d", type);
    PLAT_RETV_IF(!callback, MSG_STORE_ERR_INVALID_ARGUMENT, "callback is null");
    int result = MSG_STORE_SUCCESS;
    msg_device::Device* device = store::device(&result);
    if (!device)
        return result;
    for (const Subscriber& subscriber : subscribers()) {
        if (subscriber.type == type && subscriber.callback == callback && subscriber.userData == userData)
            return MSG_STORE_SUCCESS;
    }
    static bool exitHandlerAdded = false;
    if (!exitHandlerAdded) {
        // Registered after the device was opened, so it runs while the device still exists.
        std::atexit(dropAll);
        exitHandlerAdded = true;
    }
    uint64_t id = device->feed().subscribe(topic, [callback, userData](const msg_device::Change& change) {
        callback(change.payload.c_str(), userData);
    });
    PLAT_RETV_IF(id == 0, MSG_STORE_ERR_DB, "cannot watch the device's changes");
    subscribers().push_back(Subscriber{type, callback, userData, device, id});
    return MSG_STORE_SUCCESS;
}

int ConnectionManager::unsubscribeEvent(EventType type, EventCallback callback) {
    return drop(type, callback, nullptr);
}

int ConnectionManager::unsubscribeEvent(EventType type, EventCallback callback, void* userData) {
    return drop(type, callback, &userData);
}

} // namespace msg_store
