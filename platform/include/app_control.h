/*
 * Launch requests. A request names an operation, an optional URI, an
 * optional target application and extra data; sending it starts the target
 * when it is one of our installed applications (as a process that reads the
 * request with app_control_get_launch_request), and every request sent is
 * written to the device's launch journal (`msg-sim launches`). Replies and
 * terminate requests travel through the device and reach the other side on
 * its Ecore main loop.
 */
#ifndef MSG_PLATFORM_APP_CONTROL_H
#define MSG_PLATFORM_APP_CONTROL_H

#include "bundle.h"

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    APP_CONTROL_ERROR_NONE = 0,
    APP_CONTROL_ERROR_INVALID_PARAMETER = -22,
    APP_CONTROL_ERROR_OUT_OF_MEMORY = -12,
    APP_CONTROL_ERROR_APP_NOT_FOUND = -0x01100000 | 0x21,
    APP_CONTROL_ERROR_KEY_NOT_FOUND = -126,
    APP_CONTROL_ERROR_KEY_REJECTED = -0x01100000 | 0x23,
    APP_CONTROL_ERROR_INVALID_DATA_TYPE = -0x01100000 | 0x22,
    APP_CONTROL_ERROR_LAUNCH_REJECTED = -0x01100000 | 0x24,
    APP_CONTROL_ERROR_LAUNCH_FAILED = -0x01100000 | 0x25,
    APP_CONTROL_ERROR_IO_ERROR = -5,
};

typedef enum {
    APP_CONTROL_RESULT_APP_STARTED = 1,
    APP_CONTROL_RESULT_SUCCEEDED = 0,
    APP_CONTROL_RESULT_FAILED = -1,
    APP_CONTROL_RESULT_CANCELED = -2,
} app_control_result_e;

typedef enum {
    APP_CONTROL_LAUNCH_MODE_SINGLE = 0,
    APP_CONTROL_LAUNCH_MODE_GROUP = 1,
} app_control_launch_mode_e;

#define APP_CONTROL_URI_BASE "http://orvex.org/appcontrol/"
#define APP_CONTROL_OPERATION_MAIN APP_CONTROL_URI_BASE "operation/main"
#define APP_CONTROL_OPERATION_DEFAULT APP_CONTROL_URI_BASE "operation/default"
#define APP_CONTROL_OPERATION_VIEW APP_CONTROL_URI_BASE "operation/view"
#define APP_CONTROL_OPERATION_PICK APP_CONTROL_URI_BASE "operation/pick"
#define APP_CONTROL_OPERATION_CALL APP_CONTROL_URI_BASE "operation/call"
#define APP_CONTROL_OPERATION_COMPOSE APP_CONTROL_URI_BASE "operation/compose"
#define APP_CONTROL_OPERATION_SEND_TEXT APP_CONTROL_URI_BASE "operation/send_text"
#define APP_CONTROL_OPERATION_SHARE_TEXT APP_CONTROL_URI_BASE "operation/share_text"
#define APP_CONTROL_DATA_TEXT APP_CONTROL_URI_BASE "data/text"
#define APP_CONTROL_DATA_TYPE APP_CONTROL_URI_BASE "data/type"
#define APP_CONTROL_DATA_SELECTED APP_CONTROL_URI_BASE "data/selected"
#define APP_CONTROL_DATA_CONNECTION_TYPE APP_CONTROL_URI_BASE "data/connection_type"

/* Longest operation, URI or application id, in bytes. */
#define APP_CONTROL_FIELD_MAX 4096

typedef struct app_control_s* app_control_h;

typedef void (*app_control_reply_cb)(app_control_h request, app_control_h reply, app_control_result_e result,
                                     void* user_data);
typedef bool (*app_control_app_matched_cb)(app_control_h app_control, const char* appid, void* user_data);
typedef bool (*app_control_extra_data_cb)(app_control_h app_control, const char* key, void* user_data);
typedef void (*app_control_terminate_cb)(void* user_data);

int app_control_create(app_control_h* app_control);
/* Also cancels the reply still awaited for the request. */
int app_control_destroy(app_control_h app_control);
int app_control_clone(app_control_h* clone, app_control_h app_control);

int app_control_set_operation(app_control_h app_control, const char* operation);
/* Getters of text hand out a copy that the caller frees; null when unset. */
int app_control_get_operation(app_control_h app_control, char** operation);
int app_control_set_uri(app_control_h app_control, const char* uri);
int app_control_get_uri(app_control_h app_control, char** uri);
int app_control_set_mime(app_control_h app_control, const char* mime);
int app_control_get_mime(app_control_h app_control, char** mime);
int app_control_set_app_id(app_control_h app_control, const char* app_id);
int app_control_get_app_id(app_control_h app_control, char** app_id);
int app_control_set_launch_mode(app_control_h app_control, app_control_launch_mode_e mode);
int app_control_get_launch_mode(app_control_h app_control, app_control_launch_mode_e* mode);

/* Adding a key again replaces its value. */
int app_control_add_extra_data(app_control_h app_control, const char* key, const char* value);
int app_control_add_extra_data_array(app_control_h app_control, const char* key, const char* value[],
                                     int length);
int app_control_remove_extra_data(app_control_h app_control, const char* key);
int app_control_get_extra_data(app_control_h app_control, const char* key, char** value);
/* The array and its strings are copies that the caller frees. */
int app_control_get_extra_data_array(app_control_h app_control, const char* key, char*** value, int* length);
int app_control_is_extra_data_array(app_control_h app_control, const char* key, bool* array);
int app_control_foreach_extra_data(app_control_h app_control, app_control_extra_data_cb callback,
                                   void* user_data);

/* The application that sent a received request. */
int app_control_get_caller(app_control_h app_control, char** id);
/* Installed, enabled applications that would handle the request. */
int app_control_foreach_app_matched(app_control_h app_control, app_control_app_matched_cb callback,
                                    void* user_data);

/* A reply callback needs the Ecore main loop; it runs at most once. */
int app_control_send_launch_request(app_control_h app_control, app_control_reply_cb callback,
                                    void* user_data);
/* Asks the application started by this request to close. */
int app_control_send_terminate_request(app_control_h app_control);

/* The request this process was started with (a new handle the caller destroys);
   APP_CONTROL_ERROR_KEY_NOT_FOUND when it was not started by a launch request.
   From then on a terminate request for it calls the handler set below, or
   quits the main loop when none is set. */
int app_control_get_launch_request(app_control_h* request);
int app_control_set_terminate_handler(app_control_terminate_cb callback, void* user_data);
/* Makes this process the one instance of its application, as on the watch: a
   request sent to the application while it runs comes to the handler (on the
   main loop, a handle the handler does not keep) instead of starting another
   process. A null handler ends that. */
typedef void (*app_control_relaunch_cb)(app_control_h request, void* user_data);
int app_control_set_relaunch_handler(app_control_relaunch_cb callback, void* user_data);
/* Answers a received request once; the reply's extras reach the caller's callback. */
int app_control_reply_to_launch_request(app_control_h reply, app_control_h request,
                                        app_control_result_e result);

#ifdef __cplusplus
}
#endif

#endif
