/*
 * The device's call-block list: numbers whose calls (and, through the
 * messaging service's filters, messages) the user refused. Each entry has a
 * match kind. Changes are announced on the change-feed topic "phone_misc/block".
 */
#ifndef MSG_PLATFORM_PHONE_MISC_H
#define MSG_PLATFORM_PHONE_MISC_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PHONE_MISC_ERROR_NONE = 0,
    PHONE_MISC_ERROR_INVALID_PARAMETER = -1,
    PHONE_MISC_ERROR_DB_FAILED = -2,
    PHONE_MISC_ERROR_NOT_FOUND = -3,
    PHONE_MISC_ERROR_ALREADY_EXISTS = -4,
};

typedef enum {
    PHONE_MISC_BLOCK_MATCH_EXACT = 1,
    PHONE_MISC_BLOCK_MATCH_STARTS_WITH = 2,
    PHONE_MISC_BLOCK_MATCH_ENDS_WITH = 3,
    PHONE_MISC_BLOCK_MATCH_INCLUDES = 4,
} phone_misc_block_match_e;

/* Return false to stop. */
typedef bool (*phone_misc_block_cb)(const char* number, phone_misc_block_match_e match, void* user_data);

/* match is a phone_misc_block_match_e. A number of digits with an optional leading '+' (also '*' and '#'), at
 * most 40 characters. */
int phone_misc_block_insert(const char* number, int match);
int phone_misc_block_delete(const char* number);
/* In insertion order. */
int phone_misc_block_foreach(phone_misc_block_cb callback, void* user_data);
/* Whether any entry matches the number by its match kind. */
int phone_misc_block_check(const char* number, bool* blocked);

#ifdef __cplusplus
}
#endif

#endif
