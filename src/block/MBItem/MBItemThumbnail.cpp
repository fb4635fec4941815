#include "block/MBItem/MBItemThumbnail.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"

#include <cstring>

namespace msg_app {
namespace msg_block {

MBItemThumbnail::MBItemThumbnail(ThumbType thumbType, const std::string& thumbnailPath,
                                 const std::string& filePath)
    : MBItem("filtered_list/detailview/thumbnail"), _thumbType(thumbType), _thumbnailPath(thumbnailPath),
      _filePath(filePath) {}

bool MBItemThumbnail::fitSize(int imageW, int imageH, int& outW, int& outH) {
    if (imageW <= 0)
        return false;
    outW = THUMBNAIL_W;
    long long height = static_cast<long long>(THUMBNAIL_W) * imageH / imageW;
    // A very tall picture is shown smaller inside a row of the tallest height.
    outH = static_cast<int>(height > THUMBNAIL_MAX_H ? THUMBNAIL_MAX_H : height);
    return true;
}

Evas_Object* MBItemThumbnail::getContent(Evas_Object* parent, const char* part) {
    if (!part)
        return nullptr;
    if (!std::strcmp(part, "elm.icon"))
        return _createImage(parent);
    if (_thumbType != VIDEO)
        return nullptr;
    if (!std::strcmp(part, "elm.icon.bg.play"))
        return _createPlayMark(parent, "img/filtered/detailview/play");
    if (!std::strcmp(part, "elm.icon.bg.play.ef"))
        return _createPlayMark(parent, "img/filtered/detailview/play_ef");
    return nullptr;
}

Evas_Object* MBItemThumbnail::_createImage(Evas_Object* parent) {
    const std::string& path = _thumbType == VIDEO ? _thumbnailPath : _filePath;
    Evas_Object* image = elm_image_add(parent);
    MSG_RETV_IF(!image, nullptr, "image is nullptr");
    if (!elm_image_file_set(image, path.c_str(), nullptr))
        MSG_LOGE("cannot load the picture of the message");
    elm_image_aspect_fixed_set(image, EINA_TRUE);
    int w = 0;
    int h = 0;
    elm_image_object_size_get(image, &w, &h);
    int rowW = 0;
    int rowH = 0;
    if (fitSize(w, h, rowW, rowH)) {
        evas_object_size_hint_min_set(image, scaled(rowW), scaled(rowH));
        evas_object_size_hint_max_set(image, scaled(rowW), scaled(rowH));
    } else {
        MSG_LOGW("picture without a width (%dx%d): its own size is kept", w, h);
    }
    evas_object_show(image);
    return image;
}

Evas_Object* MBItemThumbnail::_createPlayMark(Evas_Object* parent, const char* group) {
    Evas_Object* mark = elm_image_add(parent);
    MSG_RETV_IF(!mark, nullptr, "image is nullptr");
    elm_image_file_set(mark, common_util::get_image_edj().c_str(), group);
    evas_object_show(mark);
    return mark;
}

} // namespace msg_block
} // namespace msg_app
