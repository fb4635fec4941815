/*
 * Installed packages. A package is installed while one of its applications
 * is; a package all of whose applications are disabled cannot be obtained.
 */
#ifndef MSG_PLATFORM_PACKAGE_MANAGER_H
#define MSG_PLATFORM_PACKAGE_MANAGER_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PACKAGE_MANAGER_ERROR_NONE = 0,
    PACKAGE_MANAGER_ERROR_INVALID_PARAMETER = -22,
    PACKAGE_MANAGER_ERROR_NO_SUCH_PACKAGE = -0x01150071,
    PACKAGE_MANAGER_ERROR_IO_ERROR = -5,
};

typedef struct package_info_s* package_info_h;

int package_info_create(const char* package, package_info_h* package_info);
int package_info_destroy(package_info_h package_info);
/* A copy the caller frees. */
int package_info_get_package(package_info_h package_info, char** package);
int package_info_is_preload_package(package_info_h package_info, bool* preload);
/* The package of an installed application; a copy the caller frees. */
int package_manager_get_package_id_by_app_id(const char* app_id, char** package_id);

#ifdef __cplusplus
}
#endif

#endif
