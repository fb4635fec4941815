// Audio focus and routes over device settings, so that every process of the device, and the
// simulator, sees who holds focus and what plays. A stream learns that it lost focus from the
// change feed, on the main loop.
#include "sound_manager.h"

#include "AppRegistry.h"
#include "DeviceSettings.h"
#include "SoundKeys.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <string>
#include <unistd.h>

namespace {

using msg_services::DeviceSettings;
using msg_services::SettingValue;
using msg_services::SoundKeys;

// Who holds focus, as written in the setting: the application, its process and the stream.
std::string ownerToken(int streamId) {
    return msg_services::AppRegistry::currentAppId() + "/" + std::to_string(getpid()) + "/" +
           std::to_string(streamId);
}

} // namespace

struct sound_stream_info_s {
    sound_stream_type_e type = SOUND_STREAM_TYPE_MEDIA;
    sound_stream_focus_state_changed_cb callback = nullptr;
    void* userData = nullptr;
    std::string token;
    bool focused = false;
    msg_device::ChangeFeed::Subscription subscription;

    // Notices arrive after the fact, some of them our own earlier writes: the owner now decides.
    void ownerChanged(const msg_device::Change&) {
        std::string owner = DeviceSettings::getString(SoundKeys::FOCUS_OWNER, "");
        if (!focused || owner.empty() || owner == token)
            return;
        focused = false;
        auto reason = static_cast<sound_stream_focus_change_reason_e>(
            DeviceSettings::getInt(SoundKeys::FOCUS_REASON, SOUND_STREAM_FOCUS_CHANGED_BY_MEDIA));
        PLAT_LOGI("focus taken by [%s], reason %d", owner.c_str(), reason);
        if (callback)
            callback(this, SOUND_STREAM_FOCUS_FOR_PLAYBACK, SOUND_STREAM_FOCUS_STATE_RELEASED, reason, 0,
                     owner.c_str(), userData);
    }
};

extern "C" {

int sound_manager_create_stream_information(sound_stream_type_e stream_type,
                                            sound_stream_focus_state_changed_cb callback, void* user_data,
                                            sound_stream_info_h* stream_info) {
    PLAT_RETV_IF(!stream_info, SOUND_MANAGER_ERROR_INVALID_PARAMETER, "stream_info is null");
    PLAT_RETV_IF(stream_type < SOUND_STREAM_TYPE_MEDIA || stream_type > SOUND_STREAM_TYPE_NOTIFICATION,
                 SOUND_MANAGER_ERROR_INVALID_PARAMETER, "unknown stream type %d", stream_type);
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, SOUND_MANAGER_ERROR_INVALID_OPERATION, "no device");
    static int nextId = 1;
    auto* info = new sound_stream_info_s;
    info->type = stream_type;
    info->callback = callback;
    info->userData = user_data;
    info->token = ownerToken(nextId++);
    info->subscription = device->feed().subscribeScoped(
        DeviceSettings::topic(SoundKeys::FOCUS_OWNER),
        [info](const msg_device::Change& change) { info->ownerChanged(change); });
    *stream_info = info;
    return SOUND_MANAGER_ERROR_NONE;
}

int sound_manager_destroy_stream_information(sound_stream_info_h stream_info) {
    PLAT_RETV_IF(!stream_info, SOUND_MANAGER_ERROR_INVALID_PARAMETER, "stream_info is null");
    if (stream_info->focused)
        sound_manager_release_focus(stream_info, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr);
    delete stream_info;
    return SOUND_MANAGER_ERROR_NONE;
}

int sound_manager_acquire_focus(sound_stream_info_h stream_info, sound_stream_focus_mask_e focus_mask, int,
                                const char*) {
    PLAT_RETV_IF(!stream_info, SOUND_MANAGER_ERROR_INVALID_PARAMETER, "stream_info is null");
    PLAT_RETV_IF(!(focus_mask & SOUND_STREAM_FOCUS_FOR_PLAYBACK), SOUND_MANAGER_ERROR_INVALID_PARAMETER,
                 "only playback focus is kept");
    PLAT_RETV_IF(stream_info->focused, SOUND_MANAGER_ERROR_INVALID_STATE, "focus is already acquired");
    PLAT_RETV_IF(DeviceSettings::set(SoundKeys::FOCUS_OWNER, SettingValue::ofString(stream_info->token)) != 0,
                 SOUND_MANAGER_ERROR_INVALID_OPERATION, "cannot take focus");
    stream_info->focused = true;
    return SOUND_MANAGER_ERROR_NONE;
}

int sound_manager_release_focus(sound_stream_info_h stream_info, sound_stream_focus_mask_e focus_mask, int,
                                const char*) {
    PLAT_RETV_IF(!stream_info, SOUND_MANAGER_ERROR_INVALID_PARAMETER, "stream_info is null");
    PLAT_RETV_IF(!(focus_mask & SOUND_STREAM_FOCUS_FOR_PLAYBACK), SOUND_MANAGER_ERROR_INVALID_PARAMETER,
                 "only playback focus is kept");
    PLAT_RETV_IF(!stream_info->focused, SOUND_MANAGER_ERROR_INVALID_STATE, "focus is not acquired");
    stream_info->focused = false;
    // Focus another application took meanwhile stays with it.
    if (DeviceSettings::getString(SoundKeys::FOCUS_OWNER, "") == stream_info->token)
        DeviceSettings::set(SoundKeys::FOCUS_OWNER, SettingValue::ofString(""));
    return SOUND_MANAGER_ERROR_NONE;
}

int sound_manager_get_focus_state(sound_stream_info_h stream_info,
                                  sound_stream_focus_state_e* state_for_playback) {
    PLAT_RETV_IF(!stream_info || !state_for_playback, SOUND_MANAGER_ERROR_INVALID_PARAMETER,
                 "stream_info or state is null");
    *state_for_playback =
        stream_info->focused ? SOUND_STREAM_FOCUS_STATE_ACQUIRED : SOUND_STREAM_FOCUS_STATE_RELEASED;
    return SOUND_MANAGER_ERROR_NONE;
}

int sound_manager_get_active_route(sound_route_e* route, bool* available) {
    PLAT_RETV_IF(!route || !available, SOUND_MANAGER_ERROR_INVALID_PARAMETER, "route or available is null");
    int value = DeviceSettings::getInt(SoundKeys::ROUTE, SOUND_ROUTE_SPEAKER);
    bool known = value >= SOUND_ROUTE_NONE && value <= SOUND_ROUTE_BLUETOOTH;
    *route = known ? static_cast<sound_route_e>(value) : SOUND_ROUTE_NONE;
    *available = *route != SOUND_ROUTE_NONE;
    return SOUND_MANAGER_ERROR_NONE;
}

} // extern "C"
