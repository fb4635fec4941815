// The player over a GStreamer playbin. Its streaming threads never touch the player: they post
// notices carrying the player's id to the main loop, which drops those of a player that is gone.
#include "player.h"

#include "MediaOutput.h"
#include "log/PlatformLog.h"

#include <Ecore.h>

#include <map>
#include <string>

struct player_s {
    int id = 0;
    GstElement* pipeline = nullptr;
    std::string uri;
    player_state_e state = PLAYER_STATE_IDLE;
    sound_stream_info_h stream = nullptr;
    player_completed_cb completedCb = nullptr;
    void* completedData = nullptr;
    player_error_cb errorCb = nullptr;
    void* errorData = nullptr;
};

namespace {

// Preparing reads the file's headers; a file that takes longer than this is not playable here.
constexpr GstClockTime PREPARE_TIMEOUT = 10 * GST_SECOND;

enum NoticeKind { NOTICE_COMPLETED, NOTICE_ERROR };

struct Notice {
    int playerId;
    NoticeKind kind;
    int code;
};

// Main loop only.
std::map<int, player_s*>& livePlayers() {
    static std::map<int, player_s*> players;
    return players;
}

int errorCodeOf(const GError* error) {
    if (!error)
        return PLAYER_ERROR_INVALID_OPERATION;
    if (error->domain == GST_RESOURCE_ERROR &&
        (error->code == GST_RESOURCE_ERROR_NOT_FOUND || error->code == GST_RESOURCE_ERROR_OPEN_READ))
        return PLAYER_ERROR_INVALID_URI;
    if (error->domain == GST_STREAM_ERROR ||
        (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN))
        return PLAYER_ERROR_NOT_SUPPORTED_FILE;
    return PLAYER_ERROR_INVALID_OPERATION;
}

int errorCodeOf(GstMessage* message) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    PLAT_LOGW("playback error: %s (%s)", error ? error->message : "unknown", debug ? debug : "");
    int code = errorCodeOf(error);
    g_clear_error(&error);
    g_free(debug);
    return code;
}

void noticeOnMainLoop(void* data) {
    auto* notice = static_cast<Notice*>(data);
    auto it = livePlayers().find(notice->playerId);
    player_s* player = it == livePlayers().end() ? nullptr : it->second;
    // Only a playing or paused player reports: a failed prepare already returned its error.
    bool active = player && (player->state == PLAYER_STATE_PLAYING || player->state == PLAYER_STATE_PAUSED);
    if (active && notice->kind == NOTICE_COMPLETED && player->completedCb)
        player->completedCb(player->completedData);
    else if (active && notice->kind == NOTICE_ERROR && player->errorCb)
        player->errorCb(notice->code, player->errorData);
    delete notice;
}

// Runs on GStreamer's threads. Errors also stay on the bus, where a failing prepare reads them.
GstBusSyncReply busSyncCb(GstBus*, GstMessage* message, gpointer data) {
    int playerId = GPOINTER_TO_INT(data);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        ecore_main_loop_thread_safe_call_async(noticeOnMainLoop, new Notice{playerId, NOTICE_COMPLETED, 0});
        return GST_BUS_DROP;
    case GST_MESSAGE_ERROR:
        ecore_main_loop_thread_safe_call_async(noticeOnMainLoop,
                                               new Notice{playerId, NOTICE_ERROR, errorCodeOf(message)});
        return GST_BUS_PASS;
    default:
        return GST_BUS_DROP;
    }
}

int preparedError(GstElement* pipeline) {
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = bus ? gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR) : nullptr;
    int code = message ? errorCodeOf(message) : PLAYER_ERROR_NOT_SUPPORTED_FILE;
    if (message)
        gst_message_unref(message);
    if (bus)
        gst_object_unref(bus);
    return code;
}

void releasePipeline(player_s* player) {
    if (!player->pipeline)
        return;
    gst_element_set_state(player->pipeline, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(player->pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(player->pipeline);
    player->pipeline = nullptr;
}

bool isPrepared(const player_s* player) {
    return player->state == PLAYER_STATE_READY || player->state == PLAYER_STATE_PLAYING ||
           player->state == PLAYER_STATE_PAUSED;
}

int64_t queryMs(GstElement* pipeline, bool duration) {
    gint64 value = 0;
    bool ok = duration ? gst_element_query_duration(pipeline, GST_FORMAT_TIME, &value)
                       : gst_element_query_position(pipeline, GST_FORMAT_TIME, &value);
    return ok && value > 0 ? value / GST_MSECOND : 0;
}

} // namespace

extern "C" {

int player_create(player_h* player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(!msg_media::initGstreamer(), PLAYER_ERROR_INVALID_OPERATION, "no GStreamer");
    static int nextId = 1;
    auto* created = new player_s;
    created->id = nextId++;
    livePlayers()[created->id] = created;
    *player = created;
    return PLAYER_ERROR_NONE;
}

int player_destroy(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    releasePipeline(player);
    livePlayers().erase(player->id);
    delete player;
    return PLAYER_ERROR_NONE;
}

int player_set_sound_stream_info(player_h player, sound_stream_info_h stream_info) {
    PLAT_RETV_IF(!player || !stream_info, PLAYER_ERROR_INVALID_PARAMETER, "player or stream_info is null");
    PLAT_RETV_IF(player->state != PLAYER_STATE_IDLE, PLAYER_ERROR_INVALID_STATE, "player is prepared");
    player->stream = stream_info;
    return PLAYER_ERROR_NONE;
}

int player_set_uri(player_h player, const char* uri) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(player->state != PLAYER_STATE_IDLE, PLAYER_ERROR_INVALID_STATE, "player is prepared");
    std::string converted = msg_media::toUri(uri);
    PLAT_RETV_IF(converted.empty(), PLAYER_ERROR_INVALID_PARAMETER, "invalid uri [%s]", uri ? uri : "");
    player->uri = converted;
    return PLAYER_ERROR_NONE;
}

int player_prepare(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(player->state != PLAYER_STATE_IDLE, PLAYER_ERROR_INVALID_STATE, "player is prepared");
    PLAT_RETV_IF(player->uri.empty(), PLAYER_ERROR_INVALID_URI, "no uri");
    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    PLAT_RETV_IF(!pipeline, PLAYER_ERROR_INVALID_OPERATION, "playbin is missing");
    // Clips play as sound only: pictures of a video never reach a window from here.
    g_object_set(pipeline, "uri", player->uri.c_str(), "audio-sink", msg_media::makeAudioSink(), "video-sink",
                 gst_element_factory_make("fakesink", nullptr), nullptr);
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, busSyncCb, GINT_TO_POINTER(player->id), nullptr);
    gst_object_unref(bus);
    player->pipeline = pipeline;

    GstStateChangeReturn change = gst_element_set_state(pipeline, GST_STATE_PAUSED);
    if (change != GST_STATE_CHANGE_FAILURE)
        change = gst_element_get_state(pipeline, nullptr, nullptr, PREPARE_TIMEOUT);
    if (change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL) {
        player->state = PLAYER_STATE_READY;
        return PLAYER_ERROR_NONE;
    }
    int error = preparedError(pipeline);
    releasePipeline(player);
    PLAT_LOGE("cannot prepare %s (%d)", player->uri.c_str(), error);
    return error;
}

int player_unprepare(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    releasePipeline(player);
    player->state = PLAYER_STATE_IDLE;
    return PLAYER_ERROR_NONE;
}

int player_start(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(!isPrepared(player), PLAYER_ERROR_INVALID_STATE, "player is not prepared");
    PLAT_RETV_IF(gst_element_set_state(player->pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE,
                 PLAYER_ERROR_INVALID_OPERATION, "cannot play");
    player->state = PLAYER_STATE_PLAYING;
    return PLAYER_ERROR_NONE;
}

int player_pause(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(player->state != PLAYER_STATE_PLAYING && player->state != PLAYER_STATE_PAUSED,
                 PLAYER_ERROR_INVALID_STATE, "player is not playing");
    PLAT_RETV_IF(gst_element_set_state(player->pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE,
                 PLAYER_ERROR_INVALID_OPERATION, "cannot pause");
    player->state = PLAYER_STATE_PAUSED;
    return PLAYER_ERROR_NONE;
}

int player_stop(player_h player) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    PLAT_RETV_IF(player->state != PLAYER_STATE_PLAYING && player->state != PLAYER_STATE_PAUSED,
                 PLAYER_ERROR_INVALID_STATE, "player is not playing");
    gst_element_set_state(player->pipeline, GST_STATE_PAUSED);
    gst_element_get_state(player->pipeline, nullptr, nullptr, PREPARE_TIMEOUT);
    gst_element_seek_simple(player->pipeline, GST_FORMAT_TIME,
                            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
    player->state = PLAYER_STATE_READY;
    return PLAYER_ERROR_NONE;
}

int player_get_state(player_h player, player_state_e* state) {
    PLAT_RETV_IF(!player || !state, PLAYER_ERROR_INVALID_PARAMETER, "player or state is null");
    *state = player->state;
    return PLAYER_ERROR_NONE;
}

int player_get_play_position(player_h player, int* millisecond) {
    PLAT_RETV_IF(!player || !millisecond, PLAYER_ERROR_INVALID_PARAMETER, "player or millisecond is null");
    PLAT_RETV_IF(!isPrepared(player), PLAYER_ERROR_INVALID_STATE, "player is not prepared");
    *millisecond = static_cast<int>(queryMs(player->pipeline, false));
    return PLAYER_ERROR_NONE;
}

int player_get_duration(player_h player, int* millisecond) {
    PLAT_RETV_IF(!player || !millisecond, PLAYER_ERROR_INVALID_PARAMETER, "player or millisecond is null");
    PLAT_RETV_IF(!isPrepared(player), PLAYER_ERROR_INVALID_STATE, "player is not prepared");
    *millisecond = static_cast<int>(queryMs(player->pipeline, true));
    return PLAYER_ERROR_NONE;
}

int player_set_completed_cb(player_h player, player_completed_cb callback, void* user_data) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    player->completedCb = callback;
    player->completedData = user_data;
    return PLAYER_ERROR_NONE;
}

int player_set_error_cb(player_h player, player_error_cb callback, void* user_data) {
    PLAT_RETV_IF(!player, PLAYER_ERROR_INVALID_PARAMETER, "player is null");
    player->errorCb = callback;
    player->errorData = user_data;
    return PLAYER_ERROR_NONE;
}

} // extern "C"
