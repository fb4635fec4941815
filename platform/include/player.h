/*
 * The media player: one file played from its start, paused, resumed and
 * stopped. Completion and errors are called back on the main loop of the
 * process, which must run Ecore. The output follows the device setting
 * "memory/private/sound/output": "silent" plays against the real clock and
 * drops the samples, "desktop" uses the machine's audio, "auto" (the default)
 * is silent without a display or on the buffer engine.
 */
#ifndef MSG_PLATFORM_PLAYER_H
#define MSG_PLATFORM_PLAYER_H

#include "sound_manager.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct player_s* player_h;

typedef enum {
    PLAYER_ERROR_NONE = 0,
    PLAYER_ERROR_OUT_OF_MEMORY = -12,
    PLAYER_ERROR_INVALID_PARAMETER = -22,
    PLAYER_ERROR_INVALID_OPERATION = -38,
    PLAYER_ERROR_INVALID_STATE = -26476510,
    PLAYER_ERROR_NOT_SUPPORTED_FILE = -26476509,
    PLAYER_ERROR_INVALID_URI = -26476511,
} player_error_e;

typedef enum {
    PLAYER_STATE_NONE = 0,
    PLAYER_STATE_IDLE = 1,  // created or unprepared: a file may be set
    PLAYER_STATE_READY = 2, // prepared or stopped: at the start of the file
    PLAYER_STATE_PLAYING = 3,
    PLAYER_STATE_PAUSED = 4,
} player_state_e;

typedef void (*player_completed_cb)(void* user_data);
typedef void (*player_error_cb)(int error_code, void* user_data);

int player_create(player_h* player);
int player_destroy(player_h player);
int player_set_sound_stream_info(player_h player, sound_stream_info_h stream_info);
// A path or a file:// URI; only while idle.
int player_set_uri(player_h player, const char* uri);
// Opens the file and waits until it can play; PLAYER_ERROR_NOT_SUPPORTED_FILE when it cannot be decoded.
int player_prepare(player_h player);
int player_unprepare(player_h player);
int player_start(player_h player);
int player_pause(player_h player);
// Back to the start of the file, ready to play again.
int player_stop(player_h player);
int player_get_state(player_h player, player_state_e* state);
// Milliseconds; 0 before the first sample is played.
int player_get_play_position(player_h player, int* millisecond);
int player_get_duration(player_h player, int* millisecond);
int player_set_completed_cb(player_h player, player_completed_cb callback, void* user_data);
int player_set_error_cb(player_h player, player_error_cb callback, void* user_data);

#ifdef __cplusplus
}
#endif

#endif
