// The objects a bubble's text items stand for, and its links.
#include "viewer/MVItem/MVItemBubble.h"

#include "app_control.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonCutlinkMgr.h"
#include "common/MsgLog.h"
#include "common/view/MCommonWebContentViewController.h"
#include "qel.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVMouseEventMgr.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr size_t LINK_MAX = 511;
// The colour of the time and marks on a sent bubble.
constexpr const char* SENT_INFO_COLOR = "T0222";

Evas_Object* themeIcon(Evas_Object* parent, const char* group) {
    Evas_Object* icon = elm_image_add(parent);
    if (!elm_image_file_set(icon, common_util::get_image_edj().c_str(), group))
        MSG_LOGE("image group %s cannot be loaded", group);
    return icon;
}

// The numbers after the token, "a.b.c"; false when any is not a whole decimal number.
bool parseNumbers(const char* text, std::vector<int>& out) {
    if (!text || !*text)
        return false;
    gchar** parts = g_strsplit(text, ".", -1);
    bool ok = true;
    for (gchar** p = parts; *p && ok; ++p) {
        char* end = nullptr;
        long value = strtol(*p, &end, 10);
        ok = end != *p && *end == '\0' && value >= 0 && value <= 100000;
        out.push_back(static_cast<int>(value));
    }
    g_strfreev(parts);
    return ok;
}

} // namespace

Evas_Object* MVItemBubble::_itemProviderCb(void* data, Evas_Object* entry, const char* item) {
    return data ? static_cast<MVItemBubble*>(data)->_itemProvider(entry, item) : nullptr;
}

const msg_store::Content* MVItemBubble::_contentAt(int index) const {
    // Indexes come from markup text; only those of this message's contents are taken.
    if (!_conv || index < 0 || index >= static_cast<int>(_conv->contents.size())) {
        MSG_LOGE("invalid content index [%d]", index);
        return nullptr;
    }
    return &_conv->contents[index];
}

Evas_Object* MVItemBubble::_itemProvider(Evas_Object* entry, const char* item) {
    MSG_RETV_IF(!item || !*item, nullptr, "token is nullptr");
    std::string href = item;
    size_t colon = href.find(':');
    std::string token = href.substr(0, colon);
    std::vector<int> numbers;
    bool hasNumbers = colon != std::string::npos && parseNumbers(href.c_str() + colon + 1, numbers);
    if (token == "info_sending")
        return _createInfoLayout(entry, INFO_SENDING);
    if (token == "info_failed")
        return _createInfoLayout(entry, INFO_FAILED);
    if (token == "communication_info")
        return _createInfoLayout(entry, INFO_NORMAL);
    if (token == "separator")
        return _createSeparator(entry);
    if (token == "image" && hasNumbers && numbers.size() == 3)
        return _createImageContent(entry, numbers[2], numbers[0], numbers[1]);
    if (token == "audio" && hasNumbers && numbers.size() == 1)
        return _createAudioContent(entry, numbers[0]);
    if (token == "attachment" && hasNumbers && numbers.size() == 1)
        return _createAttachmentContent(entry, numbers[0]);
    MSG_LOGE("invalid hrefStr [%s]", item);
    return nullptr;
}

Evas_Object* MVItemBubble::_createSeparator(Evas_Object* parent) {
    Evas_Object* line = evas_object_rectangle_add(evas_object_evas_get(parent));
    int r = 255, g = 255, b = 255, a = 51;
    qel_theme_get_color("AO0110", &r, &g, &b, &a);
    evas_object_color_set(line, r * a / 255, g * a / 255, b * a / 255, a);
    return line;
}

Evas_Object* MVItemBubble::_createInfoLayout(Evas_Object* parent, InfoType type) {
    const char* edj = common_util::get_message_edj().c_str();
    bool sent = _bubbleType == BUBBLE_SENT;
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    if (type == INFO_FAILED) {
        elm_layout_file_set(layout, edj, "bubble/content/communication_info/failed");
        elm_object_part_content_set(layout, "elm.status.icon", themeIcon(layout, "img/status/sendfail"));
        Evas_Object* edje = elm_layout_edje_get(layout);
        edje_object_part_text_set(edje, "elm.text.time", _timeText.c_str());
        edje_object_part_text_set(edje, "elm.text.status",
                                  common_ui_helper::get_text(MVBubbleMarkup::FAILED_TEXT_ID));
        return layout;
    }
    if (type == INFO_SENDING) {
        elm_layout_file_set(layout, edj,
                            sent ? "bubble/content/communication_info/send_icon_only"
                                 : "bubble/content/communication_info/receive_icon_only");
        Evas_Object* icon = elm_progressbar_add(layout);
        elm_object_style_set(icon, "process/msg_sending");
        evas_object_size_hint_align_set(icon, -1.0, 0.5);
        elm_progressbar_pulse_set(icon, EINA_TRUE);
        elm_progressbar_pulse(icon, EINA_TRUE);
        elm_object_part_content_set(layout, "elm.status.icon", icon);
        return layout;
    }
    elm_layout_file_set(layout, edj,
                        sent ? "bubble/content/communication_info/send"
                             : "bubble/content/communication_info/receive");
    Evas_Object* edje = elm_layout_edje_get(layout);
    edje_object_part_text_set(edje, "elm.text.time", _timeText.c_str());
    if (_isMms)
        edje_object_part_text_set(edje, "elm.text.mms", "MMS");
    else
        elm_object_signal_emit(layout, "mms,hide", "");
    Evas_Object* safe = _conv->isProtected ? common_ui_helper::create_safe_icon(layout) : nullptr;
    if (safe)
        elm_object_part_content_set(layout, "elm.icon.safe", safe);
    else
        elm_object_signal_emit(layout, "safe,icon,hide", "");
    Evas_Object* sim = common_ui_helper::create_sim_index_icon(layout, _conv->folderType, _conv->simIndex);
    // The mark's usual grey does not read on a sent bubble's blue: it takes the time's colour there.
    int r = 0, g = 0, b = 0, a = 0;
    if (sim && sent && qel_theme_get_color(SENT_INFO_COLOR, &r, &g, &b, &a))
        evas_object_color_set(sim, r * a / 255, g * a / 255, b * a / 255, a);
    if (sim)
        elm_object_part_content_set(layout, "elm.sim.icon", sim);
    else
        elm_object_signal_emit(layout, "sim,icon,hide", "");
    if (common_util::is_sta_enabled() && !_conv->hideWatchIcon &&
        (_conv->folderType == msg_store::FOLDER_WATCH_INBOX ||
         _conv->folderType == msg_store::FOLDER_WATCH_SENT))
        elm_object_part_content_set(layout, "elm.status.icon", themeIcon(layout, "img/composer/title/watch"));
    else
        elm_object_signal_emit(layout, "status,icon,hide", "");
    return layout;
}

void MVItemBubble::_cutlinkClicked(const char* anchor) {
    if (_viewType != VIEW_TYPE_NORMAL) {
        if (_viewType != VIEW_TYPE_SELECT)
            MSG_LOGE("invalid view type");
        return;
    }
    // One mark, then the scheme, then the linked text as markup.
    MSG_RET_IF(!anchor || strlen(anchor) < 2, "anchor is too short");
    std::string href(anchor + 1);
    for (const char* scheme :
         {QEL_CUT_LINK_SCHEME_PHONE, MCommonCutlinkMgr::SCHEME_APPSTORE, QEL_CUT_LINK_SCHEME_URI}) {
        if (href.compare(0, strlen(scheme), scheme) != 0)
            continue;
        std::string value = href.substr(strlen(scheme), LINK_MAX);
        if (strcmp(scheme, QEL_CUT_LINK_SCHEME_PHONE) == 0) {
            _cutlinkSelectPhone(value);
            return;
        }
        char* utf8 = elm_entry_markup_to_utf8(value.c_str());
        MSG_RET_IF(!utf8, "utfText is nullptr!");
        std::string url = utf8;
        free(utf8);
        if (strcmp(scheme, MCommonCutlinkMgr::SCHEME_APPSTORE) == 0)
            MCommonAppLaunchMgr::getInstance()->launchHulmStore(url.c_str());
        else
            _openUri(url);
        return;
    }
    MSG_LOGW("link [%s] has no scheme of ours", href.c_str());
}

void MVItemBubble::_openUri(const std::string& url) {
    switch (MCommonCutlinkMgr::getInstance()->getUriTarget(url)) {
    case MCommonCutlinkMgr::URI_MAP:
        MCommonAppLaunchMgr::getInstance()->launchHereMap(url.c_str());
        return;
    case MCommonCutlinkMgr::URI_STORE:
        MCommonAppLaunchMgr::getInstance()->launchHulmStore(url.c_str());
        return;
    case MCommonCutlinkMgr::URI_WEB_VIEW:
        if (_openWebView(url))
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

bool MVItemBubble::_openWebView(const std::string& url) {
    // The finger is done with the bubble: the page that opens takes it.
    if (_label)
        elm_object_signal_emit(_label, "elm,state,content,released", "");
    if (_gestureMgr)
        _gestureMgr->clearAllEvents();
    auto* page = new MCommonWebContentViewController(url.c_str());
    if (!common_ui_helper::push_to_naviframe_by_item(getElmObjectItem(), page)) {
        MSG_LOGE("the web view is not shown");
        return false;
    }
    return true;
}

void MVItemBubble::_openInBrowser(const std::string& link) {
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

} // namespace msg_viewer
} // namespace msg_app
