#include "common/CommonUtilResource.h"

#include "app_common.h"
#include "common/MsgLog.h"
#include "qel.h"

#include <cstdio>
#include <cstdlib>

namespace msg_app {
namespace common_util {

namespace {

std::string takePath(char* path) {
    std::string result = path ? path : "";
    std::free(path);
    return result;
}

const std::string& resourceDir() {
    static const std::string dir = takePath(app_get_resource_path());
    return dir;
}

} // namespace

const std::string& get_shared_trusted_dir() {
    static const std::string dir = takePath(app_get_shared_trusted_path());
    return dir;
}

const std::string& get_locale_dir() {
    static const std::string dir = resourceDir() + "locale";
    return dir;
}

const std::string& get_images_dir() {
    static const std::string dir = resourceDir() + "images";
    return dir;
}

const std::string& get_message_edj() {
    static const std::string path = resourceDir() + "edje/" + "message.edj";
    return path;
}

const std::string& get_image_edj() {
    static const std::string path = resourceDir() + "edje/" + "images.edj";
    return path;
}

void create_cutlink_prefix_tag(std::string& out, const char* fontStyle, const char* pressedFontStyle) {
    MSG_RET_IF(!fontStyle || !pressedFontStyle, "font style is null");
    int r = 0, g = 0, b = 0, a = 0;
    int pr = 0, pg = 0, pb = 0, pa = 0;
    if (!qel_theme_get_color(fontStyle, &r, &g, &b, &a))
        MSG_LOGW("no colour for %s", fontStyle);
    if (!qel_theme_get_color(pressedFontStyle, &pr, &pg, &pb, &pa))
        MSG_LOGW("no colour for %s", pressedFontStyle);

    char tag[160];
    std::snprintf(tag, sizeof(tag),
                  "<pressed_color=#%02x%02x%02x%02x><color=#%02x%02x%02x%02x underline=on "
                  "underline_color=#%02x%02x%02x%02x>",
                  pr & 0xff, pg & 0xff, pb & 0xff, pa & 0xff, r & 0xff, g & 0xff, b & 0xff, a & 0xff,
                  r & 0xff, g & 0xff, b & 0xff, a & 0xff);
    out += tag;
}

} // namespace common_util
} // namespace msg_app
