/*
 * The messaging service's own tables in the device: filters, cell-broadcast
 * options, send options of sent messages and the call-block list.
 */
#ifndef MSG_SERVICES_MSGSERVICEDB_H
#define MSG_SERVICES_MSGSERVICEDB_H

#include "device/Device.h"

namespace msg_service {

constexpr const char* kFiltersTopic = "msg_service/filters";
constexpr const char* kCbOptionsTopic = "msg_service/cb_options";
constexpr const char* kCallBlockTopic = "phone_misc/block";

// The process's device with the service's tables in place; null (logged) when unavailable.
msg_device::Device* serviceDevice();
// The calling thread's connection to it; null (logged) when unavailable.
msg_device::Connection* serviceReader();

} // namespace msg_service

#endif
