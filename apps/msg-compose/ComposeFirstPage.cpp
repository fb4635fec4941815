#include "ComposeFirstPage.h"

#include "ComposeRefusalScreen.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "compose/body/MCComposerOpener.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/launch/MCLaunchMgr.h"
#include "compose/send/MCSendContentViewController.h"

#include <Elementary.h>

#include <memory>
#include <string>
#include <vector>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* COULDNT_SEND = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";
// The input selector's chosen text; a request without it asks to write one.
constexpr const char* SELECTED_CONTEXT = "selected_context";

bool parse(app_control_h request, std::shared_ptr<MCMsgData>& msg) {
    MCAppControlParser parser;
    return parser.parseOperationData(request, msg) && parser.parseExtraData(request, msg) &&
           parser.parseExtraDataArray(request, APP_CONTROL_COMPOSE, msg);
}

view_kit::WContentViewController* refuse(ComposeRefusalScreen::PopupFactory popup) {
    return new ComposeRefusalScreen(std::move(popup));
}

// A request the composer cannot work with: the toast that it could not be sent ends the process.
view_kit::WContentViewController* refuseCouldntSend() {
    return refuse([] {
        return MCommonPopup::createToastPopup(
            COULDNT_SEND,
            [](void*, const Evas_Object*) {
                MSG_LOGI("[msg-compose] toast closed: process elm_exit()");
                elm_exit();
            },
            nullptr);
    });
}

} // namespace

view_kit::WContentViewController* createComposeFirstPage(app_control_h request) {
    std::string chosen;
    if (common_util::get_extra_data(request, SELECTED_CONTEXT, chosen) && !chosen.empty())
        return new MCSendContentViewController(request, APP_CONTROL_COMPOSE);

    auto msg = std::make_shared<MCMsgData>();
    if (!parse(request, msg)) {
        MSG_LOGE("the compose request cannot be read");
        return refuseCouldntSend();
    }
    std::vector<std::string> recipients = msg->recipient;
    if (recipients.empty())
        recipients.emplace_back();
    MCLaunchMgr::Error error =
        MCLaunchMgr::checkCondition(MCLaunchMgr::CHECK_ALL, APP_CONTROL_COMPOSE, recipients);
    if (error != MCLaunchMgr::ERROR_NONE) {
        MSG_LOGE("checkCondition() returns error(%d)", error);
        return refuse([error] { return MCLaunchMgr::createErrorPopup(error, APP_CONTROL_COMPOSE); });
    }
    view_kit::WContentViewController* composer = MCComposerOpener::createComposer(msg, request);
    return composer ? composer : refuseCouldntSend();
}

} // namespace compose
} // namespace msg_app
