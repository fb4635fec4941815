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
constexpr const char* SIM_ICON_COLOR = "AO0112";
const char* const SIM_ICONS[] = {"img/sim1", "img/sim2", "img/sim3"};

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
    return sim_index_icon_group(folderType, simIndex) != nullptr;
}

const char* sim_index_icon_group(msg_store::FolderType folderType, int simIndex) {
    bool folderHasSim = folderType >= msg_store::FOLDER_INBOX && folderType <= msg_store::FOLDER_SENT;
    bool known = simIndex >= 0 && simIndex < static_cast<int>(std::size(SIM_ICONS));
    return folderHasSim && known ? SIM_ICONS[simIndex] : nullptr;
}

Evas_Object* create_sim_index_icon(Evas_Object* parent, msg_store::FolderType folderType, int simIndex) {
    MSG_RETV_IF(!parent, nullptr, "parent object is nullptr");
    const char* group = sim_index_icon_group(folderType, simIndex);
    if (!group)
        return nullptr;
    Evas_Object* icon = createIcon(parent, group);
    style_sim_index_icon(icon);
    return icon;
}

void style_sim_index_icon(Evas_Object* icon) {
    MSG_RET_IF(!icon, "icon is nullptr");
    evas_object_size_hint_min_set(icon, scaled(ICON_WIDTH), scaled(ICON_HEIGHT));
    int r = 255, g = 255, b = 255, a = 255;
    if (qel_theme_get_color(SIM_ICON_COLOR, &r, &g, &b, &a))
        evas_object_color_set(icon, r * a / 255, g * a / 255, b * a / 255, a);
    else
        MSG_LOGW("no colour for %s", SIM_ICON_COLOR);
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
