#include "common/popup/MCommonProgressPopup.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"

namespace msg_app {

namespace {

constexpr double ACCESS_READ_DELAY = 0.4;

// The published job item; taking it out leaves the holder empty, so deleting the entry frees
// only what nobody took.
struct JobData {
    void* data;
    void (*freeFn)(void*);
};

void freeJobDataCb(void* data) {
    auto* holder = static_cast<JobData*>(data);
    if (holder->data && holder->freeFn)
        holder->freeFn(holder->data);
    delete holder;
}

} // namespace

struct MCommonProgressPopup::BgAction {
    int state = BG_IDLE;
    double shownAt = 0; // ecore_time_get() when the minimum display time started
    std::weak_ptr<view_kit::WTimer> timer;
    view_kit::WThread thread;
    Worker worker;
    Notify notify;
};

MCommonProgressPopup::MCommonProgressPopup(ProgressStyle style, const char* text)
    : _style(style), _text(text ? text : "") {
    setName("MCommonProgressPopup");
    setOnAddProperties([](Evas_Object* popup) {
        elm_object_style_set(popup, "circle");
        evas_object_size_hint_weight_set(popup, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    });
    setContent([this](Evas_Object* parent) { return _getPopupContent(parent, _style); });
    // A job in progress is not abandoned by the back key unless the owner says so.
    setOnBack([this](bool* destroyPopup) {
        // A copy: the callback may destroy this popup, and what it captured must outlive the call.
        BackCb running = _backCb;
        if (running)
            running(_userData, destroyPopup);
    });
}

MCommonProgressPopup::~MCommonProgressPopup() {
    // The popup's object went before this: its focus is handed back already.
    if (_endPending) {
        DestroyCb last = std::move(_endPending);
        last(_userData);
    }
}

MCommonProgressPopup* MCommonProgressPopup::createPopup(ProgressStyle style, const char* text,
                                                        DestroyCb destroyCb, BackCb backCb, void* data) {
    auto* popup = new MCommonProgressPopup(style, text);
    popup->_destroyCb = std::move(destroyCb);
    popup->_backCb = std::move(backCb);
    popup->_userData = data;
    return popup;
}

MCommonProgressPopup* MCommonProgressPopup::createBgActionPopup(ProgressStyle style, const char* text,
                                                                Worker worker, Notify notify, DestroyCb endCb,
                                                                BackCb backCb, void* data) {
    MCommonProgressPopup* popup = createPopup(style, text, std::move(endCb), std::move(backCb), data);
    popup->_bgAction = std::make_unique<BgAction>();
    popup->_bgAction->worker = std::move(worker);
    popup->_bgAction->notify = std::move(notify);
    return popup;
}

bool MCommonProgressPopup::addJobData(void* data, void (*freeFn)(void*)) const {
    MSG_RETV_IF(!data, false, "data is null");
    // Adding under a taken key would silently replace the item.
    MSG_RETV_IF(ecore_thread_global_data_find(JOB_DATA_KEY), false, "jobData is already added");
    auto* holder = new JobData{data, freeFn};
    if (!ecore_thread_global_data_add(JOB_DATA_KEY, holder, freeJobDataCb, EINA_FALSE)) {
        MSG_LOGE("jobData is already added");
        delete holder;
        return false;
    }
    return true;
}

void* MCommonProgressPopup::getJobData() const {
    auto* holder = static_cast<JobData*>(ecore_thread_global_data_find(JOB_DATA_KEY));
    if (!holder)
        return nullptr;
    void* data = holder->data;
    holder->data = nullptr;
    ecore_thread_global_data_del(JOB_DATA_KEY);
    return data;
}

Evas_Object* MCommonProgressPopup::_getPopupContent(Evas_Object* parent, ProgressStyle style) {
    MSG_RETV_IF(!parent, nullptr, "parent is null");
    const char* group = nullptr;
    const char* barStyle = nullptr;
    const char* barPart = nullptr;
    switch (style) {
    case FULL:
        group = "progress/custom/full_popup", barStyle = "process", barPart = "elm.swallow.content";
        break;
    case SENDING:
        group = "progress/custom/sending_popup", barStyle = "process/popup/small",
        barPart = "swallow.progress";
        break;
    default:
        MSG_LOGE("invalid style(%d)", static_cast<int>(style));
        return nullptr;
    }
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is null");
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), group);
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);

    Evas_Object* bar = elm_progressbar_add(layout);
    if (bar) {
        elm_object_style_set(bar, barStyle);
        elm_progressbar_pulse_set(bar, EINA_TRUE);
        elm_progressbar_pulse(bar, EINA_TRUE);
        elm_object_part_content_set(layout, barPart, bar);
    }
    elm_object_domain_translatable_part_text_set(layout, "text", common_ui_helper::TEXT_DOMAIN,
                                                 _text.c_str());
    if (common_util::is_screen_reader_enabled()) {
        if (bar)
            elm_access_object_unregister(bar);
        _startAccessReading(layout);
    }
    evas_object_show(layout);
    return layout;
}

// The text is read once the popup has settled, instead of the bar.
void MCommonProgressPopup::_startAccessReading(Evas_Object* layout) {
    view_kit::WTimer::destroy(_accessTimer);
    _accessTimer = view_kit::WTimer::addTimer(
        ACCESS_READ_DELAY,
        [this, layout](void*) {
            Evas_Object* edje = elm_layout_edje_get(layout);
            auto* partObj = const_cast<Evas_Object*>(edje_object_part_object_get(edje, "text"));
            MSG_RETV_IF(!partObj, false, "text part is null");
            Evas_Object* ao = elm_access_object_register(partObj, layout);
            MSG_RETV_IF(!ao, false, "access object is null");
            const char* text = common_ui_helper::get_text(_text.c_str());
            elm_access_info_set(ao, ELM_ACCESS_INFO, text);
            elm_access_highlight_set(ao);
            elm_access_say(text);
            return false;
        },
        nullptr);
}

void MCommonProgressPopup::onCreated() {
    WPopupController::onCreated();
    if (_bgAction)
        _startBgAction();
}

void MCommonProgressPopup::_startBgAction() {
    BgAction& bg = *_bgAction;
    bg.state = BG_WAITING;
    bg.shownAt = ecore_time_get();
    _armMinimumTimer(MIN_DISPLAY_TIME);
    void* data = _userData;
    Worker worker = bg.worker;
    bg.thread.setWorker([worker, data](view_kit::WThread::IStatus* status, Ecore_Thread* thread) {
        MSG_LOGD("onThreadWorkerCb - Start");
        if (worker)
            worker(data, status, thread);
        MSG_LOGD("onThreadWorkerCb - Done");
    });
    if (bg.notify) {
        bg.thread.setNotifyCb(
            [this](view_kit::WThread*, void* jobResult) { _bgAction->notify(_userData, jobResult); });
    }
    bg.thread.setEndCb([this](view_kit::WThread*) { _onThreadEnd(); });
    bg.thread.setCancelCb([this](view_kit::WThread*) { _onThreadEnd(); });
    if (!bg.thread.run()) {
        // Nothing will run: the popup goes once its minimum time is over.
        MSG_LOGE("thread run failed");
        _onThreadEnd();
    }
}

void MCommonProgressPopup::_armMinimumTimer(double seconds) {
    _bgAction->timer = view_kit::WTimer::addTimer(
        seconds, [this](void*) { return _onTimeout(); }, nullptr);
}

bool MCommonProgressPopup::_onTimeout() {
    MSG_LOGD("onTimeOutCb : ");
    // Timers count from the main loop's time, which can lag the moment the popup appeared.
    double remaining = MIN_DISPLAY_TIME - (ecore_time_get() - _bgAction->shownAt);
    if (remaining > 0.001) {
        _armMinimumTimer(remaining);
        return false;
    }
    if (_bgAction->state == BG_JOB_DONE) {
        MSG_LOGD("Action has been done. destroy popup.");
        destroy();
        return false;
    }
    MSG_LOGD("popup timeout !");
    _bgAction->state = BG_TIME_PASSED;
    return false;
}

void MCommonProgressPopup::_onThreadEnd() {
    MSG_LOGD("[Enter]");
    if (MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING)
        return;
    switch (_bgAction->state) {
    case BG_WAITING:
        MSG_LOGD("waiting pop-up timeout...");
        _bgAction->state = BG_JOB_DONE;
        break;
    case BG_TIME_PASSED:
        _startDestroyIdler();
        break;
    default:
        MSG_LOGE("popup_state (%d) : invalid case", _bgAction->state);
        break;
    }
}

void MCommonProgressPopup::_startDestroyIdler() {
    MSG_RET_IF(!_bgAction->timer.expired(), "_timer is alive. please check!!!");
    std::weak_ptr<view_kit::WViewController> weak = getWeakPtr();
    view_kit::WTimer::addIdler(
        [weak](void*) {
            MSG_LOGD("onDestroyIdler :");
            if (auto popup = weak.lock())
                popup->destroy();
            return false;
        },
        nullptr);
}

void MCommonProgressPopup::onDestroy() {
    if (ecore_thread_global_data_find(JOB_DATA_KEY)) {
        MSG_LOGD("delete global job data");
        ecore_thread_global_data_del(JOB_DATA_KEY);
    }
    view_kit::WTimer::destroy(_accessTimer);
    if (_bgAction) {
        view_kit::WTimer::destroy(_bgAction->timer);
        _bgAction->thread.cancelWithoutCallback(0);
        _bgAction.reset();
    }
    // Told when the object has gone (the destructor): the callback may delete the widget the
    // popup's focus goes back to as the popup is deleted.
    _endPending = std::move(_destroyCb);
    WPopupController::onDestroy();
}

} // namespace msg_app
