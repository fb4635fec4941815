/*
 * The send-only process's work: read the launch request, check, send, show
 * the sending popup until the store reports a final status, then end.
 * Every way out closes a popup, and closing it ends the process.
 */
#ifndef MSG_SEND_SENDFLOW_H
#define MSG_SEND_SENDFLOW_H

#include "app_control.h"
#include "compose/MCMsgData.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <memory>

namespace msg_app {
class MCommonProgressPopup;
namespace compose {

class SendFlow {
public:
    // host shows the popups; it outlives the flow. appControlType is the process's kind: the
    // send-only process, or the compose process sending text the input selector handed over.
    SendFlow(view_kit::WViewController* host, app_control_h request, AppControlType appControlType);
    ~SendFlow();
    SendFlow(const SendFlow&) = delete;
    SendFlow& operator=(const SendFlow&) = delete;

    void start();

private:
    bool _parse();
    void _send();
    void _showSendingPopup();
    void _showToast(const char* textId);
    void _attach(view_kit::WViewController* popup);
    static void _storageChangedCb(const char* payload, void* data);
    static void _exit(const char* reason);

    view_kit::WViewController* _host;
    app_control_h _request;
    AppControlType _appControlType;
    std::shared_ptr<MCMsgData> _msg;
    std::weak_ptr<view_kit::WTimer> _resultTimer;
    std::weak_ptr<view_kit::WTimer> _retailTimer;
    std::weak_ptr<MCommonProgressPopup> _sendingPopup;
    bool _subscribed = false;
};

} // namespace compose
} // namespace msg_app

#endif
