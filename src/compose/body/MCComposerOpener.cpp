#include "compose/body/MCComposerOpener.h"

#include "common/MsgLog.h"
#include "compose/MCComposerStandIn.h"
#include "compose/body/MCBodyContentViewController.h"

namespace msg_app {
namespace compose {

MCComposerOpener::RecipientScreenFactory& MCComposerOpener::_recipientScreenFactory() {
    static RecipientScreenFactory factory;
    return factory;
}

void MCComposerOpener::setRecipientScreenFactory(RecipientScreenFactory factory) {
    _recipientScreenFactory() = std::move(factory);
}

view_kit::WContentViewController* MCComposerOpener::createComposer(std::shared_ptr<MCMsgData>& msg,
                                                                   app_control_h handle) {
    MSG_RETV_IF(!msg, nullptr, "msg is nullptr");
    if (!msg->recipient.empty())
        return createBodyScreen(msg, handle);
    if (_recipientScreenFactory())
        return _recipientScreenFactory()(msg, handle);
    MSG_LOGW("no recipient screen to choose the recipients with");
    return new MCComposerStandIn(NO_RECIPIENT_SCREEN_ID);
}

view_kit::WContentViewController* MCComposerOpener::createBodyScreen(std::shared_ptr<MCMsgData>& msg,
                                                                     app_control_h handle) {
    return new MCBodyContentViewController(msg, handle);
}

} // namespace compose
} // namespace msg_app
