/*
 * The device capability record: a snapshot of the device's capabilities
 * ("messaging", ...), each a text value such as "true" or "false".
 */
#ifndef MSG_PLATFORM_CAPABILITY_MANAGER_H
#define MSG_PLATFORM_CAPABILITY_MANAGER_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
    CAPABILITY_MANAGER_ERROR_NONE = 0,
    CAPABILITY_MANAGER_ERROR_INVALID_PARAMETER = -22,
    CAPABILITY_MANAGER_ERROR_NO_DATA = -61,
    CAPABILITY_MANAGER_ERROR_IO_ERROR = -5,
};

typedef struct capability_manager_s* capability_manager_h;

int capability_manager_create(capability_manager_h* manager);
int capability_manager_destroy(capability_manager_h manager);
/* A copy the caller frees; NO_DATA for a capability the record lacks. */
int capability_manager_get_value_str(capability_manager_h manager, const char* capability, char** value);

#ifdef __cplusplus
}
#endif

#endif
