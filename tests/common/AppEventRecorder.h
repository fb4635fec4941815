// The application events heard on the event bus while the recorder lives, in order.
#ifndef MSG_TESTS_COMMON_APPEVENTRECORDER_H
#define MSG_TESTS_COMMON_APPEVENTRECORDER_H

#include "common/MCommonAppEventMgr.h"

#include <algorithm>
#include <vector>

class AppEventRecorder : public msg_app::IMCommonAppEventListener {
public:
    AppEventRecorder() { msg_app::MCommonAppEventMgr::getInstance()->addListener(this); }
    ~AppEventRecorder() override { msg_app::MCommonAppEventMgr::getInstance()->removeListener(this); }
    AppEventRecorder(const AppEventRecorder&) = delete;
    AppEventRecorder& operator=(const AppEventRecorder&) = delete;

    void appEventListener(msg_app::MCommonAppEventType type) override { events.push_back(type); }
    int count(msg_app::MCommonAppEventType type) const {
        return static_cast<int>(std::count(events.begin(), events.end(), type));
    }

    std::vector<msg_app::MCommonAppEventType> events;
};

#endif
