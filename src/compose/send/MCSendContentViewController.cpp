#include "compose/send/MCSendContentViewController.h"

#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/launch/MCLaunchMgr.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace msg_app {
namespace compose {

namespace {

// The send benchmark reads this clock from the same machine.
void printMark(const char* name) {
    if (!getenv("MSG_SEND_TIMING"))
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    printf("%s-monotonic %.6f\n", name,
           static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
    fflush(stdout);
}

} // namespace

MCSendContentViewController::MCSendContentViewController(app_control_h request, AppControlType appControlType)
    : _request(request), _appControlType(appControlType), _msg(std::make_shared<MCMsgData>()) {
    setName(NAME);
}

Evas_Object* MCSendContentViewController::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* bg = elm_bg_add(parent);
    MSG_RETV_IF(!bg, nullptr, "elm_bg_add() failed");
    elm_bg_color_set(bg, 0, 0, 0);
    evas_object_show(bg);
    return bg;
}

void MCSendContentViewController::onCreated() {
    // The flow attaches popups to this page, so it starts once the page is pushed.
    _startJob.start([this] { _start(); });
}

void MCSendContentViewController::onDestroy() {
    _flow.reset();
}

void MCSendContentViewController::_exit(const char* reason) {
    MSG_LOGI("%s", reason);
    elm_exit();
}

// Closing the popup that says why nothing is sent ends the process.
void MCSendContentViewController::_refuse(view_kit::WViewController* popup) {
    if (!popup || !attachPopup(popup))
        _exit("no popup to show: process elm_exit()");
}

bool MCSendContentViewController::_parse() {
    MCAppControlParser parser;
    if (!parser.parseOperationData(_request, _msg) || !parser.parseExtraData(_request, _msg))
        return false;
    // The input selector hands its recipient and context over in its array.
    return _appControlType != APP_CONTROL_COMPOSE ||
           parser.parseExtraDataArray(_request, APP_CONTROL_COMPOSE, _msg);
}

void MCSendContentViewController::_start() {
    auto closed = [](void*, const Evas_Object*) { _exit("toast closed: process elm_exit()"); };
    if (!_parse()) {
        MSG_LOGE("the send request cannot be read");
        _refuse(MCommonPopup::createToastPopup(MCSendFlow::COULDNT_SEND_ID, closed, nullptr));
        return;
    }
    std::vector<std::string> recipients = _msg->recipient;
    if (recipients.empty())
        recipients.emplace_back();
    MCLaunchMgr::Error error =
        MCLaunchMgr::checkCondition(MCLaunchMgr::CHECK_ALL, _appControlType, recipients);
    // The compose process skips an empty recipient in its checks; there is still nobody to send to.
    if (error == MCLaunchMgr::ERROR_NONE && _msg->recipient.empty())
        error = MCLaunchMgr::ERROR_INVALID_RECIPIENT;
    if (error != MCLaunchMgr::ERROR_NONE) {
        MSG_LOGE("checkCondition() returns error(%d)", error);
        _refuse(MCLaunchMgr::createErrorPopup(error, _appControlType));
        return;
    }
    if (_msg->body.empty() && _msg->attachPath.empty()) {
        MSG_LOGE("nothing to send");
        _refuse(MCommonPopup::createToastPopup(MCSendFlow::COULDNT_SEND_ID, closed, nullptr));
        return;
    }
    _flow = std::make_unique<MCSendFlow>(this, _msg, _appControlType, [](MCSendFlow::Result result) {
        _exit(result == MCSendFlow::Result::SENT ? "the message is on its way: process elm_exit()"
                                                 : "nothing was sent: process elm_exit()");
    });
    printMark("send-call");
    _flow->send();
}

} // namespace compose
} // namespace msg_app
