/*
 * System settings chosen by the user, backed by the device settings
 * ("db/setting/accessibility/font_name", "db/setting/accessibility/font_size").
 * Change callbacks run on the Ecore main loop, whichever process changed them.
 */
#ifndef MSG_PLATFORM_SYSTEM_SETTINGS_H
#define MSG_PLATFORM_SYSTEM_SETTINGS_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    SYSTEM_SETTINGS_ERROR_NONE = 0,
    SYSTEM_SETTINGS_ERROR_INVALID_PARAMETER = -22,
    SYSTEM_SETTINGS_ERROR_IO_ERROR = -5,
};

typedef enum {
    SYSTEM_SETTINGS_KEY_FONT_SIZE = 0,
    SYSTEM_SETTINGS_KEY_FONT_TYPE = 1,
} system_settings_key_e;

typedef enum {
    SYSTEM_SETTINGS_FONT_SIZE_SMALL = 0,
    SYSTEM_SETTINGS_FONT_SIZE_NORMAL = 1,
    SYSTEM_SETTINGS_FONT_SIZE_LARGE = 2,
    SYSTEM_SETTINGS_FONT_SIZE_HUGE = 3,
    SYSTEM_SETTINGS_FONT_SIZE_GIANT = 4,
} system_settings_font_size_e;

typedef void (*system_settings_changed_cb)(system_settings_key_e key, void* user_data);

int system_settings_get_value_int(system_settings_key_e key, int* value);
/* A copy the caller frees. */
int system_settings_get_value_string(system_settings_key_e key, char** value);
int system_settings_set_value_int(system_settings_key_e key, int value);
int system_settings_set_value_string(system_settings_key_e key, const char* value);
/* One callback per key; a second call replaces it. */
int system_settings_set_changed_cb(system_settings_key_e key, system_settings_changed_cb callback,
                                   void* user_data);
int system_settings_unset_changed_cb(system_settings_key_e key);

#ifdef __cplusplus
}
#endif

#endif
