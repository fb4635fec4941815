/*
 * The send-only process's page: black, as the watch face behind the
 * sending popup; it runs the send once it is on screen.
 */
#ifndef MSG_SEND_SENDSCREEN_H
#define MSG_SEND_SENDSCREEN_H

#include "SendFlow.h"

#include "view_kit/WContentViewController.h"

#include <Ecore.h>

#include <memory>

namespace msg_app {
namespace compose {

class SendScreen : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "send";

    SendScreen(app_control_h request, AppControlType appControlType)
        : _request(request), _appControlType(appControlType) {}
    ~SendScreen() override;
    const char* getClassName() const override { return "SendScreen"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;

private:
    static void _startJobCb(void* data);

    app_control_h _request;
    AppControlType _appControlType;
    std::unique_ptr<SendFlow> _flow;
    Ecore_Job* _startJob = nullptr;
};

} // namespace compose
} // namespace msg_app

#endif
