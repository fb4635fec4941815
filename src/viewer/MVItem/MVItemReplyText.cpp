#include "viewer/MVItem/MVItemReplyText.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "viewer/media/MVContentTap.h"

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

void MVItemReplyText::setViewType(ViewType viewType) {
    _isEnabled = viewType == VIEW_TYPE_NORMAL;
}

unsigned int MVItemReplyText::addEventListener(std::function<void()> listener, Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

Evas_Object* MVItemReplyText::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || strcmp(part, "elm.icon") != 0)
        return nullptr;
    Evas_Object* layout = elm_layout_add(obj);
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "bubble/reply_text");
    elm_object_domain_translatable_part_text_set(layout, "elm.text", common_ui_helper::TEXT_DOMAIN,
                                                 "WDS_MSG_OPT_REPLY_ABB");
    // The caption names the button: a finger that lands on it means the button.
    auto* self = static_cast<MVItemReplyText*>(data);
    MVContentTap::attach(layout, [self](MVContentTap::Kind kind) {
        if (kind == MVContentTap::TAP && self->_isEnabled)
            self->_signal.emit();
    });
    return layout;
}

} // namespace msg_viewer
} // namespace msg_app
