/*
 * The client's link to the store and its change notices.
 *
 * Calls made before connect() connect on first use, so that a worker started
 * early at launch can read; after disconnect() every call fails with
 * MSG_STORE_ERR_NOT_CONNECTED until the next connect(). Subscriptions live on
 * the main loop: each callback receives the event's payload there, whichever
 * process made the change, and disconnect() drops them all.
 */
#ifndef MSG_STORE_CONNECTIONMANAGER_H
#define MSG_STORE_CONNECTIONMANAGER_H

#include "msg_store/MsgStoreTypes.h"

namespace msg_store {

using EventCallback = void (*)(const char* payload, void* userData);

class ConnectionManager {
public:
    static int connect();
    static int disconnect();
    static bool isConnected();

    // Main loop only. The same callback and user data may be subscribed once per event type.
    static int subscribeEvent(EventType type, EventCallback callback, void* userData);
    // Removes every subscription of the callback to the event type.
    static int unsubscribeEvent(EventType type, EventCallback callback);
    // Removes only the subscription made with this user data; for callbacks shared by instances.
    static int unsubscribeEvent(EventType type, EventCallback callback, void* userData);

    // The change-feed topic that carries an event type ("msg_store/<type>").
    static const char* topicOf(EventType type);
};

} // namespace msg_store

#endif
