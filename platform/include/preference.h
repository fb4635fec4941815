/*
 * Application preferences: typed values per package of the running
 * application. Keys beginning with "consumer_preference_" or "msg_bnr_" are
 * shared by every application of the device. A change callback runs on the
 * Ecore main loop of every process of the package (of every process, for a
 * shared key), whichever process made the change. Writing a key with another
 * type replaces it; reading it with the wrong type is refused.
 */
#ifndef MSG_PLATFORM_PREFERENCE_H
#define MSG_PLATFORM_PREFERENCE_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PREFERENCE_ERROR_NONE = 0,
    PREFERENCE_ERROR_INVALID_PARAMETER = -22,
    PREFERENCE_ERROR_OUT_OF_MEMORY = -12,
    PREFERENCE_ERROR_NO_KEY = -0x01160001,
    PREFERENCE_ERROR_IO_ERROR = -5,
};

/* Longest key and longest string value, in bytes. */
#define PREFERENCE_KEY_MAX 255
#define PREFERENCE_STRING_MAX 4095

typedef void (*preference_changed_cb)(const char* key, void* user_data);

int preference_set_int(const char* key, int value);
int preference_get_int(const char* key, int* value);
int preference_set_double(const char* key, double value);
int preference_get_double(const char* key, double* value);
int preference_set_string(const char* key, const char* value);
/* A copy the caller frees. */
int preference_get_string(const char* key, char** value);
int preference_set_boolean(const char* key, bool value);
int preference_get_boolean(const char* key, bool* value);
int preference_remove(const char* key);
int preference_is_existing(const char* key, bool* existing);
/* Removes every preference of the package (shared keys stay). */
int preference_remove_all(void);
/* One callback per key; a second call replaces it. The key need not exist yet. */
int preference_set_changed_cb(const char* key, preference_changed_cb callback, void* user_data);
int preference_unset_changed_cb(const char* key);

#ifdef __cplusplus
}
#endif

#endif
