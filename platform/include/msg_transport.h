/*
 * Sending through the watch's own modem. A request (MSG_STRUCT_REQUEST_INFO)
 * holds the message and its send options. A sent message lands in the
 * device's message store in the watch's outbox (folder 102) with the sending
 * status; the network then delivers it (sent folder 103) or fails it, which
 * the store announces as an update. On success the request's
 * MSG_REQUEST_REQUESTID_INT and its message's MSG_MESSAGE_ID_INT hold the new
 * message's id.
 */
#ifndef MSG_PLATFORM_MSG_TRANSPORT_H
#define MSG_PLATFORM_MSG_TRANSPORT_H

#include "msg_types.h"

#ifdef __cplusplus
extern "C" {
#endif

int msg_sms_send_message(msg_handle_t handle, msg_struct_t req);
/* Refused with MSG_ERR_MESSAGE_TOO_LARGE above the MMS size limit. */
int msg_mms_send_message(msg_handle_t handle, msg_struct_t req);
/* Asks the network for the body of a received MMS not yet retrieved (by the message's id). */
int msg_mms_retrieve_message(msg_handle_t handle, msg_struct_t req);

/* The largest MMS in bytes (setting "db/msg/mms_max_size", 300 KiB by default). */
int msg_get_mms_max_size(msg_handle_t handle, int* size);

#ifdef __cplusplus
}
#endif

#endif
