#include "common/Bnr.h"

#include "app_control.h"
#include "common/MsgLog.h"

#include <sys/time.h>

namespace msg_app {
namespace bnr {

namespace {

constexpr const char* kOperationBackup = APP_CONTROL_URI_BASE "operation/vorlane_cloud/backup";
constexpr const char* kOperationRestore = APP_CONTROL_URI_BASE "operation/vorlane_cloud/restore";
constexpr const char* kOperationGetBackupInfo =
    APP_CONTROL_URI_BASE "operation/vorlane_cloud/get_backup_info";

} // namespace

int64_t get_current_device_time() {
    struct timeval tv {};
    gettimeofday(&tv, nullptr);
    return static_cast<int64_t>(tv.tv_sec) * 1000 + tv.tv_usec / 1000;
}

int get_command(const std::string& operation) {
    MSG_RETV_IF(operation.empty(), COMMAND_NONE, "operation is empty!");
    if (operation == kOperationBackup)
        return COMMAND_BACKUP;
    if (operation == kOperationRestore)
        return COMMAND_RESTORE;
    if (operation == kOperationGetBackupInfo)
        return COMMAND_GET_BACKUP_INFO;
    return COMMAND_NONE;
}

JsonParser* parse_json_buffer(const std::string& body, JsonNode** root) {
    MSG_RETV_IF(body.empty() || !root, nullptr, "Invalid input parameter");

    JsonParser* parser = json_parser_new();
    GError* error = nullptr;
    if (!json_parser_load_from_data(parser, body.data(), static_cast<gssize>(body.size()), &error)) {
        MSG_LOGE("json_parser_load_from_data() failed:(%d: %s)", error ? error->code : -1,
                 error ? error->message : "");
        g_clear_error(&error);
        g_object_unref(parser);
        return nullptr;
    }
    JsonNode* node = json_parser_get_root(parser);
    if (!node) {
        MSG_LOGE("root is NULL");
        g_object_unref(parser);
        return nullptr;
    }
    *root = node;
    return parser;
}

} // namespace bnr
} // namespace msg_app
