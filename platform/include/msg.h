/*
 * The watch's messaging service: handles and structures. A handle belongs to
 * the thread that opened it; every call with a handle fails with
 * MSG_ERR_INVALID_MSGHANDLE on any other thread. Opening fails with
 * MSG_ERR_SERVER_NOT_READY while the setting "memory/msg/ready" is false.
 * Structure getters return borrowed handles, valid while their owner lives.
 */
#ifndef MSG_PLATFORM_MSG_H
#define MSG_PLATFORM_MSG_H

#include "msg_types.h"

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

int msg_open_msg_handle(msg_handle_t* handle);
/* Clears *handle on success. */
int msg_close_msg_handle(msg_handle_t* handle);

/* Null for an unknown kind. */
msg_struct_t msg_create_struct(int struct_type);
/* Frees the structure and everything it owns; clears *msg_struct. */
int msg_release_struct(msg_struct_t* msg_struct);
int msg_release_list_struct(msg_struct_list_s* list);

int msg_get_int_value(msg_struct_t msg_struct, int field, int* value);
int msg_get_bool_value(msg_struct_t msg_struct, int field, bool* value);
/* Copies at most size - 1 bytes and a terminating zero. */
int msg_get_str_value(msg_struct_t msg_struct, int field, char* value, int size);
/* A structure the owner keeps. */
int msg_get_struct_handle(msg_struct_t msg_struct, int field, void** value);
/* A list the owner keeps. */
int msg_get_list_handle(msg_struct_t msg_struct, int field, void** value);

int msg_set_int_value(msg_struct_t msg_struct, int field, int value);
int msg_set_bool_value(msg_struct_t msg_struct, int field, bool value);
/* A text longer than the field allows, or not UTF-8, is refused. */
int msg_set_str_value(msg_struct_t msg_struct, int field, const char* value, int size);
/* Copies value into the owner's structure of that field. */
int msg_set_struct_handle(msg_struct_t msg_struct, int field, msg_struct_t value);

/* Appends a new element to the owner's list field; *item is borrowed. */
int msg_list_add_item(msg_struct_t msg_struct, int field, msg_struct_t* item);
int msg_list_length(msg_list_handle_t list);
/* Null when out of range. */
msg_struct_t msg_list_nth_data(msg_list_handle_t list, int index);
int msg_list_clear(msg_struct_t msg_struct, int field);

/* MMS contents: pages, regions and attachments of an MSG_STRUCT_MMS, media of a page. */
int msg_mms_add_item(msg_struct_t msg_struct, int field, msg_struct_t* item);
/* Copies the MMS body into a message, and back out of it. */
int msg_set_mms_struct(msg_struct_t msg, msg_struct_t mms);
int msg_get_mms_struct(msg_struct_t msg, msg_struct_t mms);

#ifdef __cplusplus
}
#endif

#endif
