/*
 * What the watch's messaging service stores: its messages (read back from
 * the device's message store), message filters, and cell-broadcast options.
 * Filters decide which incoming messages of the watch's own modem go to the
 * spam folder (105).
 */
#ifndef MSG_PLATFORM_MSG_STORAGE_H
#define MSG_PLATFORM_MSG_STORAGE_H

#include "msg_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Fills msg (MSG_STRUCT_MESSAGE_INFO) and, when given, send_opt (MSG_STRUCT_SENDOPT). */
int msg_get_message(msg_handle_t handle, int msg_id, msg_struct_t msg, msg_struct_t send_opt);

/* The filter's type and text must be set; the new id goes into the filter's MSG_FILTER_ID_INT. */
int msg_add_filter(msg_handle_t handle, const msg_struct_t filter);
int msg_delete_filter(msg_handle_t handle, int filter_id);
/* Every filter, oldest first; free with msg_release_list_struct(). */
int msg_get_filter_list(msg_handle_t handle, msg_struct_list_s* filter_list);

/* The options into an MSG_STRUCT_SETTING_CB_OPT, and back. */
int msg_get_cb_opt(msg_handle_t handle, msg_struct_t msg_struct);
int msg_set_cb_opt(msg_handle_t handle, msg_struct_t msg_struct);

#ifdef __cplusplus
}
#endif

#endif
