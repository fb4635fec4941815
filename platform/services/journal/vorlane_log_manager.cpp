#include "vorlane_log_manager.h"

#include "JournalStore.h"
#include "log/PlatformLog.h"

#include <cstring>
#include <string>

struct vorlane_log_manager_s {
    int unused;
};

extern "C" int vorlane_log_manager_create(vorlane_log_manager_h* manager) {
    PLAT_RETV_IF(!manager, VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER, "manager is null");
    *manager = new vorlane_log_manager_s{0};
    return VORLANE_LOG_MANAGER_ERROR_NONE;
}

extern "C" int vorlane_log_manager_destroy(vorlane_log_manager_h manager) {
    PLAT_RETV_IF(!manager, VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER, "manager is null");
    delete manager;
    return VORLANE_LOG_MANAGER_ERROR_NONE;
}

extern "C" int vorlane_log_manager_insert(vorlane_log_manager_h manager, const char* uri, bundle* data) {
    PLAT_RETV_IF(!manager || !uri || !data, VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER, "argument is null");
    PLAT_RETV_IF(std::strcmp(uri, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY) != 0,
                 VORLANE_LOG_MANAGER_ERROR_NOT_SUPPORTED, "unknown provider URI %s", uri);
    char* app = nullptr;
    char* feature = nullptr;
    char* extra = nullptr;
    PLAT_RETV_IF(bundle_get_str(data, "app_id", &app) != BUNDLE_ERROR_NONE || !*app,
                 VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER, "app_id is missing");
    PLAT_RETV_IF(bundle_get_str(data, "feature", &feature) != BUNDLE_ERROR_NONE || !*feature,
                 VORLANE_LOG_MANAGER_ERROR_INVALID_PARAMETER, "feature is missing");
    bundle_get_str(data, "extra", &extra);
    return msg_services::JournalStore::append("usage", feature, extra ? extra : "", app)
               ? VORLANE_LOG_MANAGER_ERROR_NONE
               : VORLANE_LOG_MANAGER_ERROR_IO_ERROR;
}
