/*
 * The carrier's multi-device number-sharing service client, from the
 * settings "db/private/tarvik/available" and "db/private/tarvik/status"
 * (0 not available, 1 enabled, 2 disabled).
 */
#ifndef MSG_PLATFORM_TARVIK_H
#define MSG_PLATFORM_TARVIK_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    TARVIK_ERROR_NONE = 0,
    TARVIK_ERROR_INVALID_PARAMETER = -22,
    TARVIK_ERROR_SERVICE_UNAVAILABLE = -111,
};

typedef struct tarvik_s* tarvik_h;

int tarvik_init(tarvik_h* handle);
int tarvik_deinit(tarvik_h handle);
int tarvik_service_get_status_sync(tarvik_h handle, int* status);

#ifdef __cplusplus
}
#endif

#endif
