/*
 * Threads: found by their addresses, created on the first message, and their
 * figures kept in step with their messages inside each write.
 */
#ifndef MSG_STORE_THREADBOOK_H
#define MSG_STORE_THREADBOOK_H

#include "ChangeRecorder.h"
#include "device/Connection.h"
#include "msg_store/Address.h"

#include <string>
#include <vector>

namespace msg_store {
namespace store {

// Splits "a;b, c" into addresses; '@' makes an e-mail address. Empty parts are dropped.
std::vector<Address> parseAddresses(const std::string& joined);
std::string joinAddresses(const std::vector<Address>& addresses);

// The thread for these addresses, created when none exists. MsgResult code.
int findOrCreateThread(msg_device::Connection& db, const std::vector<Address>& addresses, int& threadId);
bool threadExists(msg_device::Connection& db, int threadId);
// The store's reader when the thread exists; null otherwise, with result saying why (not found
// for a thread that does not exist).
msg_device::Connection* readerOfThread(int threadId, int& result);
int readAddresses(msg_device::Connection& db, int threadId, std::vector<Address>& addresses);
int writeAddresses(msg_device::Connection& db, int threadId, const std::vector<Address>& addresses);

// Announces a change of the thread's members, naming its newest message.
int announceGroupchat(msg_device::Connection& db, int threadId, ChangeRecorder& changes);

// Recomputes the thread's figures from its messages; removes the thread when it has none left.
int refreshThread(msg_device::Connection& db, int threadId);

} // namespace store
} // namespace msg_store

#endif
