/*
 * Trace marks around a piece of work. They go to the platform log, and to
 * the device's journal (stream "trace") while the setting
 * "memory/private/trace/enabled" is on when the process first traces.
 */
#ifndef MSG_PLATFORM_TRACE_H
#define MSG_PLATFORM_TRACE_H

#ifdef __cplusplus
extern "C" {
#endif

void trace_begin(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
/* Ends the calling thread's innermost trace_begin. */
void trace_end(void);

#ifdef __cplusplus
}
#endif

#endif
