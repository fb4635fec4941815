/*
 * Change notices of the message store for as long as this object lives: each handler added is
 * subscribed at once and unsubscribed when the object goes (or is cleared), so that a screen that
 * goes can never be called back. Main loop only, as the store's subscriptions are.
 */
#ifndef MSG_APP_COMMON_MCOMMONSTORESUBSCRIPTION_H
#define MSG_APP_COMMON_MCOMMONSTORESUBSCRIPTION_H

#include "msg_store/MsgStoreTypes.h"

#include <functional>
#include <memory>
#include <vector>

namespace msg_app {

class MCommonStoreSubscription {
public:
    using Handler = std::function<void(const char* payload)>;

    MCommonStoreSubscription() = default;
    ~MCommonStoreSubscription() { clear(); }
    MCommonStoreSubscription(const MCommonStoreSubscription&) = delete;
    MCommonStoreSubscription& operator=(const MCommonStoreSubscription&) = delete;

    // Subscribes handler to the event type; false, logged, when the store refuses it.
    bool add(msg_store::EventType type, Handler handler);
    // Unsubscribes every handler.
    void clear();
    bool empty() const { return _entries.empty(); }

private:
    struct Entry {
        msg_store::EventType type;
        Handler handler;
    };
    static void _eventCb(const char* payload, void* entry);

    // Each entry's address tells the store's callback which handler is meant.
    std::vector<std::unique_ptr<Entry>> _entries;
};

} // namespace msg_app

#endif
