#include "viewer/media/MVSoundPlayer.h"

#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "device_power.h"
#include "journal.h"

namespace msg_app {

namespace {

MVSoundPlayer* g_instance = nullptr;

const char* reasonName(sound_stream_focus_change_reason_e reason) {
    switch (reason) {
    case SOUND_STREAM_FOCUS_CHANGED_BY_MEDIA:
        return "media";
    case SOUND_STREAM_FOCUS_CHANGED_BY_SYSTEM:
        return "system";
    case SOUND_STREAM_FOCUS_CHANGED_BY_ALARM:
        return "alarm";
    case SOUND_STREAM_FOCUS_CHANGED_BY_NOTIFICATION:
        return "notification";
    case SOUND_STREAM_FOCUS_CHANGED_BY_EMERGENCY:
        return "emergency";
    case SOUND_STREAM_FOCUS_CHANGED_BY_VOICE_INFORMATION:
        return "voice information";
    case SOUND_STREAM_FOCUS_CHANGED_BY_VOICE_RECOGNITION:
        return "voice recognition";
    case SOUND_STREAM_FOCUS_CHANGED_BY_RINGTONE:
        return "ringtone";
    case SOUND_STREAM_FOCUS_CHANGED_BY_VOIP:
        return "VoIP";
    case SOUND_STREAM_FOCUS_CHANGED_BY_CALL:
        return "call";
    }
    return "unknown";
}

} // namespace

MVSoundPlayer* MVSoundPlayer::getInstance() {
    if (!g_instance) {
        g_instance = new MVSoundPlayer();
        singleton_release::add(_destroyInstance);
    }
    return g_instance;
}

void MVSoundPlayer::_destroyInstance() {
    delete g_instance;
    g_instance = nullptr;
}

MVSoundPlayer::~MVSoundPlayer() {
    destroy();
}

bool MVSoundPlayer::_create() {
    if (_player)
        return true;
    if (sound_manager_create_stream_information(SOUND_STREAM_TYPE_MEDIA, _focusChangedCb, this, &_stream) !=
        SOUND_MANAGER_ERROR_NONE) {
        MSG_LOGE("sound_manager_create_stream_information failed");
        _stream = nullptr;
    }
    MSG_RETV_IF(player_create(&_player) != PLAYER_ERROR_NONE, false, "player_create failed");
    if (_stream && player_set_sound_stream_info(_player, _stream) != PLAYER_ERROR_NONE)
        MSG_LOGE("player_set_sound_stream_info failed");
    player_set_completed_cb(_player, _completedCb, this);
    player_set_error_cb(_player, _errorCb, this);
    return true;
}

bool MVSoundPlayer::isCurrent(const msg_store::Content& content) const {
    return _loaded && _content.contentId == content.contentId && _content.filePath == content.filePath;
}

bool MVSoundPlayer::_prepare(const msg_store::Content& content) {
    int err = player_set_uri(_player, content.filePath.c_str());
    if (err == PLAYER_ERROR_NONE)
        err = player_prepare(_player);
    if (err == PLAYER_ERROR_NONE) {
        _content = content;
        _loaded = true;
        return true;
    }
    MSG_LOGE("prepare failed");
    // A file that cannot be decoded is told to the user, as a playback error of that kind would be.
    if (err == PLAYER_ERROR_NOT_SUPPORTED_FILE) {
        MSG_LOGE("unsupported file type");
        _signal.emit(UNSUPPORTED);
    }
    return false;
}

bool MVSoundPlayer::start(const msg_store::Content& content) {
    MSG_RETV_IF(content.filePath.empty(), false, "content has no file");
    MSG_RETV_IF(!_create(), false, "no player");
    if (_loaded && !isCurrent(content))
        stop();
    bool resuming = _state == STATE_PAUSED && isCurrent(content);
    if (!resuming && !_loaded && !_prepare(content))
        return false;
    if (_stream && sound_manager_acquire_focus(_stream, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr) !=
                       SOUND_MANAGER_ERROR_NONE) {
        MSG_LOGE("sound_manager_acquire_focus failed");
        player_unprepare(_player);
        _loaded = false;
        _state = STATE_IDLE;
        return false;
    }
    if (player_start(_player) != PLAYER_ERROR_NONE) {
        MSG_LOGE("player_start failed");
        stop();
        return false;
    }
    _lockPower();
    _state = STATE_PLAYING;
    if (resuming) {
        _signal.emit(RESUMED);
    } else {
        _signal.emit(STARTED);
        journal_log("MULTIMEDIA", "AUDIO_PLAYING");
    }
    return true;
}

void MVSoundPlayer::pause() {
    MSG_RET_IF(_state != STATE_PLAYING, "not playing [%d]", _state);
    if (player_pause(_player) != PLAYER_ERROR_NONE)
        MSG_LOGE("player_pause failed");
    _state = STATE_PAUSED;
    _unlockPower();
    _signal.emit(PAUSED);
    _releaseFocus();
}

void MVSoundPlayer::stop() {
    if (!_loaded && _state == STATE_IDLE)
        return;
    if (_state != STATE_IDLE && player_stop(_player) != PLAYER_ERROR_NONE)
        MSG_LOGW("player_stop failed");
    _releaseFocus();
    player_unprepare(_player);
    _loaded = false;
    _state = STATE_IDLE;
    _unlockPower();
    _signal.emit(STOPPED);
}

void MVSoundPlayer::destroy() {
    stop();
    if (_player)
        player_destroy(_player);
    if (_stream)
        sound_manager_destroy_stream_information(_stream);
    _player = nullptr;
    _stream = nullptr;
}

int MVSoundPlayer::getPosition() const {
    int ms = 0;
    if (!_loaded || player_get_play_position(_player, &ms) != PLAYER_ERROR_NONE)
        return 0;
    return ms;
}

int MVSoundPlayer::getDuration() const {
    int ms = 0;
    if (!_loaded || player_get_duration(_player, &ms) != PLAYER_ERROR_NONE)
        return 0;
    return ms;
}

bool MVSoundPlayer::activeSoundPathAvailable() {
    sound_route_e route = SOUND_ROUTE_NONE;
    bool available = false;
    if (sound_manager_get_active_route(&route, &available) != SOUND_MANAGER_ERROR_NONE)
        MSG_LOGE("sound_manager_get_active_route failed");
    MSG_LOGI("out [%d], available [%d]", route, available);
    return available;
}

unsigned int MVSoundPlayer::addEventListener(std::function<void(Event)> listener, Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVSoundPlayer::removeEventListener(unsigned int& id) {
    _signal.removeListener(id);
    id = 0;
}

// Focus lost to another application is already gone; only focus still held is given back.
void MVSoundPlayer::_releaseFocus() {
    sound_stream_focus_state_e focus = SOUND_STREAM_FOCUS_STATE_RELEASED;
    if (_stream && sound_manager_get_focus_state(_stream, &focus) == SOUND_MANAGER_ERROR_NONE &&
        focus == SOUND_STREAM_FOCUS_STATE_ACQUIRED)
        sound_manager_release_focus(_stream, SOUND_STREAM_FOCUS_FOR_PLAYBACK, 0, nullptr);
}

void MVSoundPlayer::_lockPower() {
    if (_powerLocked)
        return;
    if (device_power_request_lock(POWER_LOCK_DISPLAY_DIM, 0) != DEVICE_ERROR_NONE)
        MSG_LOGW("device_power_request_lock error");
    else
        _powerLocked = true;
}

// Held only while sound plays: a paused, finished or failed clip lets the display sleep.
void MVSoundPlayer::_unlockPower() {
    if (!_powerLocked)
        return;
    if (device_power_release_lock(POWER_LOCK_DISPLAY_DIM) != DEVICE_ERROR_NONE)
        MSG_LOGW("device_power_release_lock error");
    _powerLocked = false;
}

void MVSoundPlayer::_onFocusLost(sound_stream_focus_change_reason_e reason) {
    MSG_LOGI("focus lost by %s", reasonName(reason));
    if (_state == STATE_PLAYING)
        pause();
}

void MVSoundPlayer::_onError(int code) {
    if (code == PLAYER_ERROR_NOT_SUPPORTED_FILE) {
        MSG_LOGE("unsupported file type");
        _signal.emit(UNSUPPORTED);
    } else {
        MSG_LOGW("player error [%d]", code);
    }
    stop();
}

void MVSoundPlayer::_completedCb(void* data) {
    static_cast<MVSoundPlayer*>(data)->stop();
}

void MVSoundPlayer::_errorCb(int code, void* data) {
    static_cast<MVSoundPlayer*>(data)->_onError(code);
}

void MVSoundPlayer::_focusChangedCb(sound_stream_info_h, sound_stream_focus_mask_e,
                                    sound_stream_focus_state_e state,
                                    sound_stream_focus_change_reason_e reason, int, const char*, void* data) {
    if (state == SOUND_STREAM_FOCUS_STATE_RELEASED)
        static_cast<MVSoundPlayer*>(data)->_onFocusLost(reason);
}

} // namespace msg_app
