/*
 * The page of a composer process that sends its launch request's message at
 * once: black, as the watch face behind the sending popup. It reads and
 * checks the request, sends through the composer's send flow and ends the
 * process when the flow has told how the send ended.
 */
#ifndef MSG_APP_COMPOSE_MCSENDCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_MCSENDCONTENTVIEWCONTROLLER_H

#include "app_control.h"
#include "compose/MCMsgData.h"
#include "compose/send/MCSendFlow.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <memory>

namespace msg_app {
namespace compose {

class MCSendContentViewController : public view_kit::WContentViewController {
public:
    static constexpr const char* NAME = "send";

    // request outlives the page; appControlType is the process's kind: the send-only process, or
    // the compose process sending the text the input selector chose.
    MCSendContentViewController(app_control_h request, AppControlType appControlType);
    const char* getClassName() const override { return "MCSendContentViewController"; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    void _start();
    bool _parse();
    void _refuse(view_kit::WViewController* popup);
    static void _exit(const char* reason);

    app_control_h _request;
    AppControlType _appControlType;
    std::shared_ptr<MCMsgData> _msg;
    std::unique_ptr<MCSendFlow> _flow;
    view_kit::WJob _startJob;
};

} // namespace compose
} // namespace msg_app

#endif
