/*
 * The process-wide application event bus: the executables and a few services
 * post events, every registered listener receives them in registration order.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONAPPEVENTMGR_H
#define MSG_APP_COMMON_MCOMMONAPPEVENTMGR_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonAppEventType.h"

#include <vector>

namespace msg_app {

class MCommonAppEventMgr {
public:
    static MCommonAppEventMgr* getInstance();

    // False for null and for a listener already registered.
    bool addListener(IMCommonAppEventListener* listener);
    void removeListener(IMCommonAppEventListener* listener);
    void removeAllListeners();

    // Events 0 to 3 also become the application state. A listener removed by an earlier one
    // during the same emission is not called; one added during it waits for the next.
    void emit(MCommonAppEventType type);
    int getAppState() const { return _appState; }

private:
    MCommonAppEventMgr() = default;
    ~MCommonAppEventMgr() = default;
    MCommonAppEventMgr(const MCommonAppEventMgr&) = delete;
    MCommonAppEventMgr& operator=(const MCommonAppEventMgr&) = delete;

    static void _destroy();
    bool _isRegistered(const IMCommonAppEventListener* listener) const;

    static MCommonAppEventMgr* _instance;
    std::vector<IMCommonAppEventListener*> _listeners;
    int _appState = APP_EVENT_INITIAL;
};

} // namespace msg_app

#endif
