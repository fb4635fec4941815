#include "ComposeBodyScreen.h"

#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/body/MCItemBody.h"
#include "compose/body/MCItemBodyOutgoingButton.h"

#include <Elementary.h>

namespace msg_app {
namespace shell {

std::shared_ptr<compose::MCMsgData>& ComposeBodyScreen::_record(const std::string& text) {
    // The record outlives the call: the screen keeps its own reference.
    static std::shared_ptr<compose::MCMsgData> record;
    record = std::make_shared<compose::MCMsgData>();
    record->recipient = {"+15550100001"};
    record->body = text;
    record->newMsgFromSelector = true;
    return record;
}

ComposeBodyScreen::ComposeBodyScreen(const std::string& text, Show show, int scrollY)
    : MCBodyContentViewController(_record(text), nullptr), _showWhat(show), _scrollY(scrollY) {}

void ComposeBodyScreen::onCreated() {
    MCBodyContentViewController::onCreated();
    // What goes over the screen needs the screen on its naviframe first.
    _showJob.start([this] { _show(); });
}

void ComposeBodyScreen::_show() {
    const char* toastId = nullptr;
    switch (_showWhat) {
    case Show::BODY:
        return;
    case Show::EDITOR:
        if (getBodyItem() && getBodyItem()->getEntry())
            evas_object_smart_callback_call(getBodyItem()->getEntry(), "clicked", nullptr);
        return;
    case Show::DISCARD:
        onPop();
        return;
    case Show::PAGES:
        // Send, as a tap on it: a text of several messages asks first.
        if (getBodyItem() && getBodyItem()->getSendButton())
            evas_object_smart_callback_call(getBodyItem()->getSendButton(), "clicked", nullptr);
        return;
    case Show::SCROLLED:
        if (getGenlist())
            elm_scroller_region_show(getGenlist(), 0, _scrollY, 360, 360);
        if (getOutgoingButtons())
            getOutgoingButtons()->updateButtonSizeByScrollPosition(_scrollY, true);
        else
            MSG_LOGW("no send-path buttons: the watch has no SIM of its own (msg-sim profile standalone)");
        return;
    case Show::TOAST_MAX_CHARACTERS:
        toastId = MAX_CHARACTERS_ID;
        break;
    case Show::TOAST_COULDNT_SEND:
        toastId = compose::MCSendFlow::COULDNT_SEND_ID;
        break;
    case Show::TOAST_WILL_BE_SENT:
        toastId = compose::MCSendFlow::WILL_BE_SENT_ID;
        break;
    }
    if (!attachPopup(MCommonPopup::createToastPopup(toastId, nullptr, nullptr, 60.0)))
        MSG_LOGE("toast %s cannot be shown", toastId);
}

} // namespace shell
} // namespace msg_app
