/*
 * A bundle: string values and string arrays under text keys, as launch
 * requests, replies and message ports carry them.
 */
#ifndef MSG_PLATFORM_BUNDLE_H
#define MSG_PLATFORM_BUNDLE_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    BUNDLE_ERROR_NONE = 0,
    BUNDLE_ERROR_OUT_OF_MEMORY = -12,
    BUNDLE_ERROR_INVALID_PARAMETER = -22,
    BUNDLE_ERROR_KEY_NOT_AVAILABLE = -126,
    BUNDLE_ERROR_KEY_EXISTS = -17,
};

typedef enum {
    BUNDLE_TYPE_NONE = -1,
    BUNDLE_TYPE_STR = 1,
    BUNDLE_TYPE_STR_ARRAY = 2,
} bundle_type;

/* Longest key and longest value, in bytes; arrays hold at most BUNDLE_ARRAY_MAX items. */
#define BUNDLE_KEY_MAX 1024
#define BUNDLE_VALUE_MAX (64 * 1024)
#define BUNDLE_ARRAY_MAX 1024

typedef struct _bundle_t bundle;
typedef unsigned char bundle_raw;

typedef void (*bundle_iterator_t)(const char* key, const int type, const void* kv, void* user_data);

bundle* bundle_create(void);
int bundle_free(bundle* b);
bundle* bundle_dup(bundle* b);
int bundle_get_count(bundle* b);
int bundle_get_type(bundle* b, const char* key);
/* Refuses a key that exists already. */
int bundle_add_str(bundle* b, const char* key, const char* str);
/* The value stays owned by the bundle. */
int bundle_get_str(bundle* b, const char* key, char** str);
int bundle_add_str_array(bundle* b, const char* key, const char** str_array, const int len);
/* The array stays owned by the bundle; null when absent. */
const char** bundle_get_str_array(bundle* b, const char* key, int* len);
int bundle_del(bundle* b, const char* key);
/* Visits every entry in key order; kv is the entry's key for the iterator's own lookups. */
void bundle_foreach(bundle* b, bundle_iterator_t callback, void* user_data);
/* A JSON text of the bundle; the caller frees *r with bundle_free_encoded_rawdata. */
int bundle_encode(bundle* b, bundle_raw** r, int* len);
int bundle_free_encoded_rawdata(bundle_raw** r);
/* Null when the text is not an encoded bundle. */
bundle* bundle_decode(const bundle_raw* r, const int len);

#ifdef __cplusplus
}
#endif

#endif
