// The body screen's Send: the composer's send flow takes the text; the screen goes once the message is
// on its way and stays with the text when nothing went out.
#include "compose/body/MCBodyContentViewController.h"

#include "common/MsgLog.h"
#include "compose/body/MCItemBody.h"

namespace msg_app {
namespace compose {

void MCBodyContentViewController::_onSendClicked() {
    MSG_RET_IF(!_msg, "_msgSptr is nullptr");
    MSG_RET_IF(!_bodyItem || !_flow, "_bodyItem is nullptr");
    MSG_RET_IF(_bodyItem->isEntryEmpty(), "nothing to send");
    if (_flow->isHandedOver()) {
        MSG_LOGW("the message is on its way: it is not sent twice");
        return;
    }
    _msg->body = _bodyItem->getText();
    _flow->send();
}

void MCBodyContentViewController::_onSendEnded(MCSendFlow::Result result) {
    if (result == MCSendFlow::Result::SENT) {
        _finish();
        return;
    }
    // What did not go out is the text to send again.
    if (_bodyItem && _bodyItem->getText() != _msg->body)
        _bodyItem->setTextToEntry(_msg->body.c_str());
}

} // namespace compose
} // namespace msg_app
