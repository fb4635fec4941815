#include "viewer/media/MVAttachmentViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "viewer/media/MVContentTap.h"
#include "viewer/media/MVUtility.h"

#include <Elementary.h>

namespace msg_app {
namespace msg_viewer {

MVAttachmentViewController::MVAttachmentViewController(int index, const msg_store::Content& content)
    : _index(index), _displayType(get_display_type(content)),
      _fileName(content.fileName.empty() ? content.filePath : content.fileName), _filePath(content.filePath) {
    setName("MVAttachmentViewController");
}

const char* MVAttachmentViewController::iconOf(int displayType) {
    switch (displayType) {
    case DISPLAY_VCALENDAR:
        return "img/attachment/vcs";
    case DISPLAY_TASK:
        return "img/attachment/task";
    case DISPLAY_VCARD:
        return "img/attachment/vcf";
    default:
        MSG_LOGI("display type [%d]", displayType);
        return "img/attachment/etc";
    }
}

Evas_Object* MVAttachmentViewController::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "bubble/content/attach/receive");
    // A text part shows the name as it is, never as markup.
    edje_object_part_text_set(elm_layout_edje_get(layout), "elm.text.filename",
                              common_ui_helper::to_layout_safe(_fileName).c_str());
    Evas_Object* icon = elm_image_add(layout);
    if (!elm_image_file_set(icon, common_util::get_image_edj().c_str(), iconOf(_displayType)))
        MSG_LOGE("image group cannot be loaded");
    elm_object_part_content_set(layout, "icon", icon);
    MVContentTap::attach(layout, [this](MVContentTap::Kind kind) {
        if (kind == MVContentTap::PRESS)
            _signal.emit(PRESSED, this);
        else if (kind == MVContentTap::TAP)
            _signal.emit(CLICKED, this);
    });
    return layout;
}

unsigned int
MVAttachmentViewController::addEventListener(std::function<void(Event, MVAttachmentViewController*)> listener,
                                             Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

} // namespace msg_viewer
} // namespace msg_app
