/*
 * A round popup with a pulsing progress bar. The background-action form runs
 * a job on a worker thread and stays on screen at least a second, so that a
 * quick job does not merely flash the popup. Main loop only, apart from the
 * job itself and the job data it publishes.
 */
#ifndef MSG_APP_COMMON_POPUP_MCOMMONPROGRESSPOPUP_H
#define MSG_APP_COMMON_POPUP_MCOMMONPROGRESSPOPUP_H

#include "view_kit/WPopupController.h"
#include "view_kit/WThread.h"
#include "view_kit/WTimer.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {

class MCommonProgressPopup : public view_kit::WPopupController {
public:
    enum ProgressStyle {
        FULL = 0,
        SENDING = 1,
    };

    using Worker = std::function<void(void* data, view_kit::WThread::IStatus* status, Ecore_Thread* thread)>;
    using Notify = std::function<void(void* data, void* jobResult)>;
    using DestroyCb = std::function<void(void* data)>;
    using BackCb = std::function<void(void* data, bool* destroyPopup)>;

    static constexpr const char* JOB_DATA_KEY = "com.vorlane.message:process_popup_job_data";
    static constexpr double MIN_DISPLAY_TIME = 1.0;

    // Without backCb the back key leaves the popup up.
    static MCommonProgressPopup* createPopup(ProgressStyle style, const char* text, DestroyCb destroyCb,
                                             BackCb backCb, void* data);
    // The popup starts worker when it is shown and goes away when the job has ended and it has
    // been up for MIN_DISPLAY_TIME; endCb(data) is its last call.
    // The destroy and end callbacks run once the popup's object has gone, so they may delete
    // what the popup would have given the focus back to.
    static MCommonProgressPopup* createBgActionPopup(ProgressStyle style, const char* text, Worker worker,
                                                     Notify notify, DestroyCb endCb, BackCb backCb,
                                                     void* data);

    // One item the worker hands over; the popup frees it with freeFn if nobody takes it.
    bool addJobData(void* data, void (*freeFn)(void*)) const;
    // Takes the published item out without freeing it; null when there is none.
    void* getJobData() const;

    ~MCommonProgressPopup() override;

protected:
    void onCreated() override;
    void onDestroy() override;

private:
    struct BgAction;
    enum BgState {
        BG_IDLE = 0,
        BG_WAITING = 1,
        BG_JOB_DONE = 2,
        BG_TIME_PASSED = 3,
    };

    explicit MCommonProgressPopup(ProgressStyle style, const char* text);

    Evas_Object* _getPopupContent(Evas_Object* parent, ProgressStyle style);
    void _startAccessReading(Evas_Object* layout);
    void _startBgAction();
    void _armMinimumTimer(double seconds);
    bool _onTimeout();
    void _onThreadEnd();
    void _startDestroyIdler();

    ProgressStyle _style;
    std::string _text;
    DestroyCb _destroyCb;
    DestroyCb _endPending; // the destroy callback, from onDestroy() until the popup's object has gone
    BackCb _backCb;
    void* _userData = nullptr;
    std::unique_ptr<BgAction> _bgAction;
    std::weak_ptr<view_kit::WTimer> _accessTimer;
};

} // namespace msg_app

#endif
