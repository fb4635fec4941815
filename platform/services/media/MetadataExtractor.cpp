// Media metadata from GStreamer's discoverer, read once per file on the first question.
#include "metadata_extractor.h"

#include "MediaOutput.h"
#include "log/PlatformLog.h"

#include <gst/pbutils/pbutils.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

struct metadata_extractor_s {
    std::string uri;
    bool read = false;
    bool readable = false;
    long long durationMs = 0;
    int audioStreams = 0;
    int videoStreams = 0;
    std::string mimeType;
};

namespace {

constexpr GstClockTime DISCOVER_TIMEOUT = 5 * GST_SECOND;

int countStreams(GList* streams) {
    int count = static_cast<int>(g_list_length(streams));
    gst_discoverer_stream_info_list_free(streams);
    return count;
}

std::string mimeOf(GstDiscovererInfo* info) {
    GstDiscovererStreamInfo* top = gst_discoverer_info_get_stream_info(info);
    GstCaps* caps = top ? gst_discoverer_stream_info_get_caps(top) : nullptr;
    std::string mime;
    if (caps && gst_caps_get_size(caps) > 0)
        mime = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    if (caps)
        gst_caps_unref(caps);
    if (top)
        gst_discoverer_stream_info_unref(top);
    return mime;
}

void discover(metadata_extractor_s* metadata) {
    metadata->read = true;
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(DISCOVER_TIMEOUT, &error);
    GstDiscovererInfo* info =
        discoverer ? gst_discoverer_discover_uri(discoverer, metadata->uri.c_str(), &error) : nullptr;
    GstDiscovererResult result = info ? gst_discoverer_info_get_result(info) : GST_DISCOVERER_ERROR;
    if (result == GST_DISCOVERER_OK) {
        metadata->readable = true;
        metadata->durationMs = static_cast<long long>(gst_discoverer_info_get_duration(info) / GST_MSECOND);
        metadata->audioStreams = countStreams(gst_discoverer_info_get_audio_streams(info));
        metadata->videoStreams = countStreams(gst_discoverer_info_get_video_streams(info));
        metadata->mimeType = mimeOf(info);
    } else {
        PLAT_LOGW("cannot read %s: %s (%d)", metadata->uri.c_str(), error ? error->message : "", result);
    }
    g_clear_error(&error);
    if (info)
        gst_discoverer_info_unref(info);
    if (discoverer)
        g_object_unref(discoverer);
}

} // namespace

extern "C" {

int metadata_extractor_create(metadata_extractor_h* metadata) {
    PLAT_RETV_IF(!metadata, METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER, "metadata is null");
    PLAT_RETV_IF(!msg_media::initGstreamer(), METADATA_EXTRACTOR_ERROR_OPERATION_FAILED, "no GStreamer");
    *metadata = new metadata_extractor_s;
    return METADATA_EXTRACTOR_ERROR_NONE;
}

int metadata_extractor_set_path(metadata_extractor_h metadata, const char* path) {
    PLAT_RETV_IF(!metadata || !path || !*path, METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER,
                 "metadata or path is null");
    struct stat info {};
    PLAT_RETV_IF(stat(path, &info) != 0 || !S_ISREG(info.st_mode), METADATA_EXTRACTOR_ERROR_FILE_EXISTS,
                 "no file %s", path);
    std::string uri = msg_media::toUri(path);
    PLAT_RETV_IF(uri.empty(), METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER, "invalid path %s", path);
    *metadata = metadata_extractor_s{};
    metadata->uri = uri;
    return METADATA_EXTRACTOR_ERROR_NONE;
}

int metadata_extractor_get_metadata(metadata_extractor_h metadata, metadata_extractor_attr_e attribute,
                                    char** value) {
    PLAT_RETV_IF(!metadata || !value, METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER,
                 "metadata or value is null");
    PLAT_RETV_IF(metadata->uri.empty(), METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER, "no path set");
    if (!metadata->read)
        discover(metadata);
    PLAT_RETV_IF(!metadata->readable, METADATA_EXTRACTOR_ERROR_OPERATION_FAILED, "unreadable %s",
                 metadata->uri.c_str());
    std::string text;
    switch (attribute) {
    case METADATA_DURATION:
        text = std::to_string(metadata->durationMs);
        break;
    case METADATA_HAS_VIDEO:
        text = std::to_string(metadata->videoStreams);
        break;
    case METADATA_HAS_AUDIO:
        text = std::to_string(metadata->audioStreams);
        break;
    case METADATA_MIME_TYPE:
        text = metadata->mimeType;
        break;
    default:
        PLAT_LOGE("unknown attribute %d", attribute);
        return METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER;
    }
    *value = text.empty() ? nullptr : strdup(text.c_str());
    return METADATA_EXTRACTOR_ERROR_NONE;
}

int metadata_extractor_destroy(metadata_extractor_h metadata) {
    PLAT_RETV_IF(!metadata, METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER, "metadata is null");
    delete metadata;
    return METADATA_EXTRACTOR_ERROR_NONE;
}

} // extern "C"
