/*
 * Small helpers of the backup-and-restore requests.
 */
#ifndef MSG_APP_COMMON_BNR_H
#define MSG_APP_COMMON_BNR_H

#include <json-glib/json-glib.h>

#include <cstdint>
#include <string>

namespace msg_app {
namespace bnr {

enum Command {
    COMMAND_NONE = 0,
    COMMAND_BACKUP = 1,
    COMMAND_RESTORE = 2,
    COMMAND_GET_BACKUP_INFO = 3,
};

// Milliseconds since the epoch.
int64_t get_current_device_time();
// The command of a launch request's operation; COMMAND_NONE for any other.
int get_command(const std::string& operation);
// Parses a request body. Returns the parser that owns *root (g_object_unref it when done with
// *root), or null with *root unchanged.
JsonParser* parse_json_buffer(const std::string& body, JsonNode** root);

} // namespace bnr
} // namespace msg_app

#endif
