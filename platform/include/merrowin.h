/*
 * The phone/watch number-sync service client, from the settings
 * "db/private/merrowin/available" and "db/private/merrowin/status"
 * (4 means deactivated, 0 active).
 */
#ifndef MSG_PLATFORM_MERROWIN_H
#define MSG_PLATFORM_MERROWIN_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    MERROWIN_ERROR_NONE = 0,
    MERROWIN_ERROR_INVALID_PARAMETER = -22,
    MERROWIN_ERROR_SERVICE_UNAVAILABLE = -111,
};

typedef struct merrowin_s* merrowin_h;

int merrowin_init(merrowin_h* handle);
int merrowin_deinit(merrowin_h handle);
int merrowin_service_get_status_sync(merrowin_h handle, int* status);

#ifdef __cplusplus
}
#endif

#endif
