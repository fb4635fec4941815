#include "viewer/MVLinkOpener.h"

#include "app_control.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonCutlinkMgr.h"
#include "common/MsgLog.h"
#include "common/view/MCommonWebContentViewController.h"
#include "qel.h"
#include "viewer/MVComposeLaunch.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVOptionMgr.h"

#include <Elementary.h>
#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr size_t LINK_MAX = 511;

// The markup as plain text; false when it has none.
bool plainText(const std::string& markup, std::string& out) {
    char* utf8 = elm_entry_markup_to_utf8(markup.c_str());
    MSG_RETV_IF(!utf8, false, "utfText is nullptr!");
    out = utf8;
    free(utf8);
    return true;
}

} // namespace

void MVLinkOpener::open(MVItemBubble& bubble, const char* anchor) {
    MSG_RET_IF(!anchor || strlen(anchor) < 2, "anchor is too short");
    std::string href(anchor + 1);
    for (const char* scheme :
         {QEL_CUT_LINK_SCHEME_PHONE, MCommonCutlinkMgr::SCHEME_APPSTORE, QEL_CUT_LINK_SCHEME_URI}) {
        if (href.compare(0, strlen(scheme), scheme) != 0)
            continue;
        std::string value = href.substr(strlen(scheme), LINK_MAX);
        if (strcmp(scheme, QEL_CUT_LINK_SCHEME_PHONE) == 0) {
            _offerNumber(bubble, value);
            return;
        }
        std::string url;
        if (!plainText(value, url))
            return;
        if (strcmp(scheme, MCommonCutlinkMgr::SCHEME_APPSTORE) == 0)
            MCommonAppLaunchMgr::getInstance()->launchHulmStore(url.c_str());
        else
            _openUri(bubble, url);
        return;
    }
    MSG_LOGW("link [%s] has no scheme of ours", href.c_str());
}

void MVLinkOpener::_openUri(MVItemBubble& bubble, const std::string& url) {
    switch (MCommonCutlinkMgr::getInstance()->getUriTarget(url)) {
    case MCommonCutlinkMgr::URI_MAP:
        MCommonAppLaunchMgr::getInstance()->launchHereMap(url.c_str());
        return;
    case MCommonCutlinkMgr::URI_STORE:
        MCommonAppLaunchMgr::getInstance()->launchHulmStore(url.c_str());
        return;
    case MCommonCutlinkMgr::URI_WEB_VIEW:
        if (_openWebView(bubble, url))
            return;
        break;
    case MCommonCutlinkMgr::URI_BROWSER:
        break;
    case MCommonCutlinkMgr::URI_NONE:
        MSG_LOGW("nothing on the watch opens this link");
        return;
    }
    _openInBrowser(url);
}

bool MVLinkOpener::_openWebView(MVItemBubble& bubble, const std::string& url) {
    // The finger is done with the bubble: the page that opens takes it.
    bubble.releaseFinger();
    auto* page = new MCommonWebContentViewController(url.c_str());
    if (!common_ui_helper::push_to_naviframe_by_item(bubble.getElmObjectItem(), page)) {
        MSG_LOGE("the web view is not shown");
        return false;
    }
    return true;
}

void MVLinkOpener::_openInBrowser(const std::string& link) {
    std::string url = link;
    if (g_ascii_strncasecmp(url.c_str(), "http://", 7) != 0 &&
        g_ascii_strncasecmp(url.c_str(), "https://", 8) != 0)
        url = "http://" + url;
    LaunchRequest request = createLaunchRequest();
    MSG_RET_IF(!request, "app_control_create failed");
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_VIEW);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_set_uri(request.get(), url.substr(0, LINK_MAX + 1).c_str());
    if (app_control_send_launch_request(request.get(), nullptr, nullptr) != APP_CONTROL_ERROR_NONE)
        MSG_LOGE("app_control_send_launch_request is failed");
}

void MVLinkOpener::_offerNumber(MVItemBubble& bubble, const std::string& markup) {
    std::string text, number;
    if (!plainText(markup, text))
        return;
    // Whatever the text held, only a dialable number goes to the call and the composer.
    bool valid = common_util::make_normalized_number(text.c_str(), number);
    MSG_RET_IF(!valid || !common_util::is_phone_number(number.c_str()), "not a phone number");
    MVOptionMgr* mgr = _options();
    MSG_RET_IF(!mgr, "no option panel");
    std::weak_ptr<void> alive = bubble.getLifeToken();
    bool created = mgr->createCutlinkOption(
        [this, alive](MoreOption option, const std::string& chosen) {
            // The bubble may have scrolled away and been deleted while the panel was open.
            if (!alive.expired())
                _onNumberOption(option, chosen);
        },
        number.c_str());
    if (created)
        mgr->openMenu();
}

void MVLinkOpener::_onNumberOption(int option, const std::string& number) {
    switch (option) {
    case MORE_OPTION_CALL_NUMBER:
        dazo_log::insert("CLNB", "Call");
        MCommonAppLaunchMgr::getInstance()->launchVoiceCall(number.c_str(), nullptr);
        break;
    case MORE_OPTION_SEND_MESSAGE:
        compose_launch::new_message(&_host, number);
        break;
    default:
        MSG_LOGE("invalid option type (%d)", option);
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
