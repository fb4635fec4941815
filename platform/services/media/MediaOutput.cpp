#include "MediaOutput.h"

#include "DeviceSettings.h"
#include "SoundKeys.h"
#include "log/PlatformLog.h"

#include <cstdlib>
#include <cstring>

namespace msg_media {

namespace {

// Headless runs (no display, or the buffer engine) have nobody to listen.
bool headless() {
    const char* engine = std::getenv("ELM_ENGINE");
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (engine && strcmp(engine, "buffer") == 0)
        return true;
    return !(display && *display) && !(wayland && *wayland);
}

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
    std::string output = msg_services::DeviceSettings::getString(msg_services::SoundKeys::OUTPUT, "auto");
    bool silent = output == "silent" || (output != "desktop" && headless());
    if (silent)
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
