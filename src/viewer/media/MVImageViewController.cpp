#include "viewer/media/MVImageViewController.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "viewer/media/MVContentTap.h"
#include "viewer/media/MVUtility.h"

#include <Elementary.h>

namespace msg_app {
namespace msg_viewer {

namespace {

int scaled(int size) {
    double base = elm_app_base_scale_get();
    return static_cast<int>(size * elm_config_scale_get() / (base > 0 ? base : 1.0) + 0.5);
}

} // namespace

MVImageViewController::MVImageViewController(int width, int height, int index,
                                             const msg_store::Content& content)
    : _width(width), _height(height), _index(index), _mediaType(content.mediaType),
      _displayType(get_display_type(content)), _fileName(content.fileName), _filePath(content.filePath),
      _thumbnailPath(content.thumbnailPath) {
    setName("MVImageViewController");
}

bool MVImageViewController::isVideo() const {
    return _displayType == DISPLAY_VIDEO || _mediaType == msg_store::Content::MEDIA_TYPE_VIDEO;
}

Evas_Object* MVImageViewController::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "bubble/content/image");
    Evas_Object* image = elm_image_add(layout);
    elm_image_aspect_fixed_set(image, EINA_TRUE);
    elm_image_fill_outside_set(image, EINA_FALSE);
    // Decoded at the bubble's width: a photo of the camera never sits in memory at full size.
    elm_image_prescale_set(image, scaled(_width));

    bool picture =
        !isVideo() && (_mediaType == msg_store::Content::MEDIA_TYPE_IMAGE || _displayType == DISPLAY_IMAGE);
    const char* holder = isVideo() ? "img/holder/video" : "img/holder/image";
    if (picture)
        _shownFile = !_thumbnailPath.empty() ? _thumbnailPath : _filePath;
    else if (isVideo())
        _shownFile = _thumbnailPath;
    if (_shownFile.empty() || !elm_image_file_set(image, _shownFile.c_str(), nullptr)) {
        _shownFile.clear();
        elm_image_file_set(image, common_util::get_image_edj().c_str(), holder);
    }
    _playMark = isVideo() && !_shownFile.empty();
    if (_playMark)
        elm_layout_signal_emit(layout, "elm,state,icon,show", "");
    evas_object_size_hint_min_set(image, scaled(_width), scaled(_height));
    elm_object_part_content_set(layout, "bubble.swallow.image", image);
    // Press, release and tap are this controller's events 0, 1 and 2.
    MVContentTap::attach(layout,
                         [this](MVContentTap::Kind kind) { _signal.emit(static_cast<Event>(kind), this); });
    return layout;
}

unsigned int
MVImageViewController::addEventListener(std::function<void(Event, MVImageViewController*)> listener,
                                        Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

} // namespace msg_viewer
} // namespace msg_app
