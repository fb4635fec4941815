#include "compose/body/MCComposerOpener.h"

#include "common/MsgLog.h"
#include "compose/body/MCBodyContentViewController.h"
#include "compose/recipient/MCRecipientContentViewController.h"
#include "view_kit/WNaviframeController.h"

#include <type_traits>

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
    return createRecipientScreen(msg, handle);
}

view_kit::WContentViewController* MCComposerOpener::createRecipientScreen(std::shared_ptr<MCMsgData>& msg,
                                                                          app_control_h handle) {
    // The request outlives the process's first page only in the page's own copy.
    std::shared_ptr<std::remove_pointer<app_control_h>::type> request;
    if (handle) {
        app_control_h copy = nullptr;
        if (app_control_clone(&copy, handle) != APP_CONTROL_ERROR_NONE || !copy) {
            MSG_LOGE("the compose request cannot be kept for the body screen");
            return nullptr;
        }
        request.reset(copy, app_control_destroy);
    }
    auto* screen = new MCRecipientContentViewController();
    screen->setOnNextButtonClicked([screen, msg, request](const char* address) mutable {
        if (!address || !*address)
            return;
        msg->recipient = {address};
        MSG_LOGI("recipient chosen: body screen next");
        screen->getNaviframeController()->push(createBodyScreen(msg, request.get()));
    });
    return screen;
}

view_kit::WContentViewController* MCComposerOpener::createBodyScreen(std::shared_ptr<MCMsgData>& msg,
                                                                     app_control_h handle) {
    return new MCBodyContentViewController(msg, handle);
}

} // namespace compose
} // namespace msg_app
