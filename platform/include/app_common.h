/*
 * The running application's identity and folders. Every path ends with "/"
 * and is a copy that the caller frees. The data folders live in the device
 * folder, per package, and are created on first use.
 */
#ifndef MSG_PLATFORM_APP_COMMON_H
#define MSG_PLATFORM_APP_COMMON_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    APP_ERROR_NONE = 0,
    APP_ERROR_INVALID_PARAMETER = -22,
    APP_ERROR_IO_ERROR = -5,
};

/* The application id ($MSG_APP_ID as set by the launcher, else the installed
   application of this executable, else the executable's name). */
int app_get_id(char** id);
/* $MSG_RES_DIR, else <directory of the executable>/../res/. */
char* app_get_resource_path(void);
char* app_get_data_path(void);
char* app_get_shared_data_path(void);
char* app_get_shared_trusted_path(void);

#ifdef __cplusplus
}
#endif

#endif
