/*
 * The network connection the device uses now, from the setting
 * "memory/dnet/status".
 */
#ifndef MSG_PLATFORM_NET_CONNECTION_H
#define MSG_PLATFORM_NET_CONNECTION_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    CONNECTION_ERROR_NONE = 0,
    CONNECTION_ERROR_INVALID_PARAMETER = -22,
    CONNECTION_ERROR_OPERATION_FAILED = -0x01C10000 | 0x0401,
};

typedef enum {
    CONNECTION_TYPE_DISCONNECTED = 0,
    CONNECTION_TYPE_WIFI = 1,
    CONNECTION_TYPE_CELLULAR = 2,
    CONNECTION_TYPE_ETHERNET = 3,
    CONNECTION_TYPE_BT = 4,
} connection_type_e;

typedef struct connection_s* connection_h;

int connection_create(connection_h* connection);
int connection_destroy(connection_h connection);
int connection_get_type(connection_h connection, connection_type_e* type);

#ifdef __cplusplus
}
#endif

#endif
