#include "MsgMmsContents.h"

#include "log/PlatformLog.h"

#include <glib.h>
#include <sys/stat.h>

namespace msg_service {

namespace {

using msg_store::Content;

// The layout a stored MMS is shown with when read back.
constexpr int kRootWidth = 480;
constexpr int kRootHeight = 800;

Content::MediaType mediaTypeOf(int smilType) {
    switch (smilType) {
    case MMS_SMIL_MEDIA_IMG:
        return Content::MEDIA_TYPE_IMAGE;
    case MMS_SMIL_MEDIA_AUDIO:
        return Content::MEDIA_TYPE_AUDIO;
    case MMS_SMIL_MEDIA_VIDEO:
        return Content::MEDIA_TYPE_VIDEO;
    case MMS_SMIL_MEDIA_TEXT:
        return Content::MEDIA_TYPE_TEXT;
    default:
        return Content::MEDIA_TYPE_NONE;
    }
}

int smilTypeOf(Content::MediaType type) {
    switch (type) {
    case Content::MEDIA_TYPE_IMAGE:
        return MMS_SMIL_MEDIA_IMG;
    case Content::MEDIA_TYPE_AUDIO:
        return MMS_SMIL_MEDIA_AUDIO;
    case Content::MEDIA_TYPE_VIDEO:
        return MMS_SMIL_MEDIA_VIDEO;
    case Content::MEDIA_TYPE_TEXT:
        return MMS_SMIL_MEDIA_TEXT;
    default:
        return MMS_SMIL_MEDIA_INVALID;
    }
}

// A file part: it must exist and be a regular file.
int filePart(const std::string& path, const std::string& mime, Content::MediaType media, bool attachment,
             Content& content, long long* size) {
    struct stat info {};
    PLAT_RETV_IF(path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode),
                 MSG_ERR_INVALID_PARAMETER, "no file '%s'", path.c_str());
    gchar* base = g_path_get_basename(path.c_str());
    content.fileName = base;
    g_free(base);
    content.filePath = path;
    content.mimeType = mime.empty() ? "application/octet-stream" : mime;
    content.mediaType = media;
    content.isAttachment = attachment;
    content.transferStatus = Content::TRANSFER_DOWNLOADED;
    *size += info.st_size;
    return MSG_SUCCESS;
}

int textPart(const msg_struct& media, Content& content, long long* size) {
    std::string text = strOf(media, MSG_MMS_MEDIA_TEXT_STR);
    std::string path = strOf(media, MSG_MMS_MEDIA_FILEPATH_STR);
    if (!path.empty()) {
        gchar* data = nullptr;
        gsize length = 0;
        PLAT_RETV_IF(!g_file_get_contents(path.c_str(), &data, &length, nullptr), MSG_ERR_INVALID_PARAMETER,
                     "cannot read '%s'", path.c_str());
        text.assign(data, length);
        g_free(data);
    }
    PLAT_RETV_IF(!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr),
                 MSG_ERR_INVALID_PARAMETER, "text part is not UTF-8");
    content.mediaType = Content::MEDIA_TYPE_TEXT;
    content.mimeType = "text/plain";
    content.text = text;
    *size += static_cast<long long>(text.size());
    return MSG_SUCCESS;
}

} // namespace

int mmsToContents(const msg_struct& mms, std::vector<Content>& contents, long long* size) {
    *size = 0;
    for (const auto& page : listOf(mms, MSG_MMS_PAGE_LIST_HND)->items) {
        for (const auto& media : listOf(*page, MSG_MMS_PAGE_MEDIA_LIST_HND)->items) {
            int type = intOf(*media, MSG_MMS_MEDIA_TYPE_INT);
            Content content;
            int result = MSG_ERR_INVALID_PARAMETER;
            if (type == MMS_SMIL_MEDIA_TEXT)
                result = textPart(*media, content, size);
            else if (mediaTypeOf(type) != Content::MEDIA_TYPE_NONE)
                result = filePart(strOf(*media, MSG_MMS_MEDIA_FILEPATH_STR),
                                  strOf(*media, MSG_MMS_MEDIA_CONTENT_TYPE_STR), mediaTypeOf(type), false,
                                  content, size);
            PLAT_RETV_IF(result != MSG_SUCCESS, result, "media of type %d refused", type);
            contents.push_back(content);
        }
    }
    for (const auto& attach : listOf(mms, MSG_MMS_ATTACH_LIST_HND)->items) {
        Content content;
        int result = filePart(strOf(*attach, MSG_MMS_ATTACH_FILEPATH_STR),
                              strOf(*attach, MSG_MMS_ATTACH_CONTENT_TYPE_STR), Content::MEDIA_TYPE_NONE, true,
                              content, size);
        if (result != MSG_SUCCESS)
            return result;
        contents.push_back(content);
    }
    return MSG_SUCCESS;
}

void contentsToMms(const std::vector<Content>& contents, msg_struct& mms) {
    mms.ints[MSG_MMS_ROOTLAYOUT_WIDTH_INT] = kRootWidth;
    mms.ints[MSG_MMS_ROOTLAYOUT_HEIGHT_INT] = kRootHeight;
    msg_struct* page = nullptr;
    for (const Content& content : contents) {
        int smil = smilTypeOf(content.mediaType);
        if (content.isAttachment || smil == MMS_SMIL_MEDIA_INVALID) {
            msg_struct* attach = appendItem(mms, MSG_MMS_ATTACH_LIST_HND);
            attach->strs[MSG_MMS_ATTACH_FILEPATH_STR] = content.filePath;
            attach->strs[MSG_MMS_ATTACH_CONTENT_TYPE_STR] = content.mimeType;
            continue;
        }
        if (!page)
            page = appendItem(mms, MSG_MMS_PAGE_LIST_HND);
        msg_struct* media = appendItem(*page, MSG_MMS_PAGE_MEDIA_LIST_HND);
        media->ints[MSG_MMS_MEDIA_TYPE_INT] = smil;
        media->strs[MSG_MMS_MEDIA_FILEPATH_STR] = content.filePath;
        media->strs[MSG_MMS_MEDIA_CONTENT_TYPE_STR] = content.mimeType;
        media->strs[MSG_MMS_MEDIA_TEXT_STR] = content.text;
        media->strs[MSG_MMS_MEDIA_REGION_ID_STR] = smil == MMS_SMIL_MEDIA_TEXT ? "Text" : "Image";
    }
}

} // namespace msg_service
