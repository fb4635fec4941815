/*
 * A sound clip in a bubble: a play button, the file's name, a progress bar
 * and the time (the clip's length while idle, the position while playing).
 * Created each time its bubble is realized; dies with the bubble's text.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVAUDIOVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MEDIA_MVAUDIOVIEWCONTROLLER_H

#include "msg_store/Content.h"
#include "view_kit/WSignal.h"
#include "view_kit/WViewController.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Ecore.h>

#include <functional>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVAudioViewController : public view_kit::WViewController {
public:
    enum Event : int {
        PRESSED = 0,
        RELEASED = 1,
        CLICKED = 2,
    };

    explicit MVAudioViewController(const msg_store::Content& content);

    // Plays or pauses this clip; asks for a headset first when nothing can play.
    void click();

    unsigned int addEventListener(std::function<void(Event)> listener, Evas_Object* owner);
    // "%02d:%02d" of whole minutes and seconds.
    static std::string formatTime(int milliseconds);
    // The clip's length in milliseconds, 0 when unknown; read once per file.
    static int readDuration(const std::string& path);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;

private:
    void _onPlayerEvent(MVSoundPlayer::Event event);
    void _updateProgress();
    void _showProgressEnd();
    void _deleteTimer();
    void _showHeadsetPopup();
    void _showUnsupportedToast();
    view_kit::WViewController* _popupHost();
    static Eina_Bool _progressTimerCb(void* data);

    msg_store::Content _content;
    Evas_Object* _layout = nullptr;
    Ecore_Timer* _progressTimer = nullptr;
    int _duration = 0;
    int _position = 0;
    // This clip is the one the player has loaded (playing or paused).
    bool _active = false;
    // A start of this clip is running: a refusal of its file is ours to show.
    bool _starting = false;
    view_kit::WSignal<void(Event)> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
