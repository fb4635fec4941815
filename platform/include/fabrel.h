/*
 * The wearable-connection service: the state of each of its link services,
 * from the settings "memory/private/fabrel/service_state/<service>"
 * (service 3 is the remote link; state 3 means connected).
 */
#ifndef MSG_PLATFORM_FABREL_H
#define MSG_PLATFORM_FABREL_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    FABREL_ERROR_NONE = 0,
    FABREL_ERROR_INVALID_PARAMETER = -22,
};

enum { FABREL_SERVICE_REMOTE = 3 };
enum { FABREL_STATE_DISCONNECTED = 0, FABREL_STATE_CONNECTED = 3 };

typedef struct fabrel_s* fabrel_h;

int fabrel_create(fabrel_h* handle);
int fabrel_destroy(fabrel_h handle);
int fabrel_get_service_state(fabrel_h handle, int service, int* state);

#ifdef __cplusplus
}
#endif

#endif
