/*
 * Starts other applications of the device: a generic launch that keeps one
 * outstanding request with a reply callback, and fixed launchers for calls,
 * contacts, connection popups, the store and the map viewer. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONAPPLAUNCHMGR_H
#define MSG_APP_COMMON_MCOMMONAPPLAUNCHMGR_H

#include "app_control.h"
#include "common/LaunchRequest.h"

#include <functional>
#include <vector>

namespace msg_app {

class MCommonAppLaunchMgr {
public:
    typedef std::function<void(app_control_h request, app_control_h reply, app_control_result_e result)>
        ReplyCb;

    static MCommonAppLaunchMgr* getInstance();

    // On true the manager owns request; on false the caller still does. A launch still outstanding
    // is ended first; the reply (or the next launch) ends this one.
    bool launch(app_control_h request, ReplyCb cb);
    // The same, but the manager takes the request either way: a refused one is destroyed.
    bool launch(LaunchRequest request, ReplyCb cb);
    // Ends the outstanding launch: its application is asked to close and the request destroyed.
    bool destroyHandle();

    void launchVoiceCall(const char* number, const char* displayName);
    void launchContactMain();
    void launchAddContactView(const char* number);
    void launchFabrelPopup(const char* connectionType);
    void launchBtConnectPopup();
    void launchBtHeadsetConnectPopup();
    void launchHulmStore(const char* url);
    void launchHereMap(const char* url);

private:
    MCommonAppLaunchMgr() = default;
    ~MCommonAppLaunchMgr();
    MCommonAppLaunchMgr(const MCommonAppLaunchMgr&) = delete;
    MCommonAppLaunchMgr& operator=(const MCommonAppLaunchMgr&) = delete;

    static void _destroy();
    // Ends what is still outstanding while the launch service is alive.
    static void _releaseAwaitedRequests();
    void _registerRequestsRelease();
    static void _replyCb(app_control_h request, app_control_h reply, app_control_result_e result, void* data);
    typedef void (*FixedReplyHandler)(app_control_h reply, app_control_result_e result);
    static void _fixedReplyCb(app_control_h request, app_control_h reply, app_control_result_e result,
                              void* data);
    // Sends a request that needs no reply; it goes with the call.
    static void _sendAndDestroy(LaunchRequest request);
    // Sends a request whose reply is only logged; it is kept until the reply destroys it, as
    // destroying a request drops the reply it awaits.
    void _sendKeptUntilReply(LaunchRequest request, const FixedReplyHandler* handler);

    static MCommonAppLaunchMgr* _instance;
    app_control_h _handle = nullptr;
    ReplyCb _replyCallback;
    std::vector<LaunchRequest> _awaitingFixedReply;
};

} // namespace msg_app

#endif
