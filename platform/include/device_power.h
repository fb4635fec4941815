/*
 * Power locks, recorded in the device journal (stream "power").
 */
#ifndef MSG_PLATFORM_DEVICE_POWER_H
#define MSG_PLATFORM_DEVICE_POWER_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    DEVICE_ERROR_NONE = 0,
    DEVICE_ERROR_INVALID_PARAMETER = -22,
    DEVICE_ERROR_OPERATION_FAILED = -1,
};

typedef enum {
    POWER_LOCK_CPU = 0,
    POWER_LOCK_DISPLAY = 1,
    POWER_LOCK_DISPLAY_DIM = 2,
} power_lock_e;

/* timeout_ms 0 holds the lock until it is released. */
int device_power_request_lock(power_lock_e type, int timeout_ms);
int device_power_release_lock(power_lock_e type);

#ifdef __cplusplus
}
#endif

#endif
