/*
 * The one player behind every sound clip of the conversations: a clip
 * started while another plays stops the other. It holds audio focus and
 * keeps the display from sleeping while it plays, and gives both back as
 * soon as it pauses, stops, ends or fails.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVSOUNDPLAYER_H
#define MSG_APP_VIEWER_MEDIA_MVSOUNDPLAYER_H

#include "msg_store/Content.h"
#include "player.h"
#include "sound_manager.h"
#include "view_kit/WSignal.h"

#include <functional>

namespace msg_app {

class MVSoundPlayer {
public:
    enum Event : int {
        STARTED = 0,
        RESUMED = 1,
        PAUSED = 2,
        STOPPED = 3,
        UNSUPPORTED = 4, // the clip cannot be played; it is stopped
    };
    enum State : int {
        STATE_IDLE = 0,
        STATE_PLAYING = 2,
        STATE_PAUSED = 3,
    };

    static MVSoundPlayer* getInstance();

    // Plays the clip from its start, or from where it was paused.
    bool start(const msg_store::Content& content);
    void pause();
    void stop();
    // Stops and lets the platform's player go; the next start makes a new one.
    void destroy();

    State getState() const { return _state; }
    // Whether the loaded clip (playing or paused) is this content.
    bool isCurrent(const msg_store::Content& content) const;
    // Milliseconds; 0 when nothing is loaded or the file does not say.
    int getPosition() const;
    int getDuration() const;

    // Whether the active audio route can play at all (a watch without a speaker needs a headset).
    static bool activeSoundPathAvailable();

    unsigned int addEventListener(std::function<void(Event)> listener, Evas_Object* owner);
    void removeEventListener(unsigned int& id);

private:
    MVSoundPlayer() = default;
    ~MVSoundPlayer();
    bool _create();
    bool _prepare(const msg_store::Content& content);
    void _releaseFocus();
    void _lockPower();
    void _unlockPower();
    void _onFocusLost(sound_stream_focus_change_reason_e reason);
    void _onError(int code);
    static void _destroyInstance();
    static void _completedCb(void* data);
    static void _errorCb(int code, void* data);
    static void _focusChangedCb(sound_stream_info_h info, sound_stream_focus_mask_e mask,
                                sound_stream_focus_state_e state, sound_stream_focus_change_reason_e reason,
                                int behavior, const char* extra, void* data);

    player_h _player = nullptr;
    sound_stream_info_h _stream = nullptr;
    msg_store::Content _content;
    bool _loaded = false;
    bool _powerLocked = false;
    State _state = STATE_IDLE;
    view_kit::WSignal<void(Event)> _signal;
};

} // namespace msg_app

#endif
