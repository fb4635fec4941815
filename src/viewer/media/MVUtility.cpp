#include "viewer/media/MVUtility.h"

#include "MVMimeTable.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"

#include <Ecore_File.h>
#include <glib.h>

#include <array>
#include <string>
#include <sys/stat.h>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr int MAIN_TYPES = MIME_ANY + 1;
constexpr int SUB_GROUPS = 3;
// Copies of one file sit in a folder named after its original path, so that equal names of
// different messages never meet.
constexpr gssize KEY_LENGTH = 16;

struct Range {
    size_t first = 0;
    size_t end = 0;
};
using Ranges = std::array<std::array<Range, SUB_GROUPS>, MAIN_TYPES>;

// 1 for "vnd.xxx", 2 for "x-xxx", 0 for anything else.
int subGroupOf(const std::string& subtype) {
    size_t dot = subtype.find('.');
    if (dot != std::string::npos && g_ascii_strcasecmp(subtype.substr(0, dot).c_str(), "vnd") == 0)
        return 1;
    size_t dash = subtype.find('-');
    if (dash != std::string::npos && g_ascii_strcasecmp(subtype.substr(0, dash).c_str(), "x") == 0)
        return 2;
    return 0;
}

// Main type and subtype form of a MIME string; false without a "/" or with an unknown main type.
bool groupOf(const std::string& mime, int& mainType, int& subGroup) {
    size_t slash = mime.find('/');
    if (slash == std::string::npos)
        return false;
    mainType = get_content_mime_type(mime.substr(0, slash).c_str());
    if (mainType < 0)
        return false;
    subGroup = subGroupOf(mime.substr(slash + 1));
    return true;
}

const Ranges& ranges() {
    static const Ranges table = [] {
        Ranges out{};
        size_t count = 0;
        const MVMimeRow* rows = mime_table(count);
        for (size_t i = 0; i < count; ++i) {
            int mainType = -1, subGroup = 0;
            if (!groupOf(rows[i].mime, mainType, subGroup)) {
                MSG_LOGE("mime table row [%s] has no group", rows[i].mime);
                continue;
            }
            Range& range = out[mainType][subGroup];
            if (range.first == range.end)
                range.first = i;
            range.end = i + 1;
        }
        return out;
    }();
    return table;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_size == sb.st_size &&
           sa.st_mtime <= sb.st_mtime;
}

} // namespace

int get_content_mime_type(const char* strType) {
    MSG_RETV_IF(!strType, -1, "!strType is nullptr");
    static const char* const names[] = {"application", "audio", "image", "message", "text", "video", "*"};
    for (int i = 0; i < MAIN_TYPES; ++i) {
        if (g_ascii_strcasecmp(strType, names[i]) == 0)
            return i;
    }
    return -1;
}

int get_table_index_from_mime_string(const char* mime) {
    MSG_RETV_IF(!mime || !*mime, -1, "mime is nullptr");
    int mainType = -1, subGroup = 0;
    if (!groupOf(mime, mainType, subGroup))
        return -1;
    size_t count = 0;
    const MVMimeRow* rows = mime_table(count);
    const Range& range = ranges()[mainType][subGroup];
    for (size_t i = range.first; i < range.end && i < count; ++i) {
        if (g_ascii_strcasecmp(rows[i].mime, mime) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int get_display_type(const msg_store::Content& content) {
    size_t count = 0;
    const MVMimeRow* rows = mime_table(count);
    int index = get_table_index_from_mime_string(content.mimeType.c_str());
    // An unknown type is not a row: it never reads before the table.
    if (index < 0 || static_cast<size_t>(index) >= count) {
        MSG_LOGE("invalid content table index [%d]", index);
        return -1;
    }
    return rows[index].displayType;
}

const std::string& get_temp_file_dir() {
    static const std::string dir = common_util::get_shared_trusted_dir().empty()
                                       ? ""
                                       : common_util::get_shared_trusted_dir() + "viewer_temp";
    return dir;
}

bool create_temp_file(const char* orgFilePath, std::string& out) {
    MSG_RETV_IF(!orgFilePath || !*orgFilePath, false, "orgFilePath is nullptr");
    MSG_RETV_IF(!ecore_file_exists(orgFilePath), false, "orgFilePath does not exist.");
    const std::string& tmpDir = get_temp_file_dir();
    if (tmpDir.empty()) {
        out = orgFilePath;
        return true;
    }
    gchar* key = g_compute_checksum_for_string(G_CHECKSUM_SHA1, orgFilePath, -1);
    std::string folder = tmpDir + "/" + std::string(key, KEY_LENGTH);
    g_free(key);
    MSG_RETV_IF(!ecore_file_is_dir(folder.c_str()) && !ecore_file_mkpath(folder.c_str()), false,
                "Failed to create tmpDir");
    std::string copy = folder + "/" + ecore_file_file_get(orgFilePath);
    // A copy older than its file, or of another size, is of an earlier file of that path.
    if (!sameFile(orgFilePath, copy) && !ecore_file_cp(orgFilePath, copy.c_str())) {
        MSG_LOGE("cannot copy to %s", copy.c_str());
        return false;
    }
    out = copy;
    return true;
}

void remove_temp_file_dir() {
    const std::string& tmpDir = get_temp_file_dir();
    if (tmpDir.empty() || !ecore_file_is_dir(tmpDir.c_str()))
        return;
    if (ecore_file_recursive_rm(tmpDir.c_str()))
        MSG_LOGI("viewer_temp folder is removed.");
    else
        MSG_LOGE("ecore_file_rmdir is failed.");
}

} // namespace msg_viewer
} // namespace msg_app
