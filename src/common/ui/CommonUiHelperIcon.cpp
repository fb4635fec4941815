#include "common/ui/CommonUiHelperIcon.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "qel.h"

#include <string>

namespace msg_app {
namespace common_ui_helper {

namespace {

constexpr int ICON_WIDTH = 29;
constexpr int ICON_HEIGHT = 32;
constexpr double APP_BASE_SCALE = 1.0;
// The SIMs the themes draw a mark for.
constexpr int SIM_COUNT = 3;

struct SafeBadge {
    const char* salesCode;
    const char* group;
};
const SafeBadge SAFE_BADGES[] = {
    {"SKC", "img/status/safe_skt"},
    {"SKO", "img/status/safe_skt"},
    {"KTC", "img/status/safe_kt"},
    {"KTO", "img/status/safe_kt"},
};

int scaled(int size) {
    return static_cast<int>(size * elm_config_scale_get() / APP_BASE_SCALE + 0.5);
}

Evas_Object* createIcon(Evas_Object* parent, const char* group) {
    Evas_Object* icon = elm_image_add(parent);
    if (!elm_image_file_set(icon, common_util::get_image_edj().c_str(), group))
        MSG_LOGE("image group %s cannot be loaded", group);
    evas_object_size_hint_min_set(icon, scaled(ICON_WIDTH), scaled(ICON_HEIGHT));
    return icon;
}

} // namespace

bool has_sim_index_icon(msg_store::FolderType folderType, int simIndex) {
    bool folderHasSim = folderType >= msg_store::FOLDER_INBOX && folderType <= msg_store::FOLDER_SENT;
    return folderHasSim && simIndex >= 0 && simIndex < SIM_COUNT;
}

Evas_Object* create_safe_icon(Evas_Object* parent) {
    MSG_RETV_IF(!parent, nullptr, "parent object is nullptr");
    std::string salesCode;
    common_util::get_sales_code(salesCode);
    MSG_RETV_IF(salesCode.empty(), nullptr, "opCode is nullptr");
    for (const SafeBadge& badge : SAFE_BADGES) {
        if (salesCode == badge.salesCode)
            return createIcon(parent, badge.group);
    }
    MSG_LOGD("it is not supported salescode");
    return nullptr;
}

void playFeedback(feedback_pattern_e pattern, feedback_type_e type) {
    int ret = type != FEEDBACK_TYPE_NONE ? feedback_play_type(type, pattern) : feedback_play(pattern);
    if (ret != FEEDBACK_ERROR_NONE)
        MSG_LOGE("feedback_play is failed. : %d", ret);
}

} // namespace common_ui_helper
} // namespace msg_app
