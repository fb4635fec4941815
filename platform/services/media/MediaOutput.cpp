#include "MediaOutput.h"

#include "MediaModule.h"
#include "log/PlatformLog.h"

namespace {

const MsgMediaHost* host = nullptr;

} // namespace

extern "C" __attribute__((visibility("default"))) const MsgMediaModule*
msg_media_module_open(const MsgMediaHost* loader) {
    host = loader;
    static const MsgMediaModule functions = {
#define MSG_MEDIA_MODULE_ENTRY(name) &::name,
        MSG_MEDIA_MODULE_FUNCTIONS(MSG_MEDIA_MODULE_ENTRY)
#undef MSG_MEDIA_MODULE_ENTRY
    };
    return &functions;
}

namespace msg_media {

namespace {

GstElement* silentSink() {
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (sink)
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

} // namespace

bool initGstreamer() {
    static bool ready = [] {
        GError* error = nullptr;
        if (gst_init_check(nullptr, nullptr, &error))
            return true;
        PLAT_LOGE("GStreamer cannot start: %s", error ? error->message : "unknown");
        g_clear_error(&error);
        return false;
    }();
    return ready;
}

GstElement* makeAudioSink() {
    if (!host || host->playsSilently())
        return silentSink();
    GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
    if (!sink) {
        PLAT_LOGW("no audio output on this machine, playing silently");
        return silentSink();
    }
    return sink;
}

std::string toUri(const char* pathOrUri) {
    if (!pathOrUri || !*pathOrUri)
        return std::string();
    if (gst_uri_is_valid(pathOrUri))
        return pathOrUri;
    gchar* uri = gst_filename_to_uri(pathOrUri, nullptr);
    std::string result = uri ? uri : "";
    g_free(uri);
    return result;
}

} // namespace msg_media
