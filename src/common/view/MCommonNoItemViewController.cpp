// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/view/MCommonNoItemViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "qel.h"

namespace msg_app {

namespace {

// The image is dimmed to this alpha.
constexpr int IMAGE_ALPHA = 179;

struct NoItemContent {
    const char* title;
    const char* text;
    const char* image;
};

const NoItemContent CONTENTS[] = {
    {"WDS_MSG_HEADER_MESSAGES_ABB", "WDS_MSG_NPBODY_NO_MESSAGES_ABB", "img/no_messages"},
    {"WDS_MSG_MBODY_BLOCKED_MESSAGES", "WDS_MSG_NPBODY_NO_BLOCKED_MESSAGES_ABB", "img/no_spam_messages"},
    {"WDS_MSG_MBODY_BLOCKED_NUMBERS", "WDS_MSG_NPBODY_NO_BLOCKED_NUMBERS_ABB", "img/no_spam_messages"},
};

const NoItemContent& contentOf(MCommonNoItemViewController::Type type) {
    int index = static_cast<int>(type);
    if (index < 0 || index > static_cast<int>(MCommonNoItemViewController::BLOCKED_NUMBERS))
        index = 0;
    return CONTENTS[index];
}

// Colours are premultiplied: lowering the alpha scales the channels to keep the colour.
void setAlpha(Evas_Object* obj, int alpha) {
    int r = 0, g = 0, b = 0, a = 0;
    evas_object_color_get(obj, &r, &g, &b, &a);
    if (a <= 0)
        return;
    evas_object_color_set(obj, r * alpha / a, g * alpha / a, b * alpha / a, alpha);
}

} // namespace

MCommonNoItemViewController::MCommonNoItemViewController(Type type) : _type(type) {
    setName("MCommonNoItemViewController");
}

MCommonNoItemViewController::~MCommonNoItemViewController() = default;

Evas_Object* MCommonNoItemViewController::onCreateView(Evas_Object* parent, void*) {
    MSG_RETV_IF(!parent, nullptr, "parent is null");
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is null");
    elm_layout_theme_set(layout, "layout", "nocontents", "default");
    elm_layout_edje_object_can_access_set(layout, EINA_TRUE);
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(layout, EVAS_HINT_FILL, EVAS_HINT_FILL);
    if (_type == MESSAGES)
        qel_theme_object_replace_color(layout, "T012", "AT017");

    const NoItemContent& content = contentOf(_type);
    elm_object_domain_translatable_part_text_set(layout, "elm.text.title", common_ui_helper::TEXT_DOMAIN,
                                                 content.title);
    elm_object_domain_translatable_part_text_set(layout, "elm.text", common_ui_helper::TEXT_DOMAIN,
                                                 content.text);
    Evas_Object* image = elm_image_add(layout);
    if (image) {
        elm_image_file_set(image, common_util::get_image_edj().c_str(), content.image);
        setAlpha(image, IMAGE_ALPHA);
        elm_object_part_content_set(layout, "elm.swallow.icon", image);
    }

    auto* textObj =
        const_cast<Evas_Object*>(edje_object_part_object_get(elm_layout_edje_get(layout), "elm.text"));
    Evas_Object* textAccess = textObj ? elm_access_object_register(textObj, layout) : nullptr;
    if (textAccess) {
        efl_access_object_translation_domain_set(textAccess, common_ui_helper::TEXT_DOMAIN);
        efl_access_object_i18n_name_set(textAccess, content.text);
        efl_access_object_reading_info_type_set(textAccess, EFL_ACCESS_READING_INFO_TYPE_NAME);
    }
    evas_object_show(layout);
    return layout;
}

void MCommonNoItemViewController::setAccessOrder(Evas_Object* next) {
    if (!common_util::is_screen_reader_enabled())
        return;
    MSG_RET_IF(!getEvasObject(), "layout is null");
    Evas_Object* textAccess = common_ui_helper::get_access_layout_part_ao(getEvasObject(), "elm.text");
    MSG_RET_IF(!textAccess, "text access object is null");
    common_ui_helper::set_access_previous_next(textAccess, next);
}

} // namespace msg_app
