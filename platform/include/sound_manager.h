/*
 * The sound manager: streams ask for audio focus, and lose it when another
 * application of the device takes it; the active output route and whether it
 * can play. Routes and focus are device settings ("memory/private/sound/route",
 * "memory/private/sound/focus_owner", "memory/private/sound/focus_reason"), so
 * that another process (or the simulator) can change them; focus changes reach
 * the stream's callback on the main loop.
 */
#ifndef MSG_PLATFORM_SOUND_MANAGER_H
#define MSG_PLATFORM_SOUND_MANAGER_H

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sound_stream_info_s* sound_stream_info_h;

typedef enum {
    SOUND_MANAGER_ERROR_NONE = 0,
    SOUND_MANAGER_ERROR_INVALID_PARAMETER = -22,
    SOUND_MANAGER_ERROR_INVALID_OPERATION = -38,
    SOUND_MANAGER_ERROR_INVALID_STATE = -1001,
    SOUND_MANAGER_ERROR_POLICY = -1002,
} sound_manager_error_e;

typedef enum {
    SOUND_STREAM_TYPE_MEDIA = 0,
    SOUND_STREAM_TYPE_SYSTEM = 1,
    SOUND_STREAM_TYPE_ALARM = 2,
    SOUND_STREAM_TYPE_NOTIFICATION = 3,
} sound_stream_type_e;

typedef enum {
    SOUND_STREAM_FOCUS_FOR_PLAYBACK = 0x0001,
    SOUND_STREAM_FOCUS_FOR_RECORDING = 0x0002,
    SOUND_STREAM_FOCUS_FOR_BOTH = 0x0003,
} sound_stream_focus_mask_e;

typedef enum {
    SOUND_STREAM_FOCUS_STATE_RELEASED = 0,
    SOUND_STREAM_FOCUS_STATE_ACQUIRED = 1,
} sound_stream_focus_state_e;

// Why focus moved: the stream type of the application that took it.
typedef enum {
    SOUND_STREAM_FOCUS_CHANGED_BY_MEDIA = 0,
    SOUND_STREAM_FOCUS_CHANGED_BY_SYSTEM = 1,
    SOUND_STREAM_FOCUS_CHANGED_BY_ALARM = 2,
    SOUND_STREAM_FOCUS_CHANGED_BY_NOTIFICATION = 3,
    SOUND_STREAM_FOCUS_CHANGED_BY_EMERGENCY = 4,
    SOUND_STREAM_FOCUS_CHANGED_BY_VOICE_INFORMATION = 5,
    SOUND_STREAM_FOCUS_CHANGED_BY_VOICE_RECOGNITION = 6,
    SOUND_STREAM_FOCUS_CHANGED_BY_RINGTONE = 7,
    SOUND_STREAM_FOCUS_CHANGED_BY_VOIP = 8,
    SOUND_STREAM_FOCUS_CHANGED_BY_CALL = 9,
} sound_stream_focus_change_reason_e;

typedef enum {
    SOUND_ROUTE_NONE = 0, // nothing can play
    SOUND_ROUTE_SPEAKER = 1,
    SOUND_ROUTE_HEADSET = 2,
    SOUND_ROUTE_BLUETOOTH = 3,
} sound_route_e;

typedef void (*sound_stream_focus_state_changed_cb)(sound_stream_info_h stream_info,
                                                    sound_stream_focus_mask_e focus_mask,
                                                    sound_stream_focus_state_e focus_state,
                                                    sound_stream_focus_change_reason_e reason,
                                                    int sound_behavior, const char* extra_info,
                                                    void* user_data);

int sound_manager_create_stream_information(sound_stream_type_e stream_type,
                                            sound_stream_focus_state_changed_cb callback, void* user_data,
                                            sound_stream_info_h* stream_info);
int sound_manager_destroy_stream_information(sound_stream_info_h stream_info);
// Takes focus from whoever holds it.
int sound_manager_acquire_focus(sound_stream_info_h stream_info, sound_stream_focus_mask_e focus_mask,
                                int sound_behavior, const char* extra_info);
int sound_manager_release_focus(sound_stream_info_h stream_info, sound_stream_focus_mask_e focus_mask,
                                int sound_behavior, const char* extra_info);
int sound_manager_get_focus_state(sound_stream_info_h stream_info,
                                  sound_stream_focus_state_e* state_for_playback);
int sound_manager_get_active_route(sound_route_e* route, bool* available);

#ifdef __cplusplus
}
#endif

#endif
