/*
 * What the media services' loadable part offers: playback and metadata on
 * GStreamer, which with the libraries it brings takes long to load and link,
 * and is loaded when a clip is first played or a file first read instead of
 * with every program. The functions are those of player.h and
 * metadata_extractor.h, which the services answer by calling these.
 */
#ifndef MSG_PLATFORM_MEDIA_MEDIAMODULE_H
#define MSG_PLATFORM_MEDIA_MEDIAMODULE_H

#include "metadata_extractor.h"
#include "player.h"

#define MSG_MEDIA_MODULE_FUNCTIONS(X)                                                                        \
    X(player_create)                                                                                         \
    X(player_destroy)                                                                                        \
    X(player_set_sound_stream_info)                                                                          \
    X(player_set_uri)                                                                                        \
    X(player_prepare)                                                                                        \
    X(player_unprepare)                                                                                      \
    X(player_start)                                                                                          \
    X(player_pause)                                                                                          \
    X(player_stop)                                                                                           \
    X(player_get_state)                                                                                      \
    X(player_get_play_position)                                                                              \
    X(player_get_duration)                                                                                   \
    X(player_set_completed_cb)                                                                               \
    X(player_set_error_cb)                                                                                   \
    X(metadata_extractor_create)                                                                             \
    X(metadata_extractor_set_path)                                                                           \
    X(metadata_extractor_get_metadata)                                                                       \
    X(metadata_extractor_destroy)

extern "C" {

struct MsgMediaModule {
#define MSG_MEDIA_MODULE_MEMBER(name) decltype(&::name) name;
    MSG_MEDIA_MODULE_FUNCTIONS(MSG_MEDIA_MODULE_MEMBER)
#undef MSG_MEDIA_MODULE_MEMBER
};

// What the module asks of the program that loads it.
struct MsgMediaHost {
    // True when sound is to keep its time without being heard (the device's output setting).
    bool (*playsSilently)();
};

// The module's functions; `host` outlives them.
const MsgMediaModule* msg_media_module_open(const MsgMediaHost* host);
using MsgMediaModuleOpen = const MsgMediaModule* (*)(const MsgMediaHost*);

} // extern "C"

#endif
