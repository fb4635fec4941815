/*
 * Message ports: an application registers named local ports and other
 * applications send bundles to them. Messages to a port of one of our
 * applications reach its callback on the main loop of the process that
 * registered it; a message to an application the device has but we do not
 * ship is written to the platform journal (category "MESSAGE_PORT"), unless a
 * running process of that application id registered the port.
 */
#ifndef MSG_PLATFORM_MESSAGE_PORT_H
#define MSG_PLATFORM_MESSAGE_PORT_H

#include "bundle.h"

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    MESSAGE_PORT_ERROR_NONE = 0,
    MESSAGE_PORT_ERROR_IO_ERROR = -5,
    MESSAGE_PORT_ERROR_OUT_OF_MEMORY = -12,
    MESSAGE_PORT_ERROR_INVALID_PARAMETER = -22,
    MESSAGE_PORT_ERROR_PORT_NOT_FOUND = -0x01130000 | 0x01,
} message_port_error_e;

// The bundle belongs to the service; remote_port is null (the sender has no local port here).
typedef void (*message_port_message_cb)(int local_port_id, const char* remote_app_id, const char* remote_port,
                                        bool trusted_remote_port, bundle* message, void* user_data);

// A positive port id, or a negative error. Registering a name again gives the same id and
// replaces its callback. Needs the Ecore main loop.
int message_port_register_local_port(const char* local_port, message_port_message_cb callback,
                                     void* user_data);
int message_port_unregister_local_port(int local_port_id);
int message_port_send_message(const char* remote_app_id, const char* remote_port, bundle* message);

#ifdef __cplusplus
}
#endif

#endif
