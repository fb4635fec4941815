#include "viewer/media/MVAudioViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "metadata_extractor.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"
#include "viewer/media/MVContentTap.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr double PROGRESS_INTERVAL = 0.1;

int durationFromFile(const std::string& path) {
    metadata_extractor_h metadata = nullptr;
    int err = metadata_extractor_create(&metadata);
    MSG_RETV_IF(err != METADATA_EXTRACTOR_ERROR_NONE, 0, "metadata_extractor_create failed [%d]", err);
    int duration = 0;
    err = metadata_extractor_set_path(metadata, path.c_str());
    if (err != METADATA_EXTRACTOR_ERROR_NONE) {
        MSG_LOGE("metadata_extractor_set_path failed [%d]", err);
    } else {
        char* value = nullptr;
        if (metadata_extractor_get_metadata(metadata, METADATA_DURATION, &value) ==
                METADATA_EXTRACTOR_ERROR_NONE &&
            value)
            duration = atoi(value);
        free(value);
    }
    metadata_extractor_destroy(metadata);
    return duration > 0 ? duration : 0;
}

} // namespace

MVAudioViewController::MVAudioViewController(const msg_store::Content& content) : _content(content) {
    setName("MVAudioViewController");
}

std::string MVAudioViewController::formatTime(int milliseconds) {
    int seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    char text[16];
    snprintf(text, sizeof(text), "%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

int MVAudioViewController::readDuration(const std::string& path) {
    // Bubbles are realized again at every scroll; the file is read only the first time.
    static std::unordered_map<std::string, int> durations;
    MSG_RETV_IF(path.empty(), 0, "path is empty");
    auto found = durations.find(path);
    if (found != durations.end())
        return found->second;
    int duration = durationFromFile(path);
    durations.emplace(path, duration);
    return duration;
}

Evas_Object* MVAudioViewController::onCreateView(Evas_Object* parent, void*) {
    _layout = elm_layout_add(parent);
    MSG_RETV_IF(!_layout, nullptr, "elm_layout_add failed");
    elm_layout_file_set(_layout, common_util::get_message_edj().c_str(), "bubble/content/sound/receive");
    Evas_Object* edje = elm_layout_edje_get(_layout);
    const std::string& name = _content.fileName.empty() ? _content.filePath : _content.fileName;
    // Text parts show the name as it is: it never becomes markup.
    edje_object_part_text_set(edje, "text.filename", common_ui_helper::to_layout_safe(name).c_str());
    _duration = readDuration(_content.filePath);
    edje_object_part_text_set(edje, "text.time", formatTime(_duration).c_str());
    MVContentTap::attach(_layout,
                         [this](MVContentTap::Kind kind) { _signal.emit(static_cast<Event>(kind)); });

    MVSoundPlayer* player = MVSoundPlayer::getInstance();
    player->addEventListener([this](MVSoundPlayer::Event event) { _onPlayerEvent(event); }, _layout);
    // Realized again while its clip plays or is paused: it shows where the clip is.
    if (player->isCurrent(_content)) {
        bool playing = player->getState() == MVSoundPlayer::STATE_PLAYING;
        _onPlayerEvent(playing ? MVSoundPlayer::STARTED : MVSoundPlayer::PAUSED);
    }
    return _layout;
}

void MVAudioViewController::onDestroy() {
    _deleteTimer();
    _layout = nullptr;
}

unsigned int MVAudioViewController::addEventListener(std::function<void(Event)> listener,
                                                     Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVAudioViewController::click() {
    dazo_log::insert("PVBB", nullptr);
    if (!MVSoundPlayer::activeSoundPathAvailable()) {
        _showHeadsetPopup();
        return;
    }
    MVSoundPlayer* player = MVSoundPlayer::getInstance();
    int state = player->getState();
    if (player->isCurrent(_content) && state == MVSoundPlayer::STATE_PLAYING) {
        player->pause();
        return;
    }
    if (state != MVSoundPlayer::STATE_IDLE && state != MVSoundPlayer::STATE_PAUSED &&
        state != MVSoundPlayer::STATE_PLAYING) {
        MSG_LOGE("invalide state [%d]", state);
        return;
    }
    // Another clip that plays is stopped by the player itself.
    _starting = true;
    player->start(_content);
    _starting = false;
}

void MVAudioViewController::_onPlayerEvent(MVSoundPlayer::Event event) {
    if (!_layout)
        return;
    bool current = MVSoundPlayer::getInstance()->isCurrent(_content);
    // A stop concerns the clip that was playing; everything else the clip loaded now.
    if (event == MVSoundPlayer::STOPPED ? !_active
                                        : !(current || (_starting && event == MVSoundPlayer::UNSUPPORTED)))
        return;
    _active = current;
    switch (event) {
    case MVSoundPlayer::STARTED:
    case MVSoundPlayer::RESUMED:
        elm_layout_signal_emit(_layout, "sound,play", "");
        if (_progressTimer)
            ecore_timer_thaw(_progressTimer);
        else
            _progressTimer = ecore_timer_add(PROGRESS_INTERVAL, _progressTimerCb, this);
        _updateProgress();
        break;
    case MVSoundPlayer::PAUSED:
        elm_layout_signal_emit(_layout, "sound,pause", "");
        if (_progressTimer)
            ecore_timer_freeze(_progressTimer);
        _updateProgress();
        break;
    case MVSoundPlayer::STOPPED:
        elm_layout_signal_emit(_layout, "sound,pause", "");
        _deleteTimer();
        _showProgressEnd();
        break;
    case MVSoundPlayer::UNSUPPORTED:
        _showUnsupportedToast();
        break;
    }
}

void MVAudioViewController::_updateProgress() {
    MVSoundPlayer* player = MVSoundPlayer::getInstance();
    _position = player->getPosition();
    // The file may not say how long it is; the player may know once it plays.
    if (_duration <= 0)
        _duration = player->getDuration();
    double ratio = _duration > 0 ? static_cast<double>(_position) / _duration : 0.0;
    ratio = ratio < 0.0 ? 0.0 : ratio > 1.0 ? 1.0 : ratio;
    Evas_Object* edje = elm_layout_edje_get(_layout);
    edje_object_part_drag_value_set(edje, "rect.progress", ratio, 0.0);
    edje_object_part_text_set(edje, "text.time", formatTime(_position).c_str());
}

void MVAudioViewController::_showProgressEnd() {
    _position = 0;
    Evas_Object* edje = elm_layout_edje_get(_layout);
    edje_object_part_drag_value_set(edje, "rect.progress", 0.0, 0.0);
    edje_object_part_text_set(edje, "text.time", formatTime(_duration).c_str());
}

void MVAudioViewController::_deleteTimer() {
    if (_progressTimer)
        ecore_timer_del(_progressTimer);
    _progressTimer = nullptr;
}

void MVAudioViewController::_showHeadsetPopup() {
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, "WDS_ST_TPOP_CONNECT_BT_HEADSET",
        [](void*, bool* destroy) {
            *destroy = true;
            MCommonAppLaunchMgr::getInstance()->launchBtHeadsetConnectPopup();
        },
        [](void*, bool* destroy) { *destroy = true; }, nullptr, nullptr, nullptr);
    if (popup)
        _popupHost()->attachPopup(popup);
}

void MVAudioViewController::_showUnsupportedToast() {
    MCommonPopup* popup = MCommonPopup::createToastPopup(
        "WDS_MSG_TPOP_UNABLE_TO_VIEW_FILE_FILE_TYPE_NOT_SUPPORTED_BY_HULM", nullptr, nullptr);
    if (popup)
        _popupHost()->attachPopup(popup);
}

// A popup covers the area of the view it is attached to: on the clip's own small view it sat off
// centre and went with the bubble when its row was rebuilt. The page that shows the conversation
// holds it instead.
view_kit::WViewController* MVAudioViewController::_popupHost() {
    view_kit::WWindowController* window = getWindowController();
    view_kit::WNaviframeController* naviframe = window ? window->getNaviframeController() : nullptr;
    view_kit::WViewController* page = naviframe ? naviframe->getTopContentViewController() : nullptr;
    return page ? page : this;
}

Eina_Bool MVAudioViewController::_progressTimerCb(void* data) {
    static_cast<MVAudioViewController*>(data)->_updateProgress();
    return ECORE_CALLBACK_RENEW;
}

} // namespace msg_viewer
} // namespace msg_app
