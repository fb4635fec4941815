/*
 * The usage-log provider: usage events of applications, inserted as a
 * bundle at a provider URI. The feature-survey URI takes the keys "app_id"
 * and "feature" (both required) and "extra" (optional).
 */
#ifndef MSG_PLATFORM_VORLANE_LOG_MANAGER_H
#define MSG_PLATFORM_VORLANE_LOG_MANAGER_H

#include "bundle.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VORLANE_LOG_MANAGER_ERROR_NONE = 0,
    VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER = -22,
    VORLANE_LOG_MANAGER_ERROR_NOT_SUPPORTED = -95,
    VORLANE_LOG_MANAGER_ERROR_IO_ERROR = -5,
};

#define VORLANE_LOG_MANAGER_PROVIDER "content://com.vorlane.log.provider/"
#define VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY                                                       \
    VORLANE_LOG_MANAGER_PROVIDER "log/use_app_feature_survey"

typedef struct vorlane_log_manager_s* vorlane_log_manager_h;

int vorlane_log_manager_create(vorlane_log_manager_h* manager);
int vorlane_log_manager_destroy(vorlane_log_manager_h manager);
int vorlane_log_manager_insert(vorlane_log_manager_h manager, const char* uri, bundle* data);

#ifdef __cplusplus
}
#endif

#endif
