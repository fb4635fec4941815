// The player and the metadata reader as the program links them: each call goes to the media module,
// loaded on the first one, so that a program that plays nothing never loads GStreamer.
#include "DeviceSettings.h"
#include "MediaModule.h"
#include "SoundKeys.h"
#include "log/PlatformLog.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

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

bool playsSilently() {
    std::string output = msg_services::DeviceSettings::getString(msg_services::SoundKeys::OUTPUT, "auto");
    return output == "silent" || (output != "desktop" && headless());
}

const MsgMediaModule* module() {
    static const MsgMediaHost host = {playsSilently};
    // Loaded once for the process, and never unloaded: GStreamer cannot be started twice.
    static const MsgMediaModule* functions = []() -> const MsgMediaModule* {
        void* handle = dlopen(MSG_MEDIA_MODULE, RTLD_LAZY | RTLD_LOCAL);
        if (!handle) {
            PLAT_LOGE("cannot load the media module: %s", dlerror());
            return nullptr;
        }
        auto open = reinterpret_cast<MsgMediaModuleOpen>(dlsym(handle, "msg_media_module_open"));
        if (!open) {
            PLAT_LOGE("the media module has no entry: %s", dlerror());
            return nullptr;
        }
        return open(&host);
    }();
    return functions;
}

// The module's function with the arguments, or `unavailable` when it cannot be loaded.
template <typename Function, typename... Args>
int call(Function MsgMediaModule::*function, int unavailable, Args... args) {
    const MsgMediaModule* functions = module();
    return functions ? (functions->*function)(args...) : unavailable;
}

constexpr int NO_PLAYER = PLAYER_ERROR_INVALID_OPERATION;
constexpr int NO_EXTRACTOR = METADATA_EXTRACTOR_ERROR_OPERATION_FAILED;

} // namespace

extern "C" {

int player_create(player_h* player) {
    return call(&MsgMediaModule::player_create, NO_PLAYER, player);
}
int player_destroy(player_h player) {
    return call(&MsgMediaModule::player_destroy, NO_PLAYER, player);
}
int player_set_sound_stream_info(player_h player, sound_stream_info_h stream_info) {
    return call(&MsgMediaModule::player_set_sound_stream_info, NO_PLAYER, player, stream_info);
}
int player_set_uri(player_h player, const char* uri) {
    return call(&MsgMediaModule::player_set_uri, NO_PLAYER, player, uri);
}
int player_prepare(player_h player) {
    return call(&MsgMediaModule::player_prepare, NO_PLAYER, player);
}
int player_unprepare(player_h player) {
    return call(&MsgMediaModule::player_unprepare, NO_PLAYER, player);
}
int player_start(player_h player) {
    return call(&MsgMediaModule::player_start, NO_PLAYER, player);
}
int player_pause(player_h player) {
    return call(&MsgMediaModule::player_pause, NO_PLAYER, player);
}
int player_stop(player_h player) {
    return call(&MsgMediaModule::player_stop, NO_PLAYER, player);
}
int player_get_state(player_h player, player_state_e* state) {
    return call(&MsgMediaModule::player_get_state, NO_PLAYER, player, state);
}
int player_get_play_position(player_h player, int* millisecond) {
    return call(&MsgMediaModule::player_get_play_position, NO_PLAYER, player, millisecond);
}
int player_get_duration(player_h player, int* millisecond) {
    return call(&MsgMediaModule::player_get_duration, NO_PLAYER, player, millisecond);
}
int player_set_completed_cb(player_h player, player_completed_cb callback, void* user_data) {
    return call(&MsgMediaModule::player_set_completed_cb, NO_PLAYER, player, callback, user_data);
}
int player_set_error_cb(player_h player, player_error_cb callback, void* user_data) {
    return call(&MsgMediaModule::player_set_error_cb, NO_PLAYER, player, callback, user_data);
}

int metadata_extractor_create(metadata_extractor_h* metadata) {
    return call(&MsgMediaModule::metadata_extractor_create, NO_EXTRACTOR, metadata);
}
int metadata_extractor_set_path(metadata_extractor_h metadata, const char* path) {
    return call(&MsgMediaModule::metadata_extractor_set_path, NO_EXTRACTOR, metadata, path);
}
int metadata_extractor_get_metadata(metadata_extractor_h metadata, metadata_extractor_attr_e attribute,
                                    char** value) {
    return call(&MsgMediaModule::metadata_extractor_get_metadata, NO_EXTRACTOR, metadata, attribute, value);
}
int metadata_extractor_destroy(metadata_extractor_h metadata) {
    return call(&MsgMediaModule::metadata_extractor_destroy, NO_EXTRACTOR, metadata);
}

} // extern "C"
