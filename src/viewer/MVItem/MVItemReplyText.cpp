#include "viewer/MVItem/MVItemReplyText.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"

#include <cstring>

namespace msg_app {
namespace msg_viewer {

MVItemReplyText::MVItemReplyText() : MVItemFixed("message.reply_text") {}

Elm_Genlist_Item_Class* MVItemReplyText::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = MVItemFixed::getItemClassNew();
    if (itc) {
        itc->func.text_get = nullptr;
        itc->func.content_get = _contentGetCb;
    }
    return itc;
}

Evas_Object* MVItemReplyText::_contentGetCb(void* /*data*/, Evas_Object* obj, const char* part) {
    if (!part || strcmp(part, "elm.icon") != 0)
        return nullptr;
    Evas_Object* layout = elm_layout_add(obj);
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "bubble/reply_text");
    elm_object_domain_translatable_part_text_set(layout, "elm.text", common_ui_helper::TEXT_DOMAIN,
                                                 "WDS_MSG_OPT_REPLY_ABB");
    return layout;
}

} // namespace msg_viewer
} // namespace msg_app
