#include "common/DazoLog.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "vorlane_log_manager.h"

namespace msg_app {
namespace dazo_log {

namespace {

vorlane_log_manager_h g_manager = nullptr;

} // namespace

bool init() {
    if (g_manager)
        return true;
    int ret = vorlane_log_manager_create(&g_manager);
    if (ret != VORLANE_LOG_MANAGER_ERROR_NONE) {
        MSG_LOGE("vorlane_log_manager_create() is failed(%d)", ret);
        g_manager = nullptr;
        return false;
    }
    return true;
}

void deinit() {
    if (!g_manager)
        return;
    vorlane_log_manager_destroy(g_manager);
    g_manager = nullptr;
}

void insert(const char* feature, const char* extra) {
    MSG_RET_IF(!feature, "feature is NULL");
    MSG_RET_IF(!init(), "init() is failed");

    bundle* data = bundle_create();
    MSG_RET_IF(!data, "bundle_create() is failed");
    bundle_add_str(data, "app_id", common_util::MAIN_APP_ID);
    bundle_add_str(data, "feature", feature);
    if (extra)
        bundle_add_str(data, "extra", extra);
    int ret = vorlane_log_manager_insert(g_manager, VORLANE_LOG_MANAGER_URI_USE_APP_FEATURE_SURVEY, data);
    if (ret != VORLANE_LOG_MANAGER_ERROR_NONE)
        MSG_LOGE("vorlane_log_manager_insert() is failed(%d)", ret);
    bundle_free(data);
}

} // namespace dazo_log
} // namespace msg_app
