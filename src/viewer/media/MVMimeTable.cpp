#include "MVMimeTable.h"

#include "viewer/media/MVUtility.h"

namespace msg_app {
namespace msg_viewer {

namespace {

const MVMimeRow ROWS[] = {
    // application, plain subtypes
    {"application/ogg", DISPLAY_AUDIO},
    {"application/pdf", DISPLAY_OTHER},
    {"application/msword", DISPLAY_OTHER},
    {"application/rtf", DISPLAY_OTHER},
    {"application/zip", DISPLAY_OTHER},
    {"application/smil", DISPLAY_OTHER},
    {"application/xml", DISPLAY_OTHER},
    {"application/json", DISPLAY_OTHER},
    {"application/octet-stream", DISPLAY_OTHER},
    {"application/sdp", DISPLAY_OTHER},
    {"application/java-archive", DISPLAY_OTHER},
    // application, "vnd." subtypes
    {"application/vnd.ms-excel", DISPLAY_OTHER},
    {"application/vnd.ms-powerpoint", DISPLAY_OTHER},
    {"application/vnd.openxmlformats-officedocument.wordprocessingml.document", DISPLAY_OTHER},
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet", DISPLAY_OTHER},
    {"application/vnd.openxmlformats-officedocument.presentationml.presentation", DISPLAY_OTHER},
    {"application/vnd.oma.drm.message", DISPLAY_OTHER},
    {"application/vnd.oma.drm.content", DISPLAY_OTHER},
    {"application/vnd.wap.mms-message", DISPLAY_OTHER},
    {"application/vnd.smaf", DISPLAY_AUDIO},
    {"application/vnd.rn-realmedia", DISPLAY_VIDEO},
    // application, "x-" subtypes
    {"application/x-msword", DISPLAY_OTHER},
    {"application/x-hwp", DISPLAY_OTHER},
    {"application/x-shockwave-flash", DISPLAY_VIDEO},
    {"application/x-smaf", DISPLAY_AUDIO},
    {"application/x-tar", DISPLAY_OTHER},
    {"application/x-gzip", DISPLAY_OTHER},
    // audio, plain subtypes
    {"audio/aac", DISPLAY_AUDIO},
    {"audio/amr", DISPLAY_AUDIO},
    {"audio/amr-wb", DISPLAY_AUDIO},
    {"audio/imelody", DISPLAY_AUDIO},
    {"audio/mid", DISPLAY_AUDIO},
    {"audio/midi", DISPLAY_AUDIO},
    {"audio/mp3", DISPLAY_AUDIO},
    {"audio/mp4", DISPLAY_AUDIO},
    {"audio/mpeg", DISPLAY_AUDIO},
    {"audio/mpeg3", DISPLAY_AUDIO},
    {"audio/ogg", DISPLAY_AUDIO},
    {"audio/wav", DISPLAY_AUDIO},
    {"audio/3gpp", DISPLAY_AUDIO},
    {"audio/flac", DISPLAY_AUDIO},
    {"audio/sp-midi", DISPLAY_AUDIO},
    // audio, "vnd." subtypes
    {"audio/vnd.qcelp", DISPLAY_AUDIO},
    {"audio/vnd.rn-realaudio", DISPLAY_AUDIO},
    // audio, "x-" subtypes
    {"audio/x-aac", DISPLAY_AUDIO},
    {"audio/x-amr", DISPLAY_AUDIO},
    {"audio/x-flac", DISPLAY_AUDIO},
    {"audio/x-imelody", DISPLAY_AUDIO},
    {"audio/x-m4a", DISPLAY_AUDIO},
    {"audio/x-mid", DISPLAY_AUDIO},
    {"audio/x-midi", DISPLAY_AUDIO},
    {"audio/x-mp3", DISPLAY_AUDIO},
    {"audio/x-mpeg", DISPLAY_AUDIO},
    {"audio/x-ms-wma", DISPLAY_AUDIO},
    {"audio/x-wav", DISPLAY_AUDIO},
    // image, plain subtypes
    {"image/bmp", DISPLAY_IMAGE},
    {"image/gif", DISPLAY_IMAGE},
    {"image/jpeg", DISPLAY_IMAGE},
    {"image/jpg", DISPLAY_IMAGE},
    {"image/png", DISPLAY_IMAGE},
    {"image/svg+xml", DISPLAY_IMAGE},
    {"image/tiff", DISPLAY_IMAGE},
    {"image/webp", DISPLAY_IMAGE},
    {"image/heic", DISPLAY_IMAGE},
    // image, "vnd." subtypes
    {"image/vnd.wap.wbmp", DISPLAY_IMAGE},
    // image, "x-" subtypes
    {"image/x-bmp", DISPLAY_IMAGE},
    {"image/x-ms-bmp", DISPLAY_IMAGE},
    {"image/x-png", DISPLAY_IMAGE},
    {"image/x-wmf", DISPLAY_IMAGE},
    // text, plain subtypes
    {"text/calendar", DISPLAY_VCALENDAR},
    {"text/directory", DISPLAY_VCARD},
    {"text/html", DISPLAY_OTHER},
    {"text/plain", DISPLAY_TEXT},
    {"text/vcard", DISPLAY_VCARD},
    // text, "vnd." subtypes
    {"text/vnd.sun.j2me.app-descriptor", DISPLAY_OTHER},
    {"text/vnd.wap.wml", DISPLAY_OTHER},
    // text, "x-" subtypes
    {"text/x-vcard", DISPLAY_VCARD},
    {"text/x-vcalendar", DISPLAY_VCALENDAR},
    {"text/x-vtodo", DISPLAY_TASK},
    {"text/x-vnote", DISPLAY_OTHER},
    {"text/x-hdml", DISPLAY_OTHER},
    // video, plain subtypes
    {"video/3gp", DISPLAY_VIDEO},
    {"video/3gpp", DISPLAY_VIDEO},
    {"video/3gpp2", DISPLAY_VIDEO},
    {"video/avi", DISPLAY_VIDEO},
    {"video/h263", DISPLAY_VIDEO},
    {"video/mp4", DISPLAY_VIDEO},
    {"video/mpeg", DISPLAY_VIDEO},
    {"video/mpeg4", DISPLAY_VIDEO},
    {"video/quicktime", DISPLAY_VIDEO},
    {"video/webm", DISPLAY_VIDEO},
    // video, "vnd." subtypes
    {"video/vnd.rn-realvideo", DISPLAY_VIDEO},
    // video, "x-" subtypes
    {"video/x-flv", DISPLAY_VIDEO},
    {"video/x-matroska", DISPLAY_VIDEO},
    {"video/x-mp4", DISPLAY_VIDEO},
    {"video/x-ms-asf", DISPLAY_VIDEO},
    {"video/x-ms-wmv", DISPLAY_VIDEO},
    {"video/x-msvideo", DISPLAY_VIDEO},
};

} // namespace

const MVMimeRow* mime_table(size_t& count) {
    count = sizeof(ROWS) / sizeof(ROWS[0]);
    return ROWS;
}

} // namespace msg_viewer
} // namespace msg_app
