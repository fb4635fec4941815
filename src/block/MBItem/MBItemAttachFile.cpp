#include "block/MBItem/MBItemAttachFile.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"

#include <glib.h>

#include <cstring>

namespace msg_app {
namespace msg_block {

MBItemAttachFile::MBItemAttachFile(msg_store::Content::MediaType mediaType, const std::string& mimeType,
                                   const std::string& fileName)
    : MBItem("filtered_list/detailview/attachment"), _mediaType(mediaType), _mimeType(mimeType),
      _fileName(fileName) {}

const char* MBItemAttachFile::getIconGroup(msg_store::Content::MediaType mediaType,
                                           const std::string& mimeType) {
    if (mediaType == msg_store::Content::MEDIA_TYPE_AUDIO)
        return "img/filtered/attachment/audio";
    static const struct {
        const char* prefix;
        const char* group;
    } byMime[] = {
        {"text/x-vCard", "img/filtered/attachment/vcf"},
        {"text/x-vCalendar", "img/filtered/attachment/vcs"},
        {"text/x-vtodo", "img/filtered/attachment/task"},
    };
    for (const auto& entry : byMime) {
        if (g_ascii_strncasecmp(mimeType.c_str(), entry.prefix, std::strlen(entry.prefix)) == 0)
            return entry.group;
    }
    return "img/filtered/attachment/etc";
}

std::string MBItemAttachFile::getText(const char* part) const {
    if (!part || std::strcmp(part, "elm.text"))
        return std::string();
    return toMarkup(_fileName);
}

Evas_Object* MBItemAttachFile::getContent(Evas_Object* parent, const char* part) {
    if (!part || std::strcmp(part, "elm.icon"))
        return nullptr;
    Evas_Object* icon = elm_image_add(parent);
    MSG_RETV_IF(!icon, nullptr, "icon is nullptr");
    elm_image_file_set(icon, common_util::get_image_edj().c_str(), getIconGroup(_mediaType, _mimeType));
    evas_object_show(icon);
    return icon;
}

} // namespace msg_block
} // namespace msg_app
