/*
 * Storage sizes. The free space is the device folder's disk, unless the
 * setting "memory/private/device/storage_free_kb" (KiB, -1 for the disk)
 * pretends otherwise.
 */
#ifndef MSG_PLATFORM_STORAGE_H
#define MSG_PLATFORM_STORAGE_H

#include <sys/statvfs.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    STORAGE_ERROR_NONE = 0,
    STORAGE_ERROR_INVALID_PARAMETER = -22,
    STORAGE_ERROR_OPERATION_FAILED = -0x01200000 | 0x12,
};

int storage_get_internal_memory_size(struct statvfs* buf);

#ifdef __cplusplus
}
#endif

#endif
