// A phone number tapped in a bubble: the option panel's call and message entries.
#include "viewer/MVItem/MVItemBubble.h"

#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "viewer/MVComposeLaunch.h"
#include "viewer/MVOptionMgr.h"

#include <Elementary.h>

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

void MVItemBubble::_cutlinkSelectPhone(const std::string& markup) {
    char* utf8 = elm_entry_markup_to_utf8(markup.c_str());
    MSG_RET_IF(!utf8, "utfText is nullptr!");
    std::string number;
    bool valid = common_util::make_normalized_number(utf8, number);
    free(utf8);
    // Whatever the text held, only a dialable number goes to the call and the composer.
    MSG_RET_IF(!valid || !common_util::is_phone_number(number.c_str()), "not a phone number");
    MVOptionMgr* mgr = MVOptionMgr::getInstance();
    std::weak_ptr<void> alive = _resendState;
    bool created = mgr->createCutlinkOption(
        [this, alive](MoreOption option, const std::string& chosen) {
            // The bubble may have scrolled away and been deleted while the panel was open.
            if (!alive.expired())
                _onCutlinkOption(option, chosen);
        },
        number.c_str());
    if (created)
        mgr->openMenu();
}

void MVItemBubble::_onCutlinkOption(int option, const std::string& number) {
    switch (option) {
    case MORE_OPTION_CALL_NUMBER:
        dazo_log::insert("CLNB", "Call");
        MCommonAppLaunchMgr::getInstance()->launchVoiceCall(number.c_str(), nullptr);
        break;
    case MORE_OPTION_SEND_MESSAGE:
        compose_launch::new_message(getParentViewController().get(), number);
        break;
    default:
        MSG_LOGE("invalid option type (%d)", option);
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
