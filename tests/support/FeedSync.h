#ifndef MSG_TESTS_SUPPORT_FEEDSYNC_H
#define MSG_TESTS_SUPPORT_FEEDSYNC_H

namespace msg_test {

// The device hands its changes (settings, preferences, contacts, store events) to each process in
// the order they were written. This writes one more change and pumps the main loop until this
// process hears it, so every change written before has been handed out: the way to check that
// something was not heard, without waiting a fixed time. Needs the device open and Ecore running.
bool waitForEarlierChanges(double timeoutSeconds = 5.0);

} // namespace msg_test

#endif
