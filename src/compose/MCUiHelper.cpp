#include "compose/MCUiHelper.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "qel.h"

#include <string>

namespace msg_app {
namespace compose {

namespace {

constexpr double APP_BASE_SCALE = 1.0;
const char* const GUIDE_PART = "elm.guide";

int scaled(int size) {
    return static_cast<int>(size * elm_config_scale_get() / APP_BASE_SCALE + 0.5);
}

} // namespace

Evas_Object* MCUiHelper::createLayout(Evas_Object* parent) {
    MSG_RETV_IF(!parent, nullptr, "parent is nullptr");
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    if (!elm_layout_theme_set(layout, "layout", "application", "default"))
        MSG_LOGE("application layout cannot be loaded");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_show(layout);
    return layout;
}

Evas_Object* MCUiHelper::createCustomLayout(Evas_Object* parent, const char* group) {
    MSG_RETV_IF(!parent, nullptr, "parent is nullptr");
    MSG_RETV_IF(!group, nullptr, "group is nullptr");
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    if (!elm_layout_file_set(layout, common_util::get_message_edj().c_str(), group))
        MSG_LOGE("layout group %s cannot be loaded", group);
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_show(layout);
    return layout;
}

Evas_Object* MCUiHelper::createImageButton(Evas_Object* parent, const char* style, const char* image,
                                           int width, int height) {
    MSG_RETV_IF(!parent, nullptr, "parent is nullptr");
    MSG_RETV_IF(!image, nullptr, "image is nullptr");
    Evas_Object* button = elm_button_add(parent);
    MSG_RETV_IF(!button, nullptr, "button is nullptr");
    if (style)
        elm_object_style_set(button, style);
    Evas_Object* icon = elm_image_add(button);
    if (!elm_image_file_set(icon, common_util::get_image_edj().c_str(), image))
        MSG_LOGE("image group %s cannot be loaded", image);
    elm_object_part_content_set(button, "elm.swallow.content", icon);
    evas_object_size_hint_min_set(button, scaled(width), scaled(height));
    evas_object_size_hint_max_set(button, scaled(width), scaled(height));
    evas_object_show(button);
    return button;
}

Evas_Object* MCUiHelper::createEntry(Evas_Object* parent) {
    MSG_RETV_IF(!parent, nullptr, "parent is nullptr");
    Evas_Object* entry = elm_entry_add(parent);
    MSG_RETV_IF(!entry, nullptr, "entry is nullptr");
    elm_entry_context_menu_disabled_set(entry, EINA_TRUE);
    evas_object_show(entry);
    return entry;
}

bool MCUiHelper::setGuideTextStyle(Evas_Object* obj, const char* normalFontCode, const char* guideFontCode,
                                   const char* guideText) {
    MSG_RETV_IF(!obj, false, "obj is nullptr");
    MSG_RETV_IF(!normalFontCode, false, "normal_font_code is nullptr");
    MSG_RETV_IF(!guideFontCode, false, "guide_font_code is nullptr");
    MSG_RETV_IF(!guideText, false, "guide_text is nullptr");

    // The guide is shown as markup, so its text is escaped to stay plain.
    char* escaped = elm_entry_utf8_to_markup(guideText);
    std::string text = escaped ? escaped : "";
    free(escaped);

    const char* style = nullptr;
    int size = 0;
    int r = 0, g = 0, b = 0, a = 0;
    if (!qel_theme_get_font(guideFontCode, &style, &size)) {
        MSG_LOGW("no font for %s", guideFontCode);
        elm_object_part_text_set(obj, GUIDE_PART, text.c_str());
        return true;
    }
    if (!qel_theme_get_color(guideFontCode, &r, &g, &b, &a))
        MSG_LOGW("no colour for %s", guideFontCode);
    // Sized to the text: a long translated guide must not be cut off mid-tag.
    const char* format = "<font_size=%d color=#%02x%02x%02x%02x>%s</font>";
    int length =
        std::snprintf(nullptr, 0, format, size, r & 0xff, g & 0xff, b & 0xff, a & 0xff, text.c_str());
    std::string styled(length > 0 ? length : 0, '\0');
    std::snprintf(&styled[0], styled.size() + 1, format, size, r & 0xff, g & 0xff, b & 0xff, a & 0xff,
                  text.c_str());
    elm_object_part_text_set(obj, GUIDE_PART, styled.c_str());
    return true;
}

} // namespace compose
} // namespace msg_app
