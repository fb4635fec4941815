/*
 * Haptic and sound feedback, recorded in the device journal (stream
 * "feedback") instead of played.
 */
#ifndef MSG_PLATFORM_FEEDBACK_H
#define MSG_PLATFORM_FEEDBACK_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    FEEDBACK_ERROR_NONE = 0,
    FEEDBACK_ERROR_INVALID_PARAMETER = -22,
    FEEDBACK_ERROR_NOT_INITIALIZED = -0x01310000 | 0x01,
    FEEDBACK_ERROR_OPERATION_FAILED = -1,
};

typedef enum {
    FEEDBACK_TYPE_NONE = 0,
    FEEDBACK_TYPE_SOUND = 1,
    FEEDBACK_TYPE_VIBRATION = 2,
} feedback_type_e;

typedef enum {
    FEEDBACK_PATTERN_NONE = -1,
    FEEDBACK_PATTERN_TAP = 0,
    FEEDBACK_PATTERN_SIP = 1,
    FEEDBACK_PATTERN_HOLD = 2,
    FEEDBACK_PATTERN_MESSAGE = 3,
    FEEDBACK_PATTERN_GENERAL = 4,
    FEEDBACK_PATTERN_ERROR = 5,
    FEEDBACK_PATTERN_MAX = 6,
    /* Patterns of the wearable profile, numbered past the common ones. */
    FEEDBACK_PATTERN_LIST_LONG_PRESS = 19,
    FEEDBACK_PATTERN_TYPE_SWITCH = 10000,
} feedback_pattern_e;

int feedback_initialize(void);
int feedback_deinitialize(void);
/* Plays the pattern both ways. */
int feedback_play(feedback_pattern_e pattern);
int feedback_play_type(feedback_type_e type, feedback_pattern_e pattern);

#ifdef __cplusplus
}
#endif

#endif
