/*
 * The store's tables on the simulated device, the connection state of the
 * client, and writes that report a result code and announce their changes.
 */
#ifndef MSG_STORE_STOREDB_H
#define MSG_STORE_STOREDB_H

#include "ChangeRecorder.h"
#include "device/Device.h"

#include <functional>

namespace msg_store {
namespace store {

// The calling thread's connection to a device with the store's tables; null with the
// result code in *result when the client is disconnected or the device cannot be used.
msg_device::Connection* reader(int* result);
msg_device::Device* device(int* result);

void setConnected(bool connected);
bool isDisconnected();

// Runs fn in one transaction; a non-zero result from fn, or a failed commit, rolls back.
using WriteFn = std::function<int(msg_device::Connection&, ChangeRecorder&)>;
int write(const WriteFn& fn);

int64_t nowMs();

} // namespace store
} // namespace msg_store

#endif
