/*
 * The device's key-value settings. Keys are paths beginning with "db/",
 * "memory/", "memory_init/" or "file/"; every key the device knows has a
 * default (see the README). A value keeps the type it was created with.
 * Change callbacks run on the Ecore main loop of every process, whichever
 * process (or msg-sim) made the change.
 */
#ifndef MSG_PLATFORM_VCONF_H
#define MSG_PLATFORM_VCONF_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VCONF_OK = 0,
    VCONF_ERROR = -1,
    VCONF_ERROR_WRONG_PREFIX = -2,
    VCONF_ERROR_WRONG_TYPE = -3,
    VCONF_ERROR_WRONG_VALUE = -4,
    VCONF_ERROR_NO_ENTRY = -5,
    VCONF_ERROR_INVALID_PARAMETER = -6,
};

typedef enum {
    VCONF_TYPE_NONE = 0,
    VCONF_TYPE_INT = 1,
    VCONF_TYPE_BOOL = 2,
    VCONF_TYPE_DOUBLE = 3,
    VCONF_TYPE_STRING = 4,
} vconf_t;

/* Longest key and longest string value, in bytes. */
#define VCONF_KEY_MAX 255
#define VCONF_STRING_MAX 4095

typedef struct keynode keynode_t;

/* The node is valid only during the callback. */
typedef void (*vconf_callback_fn)(keynode_t* node, void* user_data);

int vconf_get_int(const char* key, int* intval);
int vconf_get_bool(const char* key, int* boolval);
int vconf_get_dbl(const char* key, double* dblval);
/* A copy the caller frees, or null when the key is unknown or not a string. */
char* vconf_get_str(const char* key);

int vconf_set_int(const char* key, int intval);
int vconf_set_bool(const char* key, int boolval);
int vconf_set_dbl(const char* key, double dblval);
int vconf_set_str(const char* key, const char* strval);

/* One registration per (key, callback, user data); needs the Ecore main loop. */
int vconf_notify_key_changed(const char* key, vconf_callback_fn cb, void* user_data);
/* Removes every registration of the callback for the key. */
int vconf_ignore_key_changed(const char* key, vconf_callback_fn cb);

const char* vconf_keynode_get_name(keynode_t* node);
int vconf_keynode_get_type(keynode_t* node);
int vconf_keynode_get_int(keynode_t* node);
int vconf_keynode_get_bool(keynode_t* node);
double vconf_keynode_get_dbl(keynode_t* node);
/* Owned by the node. */
const char* vconf_keynode_get_str(keynode_t* node);

#ifdef __cplusplus
}
#endif

#endif
