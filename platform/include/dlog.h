/*
 * The platform log. Lines go to standard error, or to the file named by
 * MSG_LOG_FILE; MSG_LOG_LEVEL (verbose, debug, info, warn, error, silent)
 * chooses the lowest priority written. A capture callback sees every line
 * whatever the level, so that tests can check what was logged.
 */
#ifndef MSG_PLATFORM_DLOG_H
#define MSG_PLATFORM_DLOG_H

#include <stdarg.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    DLOG_UNKNOWN = 0,
    DLOG_DEFAULT,
    DLOG_VERBOSE,
    DLOG_DEBUG,
    DLOG_INFO,
    DLOG_WARN,
    DLOG_ERROR,
    DLOG_FATAL,
    DLOG_SILENT,
} log_priority;

enum { DLOG_ERROR_NONE = 0, DLOG_ERROR_INVALID_PARAMETER = -22 };

int dlog_print(log_priority prio, const char* tag, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
int dlog_vprint(log_priority prio, const char* tag, const char* fmt, va_list ap);

/* The lowest priority written to the output; lines below it are only captured. */
void dlog_set_min_priority(log_priority prio);
log_priority dlog_get_min_priority(void);

typedef void (*dlog_capture_cb)(log_priority prio, const char* tag, const char* msg, void* user_data);
/* Installs (or, with a null callback, removes) the one capture callback. */
void dlog_set_capture_cb(dlog_capture_cb cb, void* user_data);

#ifdef __cplusplus
}
#endif

#endif
