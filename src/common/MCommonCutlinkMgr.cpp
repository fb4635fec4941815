#include "common/MCommonCutlinkMgr.h"

#include "common/AppIds.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {

namespace {

constexpr const char* kStorePattern = "vorlaneapps://ProductDetail/[0-9a-z_\\.\\-]+";
constexpr const char* kAnchorPostfix = "<underline=off></color></pressed_color>";
constexpr const char* kFontStyle = "AT0271";
constexpr const char* kPressedFontStyle = "AT0271P";
constexpr int kMapTypeHere = 1;
// The packages of the store and of the map application that links open.
constexpr const char* STORE_PACKAGE = app_id::STORE;
constexpr const char* MAP_PACKAGE = app_id::MAP;

constexpr int kAllLinkTypes =
    QEL_CUT_LINK_TYPE_URI | QEL_CUT_LINK_TYPE_PHONE | QEL_CUT_LINK_TYPE_DATETIME | QEL_CUT_LINK_TYPE_UNC;

bool hasScheme(const char* scheme, const char* expected) {
    return std::strcmp(scheme, expected) == 0;
}

} // namespace

MCommonCutlinkMgr* MCommonCutlinkMgr::_instance = nullptr;

MCommonCutlinkMgr* MCommonCutlinkMgr::getInstance() {
    if (!_instance) {
        _instance = new MCommonCutlinkMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonCutlinkMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

void MCommonCutlinkMgr::release() {
    _destroy();
}

MCommonCutlinkMgr::MCommonCutlinkMgr()
    : _isBrowserAvailable(common_util::is_browser_available()),
      _isStoreAvailable(common_util::is_package_enabled(STORE_PACKAGE)),
      _isMapAvailable(common_util::is_package_enabled(MAP_PACKAGE)),
      _isWebViewAvailable(common_util::is_web_engine_available()), _mapType(common_util::get_map_type()) {
    common_util::create_cutlink_prefix_tag(_anchorPrefix, kFontStyle, kPressedFontStyle);
}

Qel_Cut_Link* MCommonCutlinkMgr::create(Evas_Object* entry, Evas_Smart_Cb anchorClicked, void* data) {
    MSG_RETV_IF(!entry, nullptr, "obj is nullptr");

    Qel_Cut_Link* cutLink = nullptr;
    if (common_util::is_power_saving_mode()) {
        cutLink = qel_cut_link_add(entry, QEL_CUT_LINK_TYPE_PHONE);
        MSG_RETV_IF(!cutLink, nullptr, "creating cutlink failed");
        qel_cut_link_set_match_cb(cutLink, QEL_CUT_LINK_SCHEME_PHONE, _matchCb, this);
    } else {
        cutLink = qel_cut_link_add(entry, kAllLinkTypes);
        MSG_RETV_IF(!cutLink, nullptr, "creating cutlink failed");
        qel_cut_link_add_scheme(cutLink, SCHEME_APPSTORE, kStorePattern);
        qel_cut_link_set_match_cb(cutLink, SCHEME_APPSTORE, _matchCb, this);
        qel_cut_link_set_match_cb(cutLink, QEL_CUT_LINK_SCHEME_URI, _matchCb, this);
        qel_cut_link_set_match_cb(cutLink, QEL_CUT_LINK_SCHEME_PHONE, _matchCb, this);
    }
    for (const char* scheme : {QEL_CUT_LINK_SCHEME_URI, SCHEME_APPSTORE, QEL_CUT_LINK_SCHEME_PHONE})
        qel_cut_link_set_tag(cutLink, scheme, _anchorPrefix.c_str(), kAnchorPostfix);

    if (anchorClicked)
        evas_object_smart_callback_add(entry, "anchor,clicked", anchorClicked, data);
    evas_object_smart_callback_add(entry, "anchor,mouse,down", _anchorMouseDownCb, nullptr);
    evas_object_smart_callback_add(entry, "anchor,mouse,up", _anchorMouseUpCb, nullptr);
    return cutLink;
}

void MCommonCutlinkMgr::unhook(Evas_Object* entry, Evas_Smart_Cb anchorClicked, void* data) {
    MSG_RET_IF(!entry, "obj is nullptr");
    if (anchorClicked)
        evas_object_smart_callback_del_full(entry, "anchor,clicked", anchorClicked, data);
    evas_object_smart_callback_del_full(entry, "anchor,mouse,down", _anchorMouseDownCb, nullptr);
    evas_object_smart_callback_del_full(entry, "anchor,mouse,up", _anchorMouseUpCb, nullptr);
}

MCommonCutlinkMgr::UriTarget MCommonCutlinkMgr::getUriTarget(const std::string& uri) const {
    const char* url = uri.c_str();
    if (_mapType == kMapTypeHere && common_util::is_here_map_url_match(url))
        return _isMapAvailable ? URI_MAP : _isBrowserAvailable ? URI_BROWSER : URI_NONE;
    if (common_util::is_hulm_app_url_match(url))
        return _isStoreAvailable ? URI_STORE : _isBrowserAvailable ? URI_BROWSER : URI_NONE;
    if (common_util::is_glympse_url_match(url) || common_util::is_google_map_url_match(url))
        return _isWebViewAvailable ? URI_WEB_VIEW : _isBrowserAvailable ? URI_BROWSER : URI_NONE;
    return _isBrowserAvailable ? URI_BROWSER : URI_NONE;
}

Eina_Bool MCommonCutlinkMgr::_matchCb(void* userData, const char* text, const char* scheme, const char* start,
                                      const char* end) {
    MSG_RETV_IF(!userData, EINA_FALSE, "userData is nullptr");
    MSG_RETV_IF(!text, EINA_FALSE, "text is nullptr");
    MSG_RETV_IF(!scheme, EINA_FALSE, "scheme is nullptr");
    MSG_RETV_IF(!start, EINA_FALSE, "start is nullptr");
    MSG_RETV_IF(!end, EINA_FALSE, "end is nullptr");

    if (hasScheme(scheme, QEL_CUT_LINK_SCHEME_DATETIME) || hasScheme(scheme, QEL_CUT_LINK_SCHEME_UNC))
        return EINA_FALSE;
    if (hasScheme(scheme, QEL_CUT_LINK_SCHEME_PHONE))
        return EINA_TRUE;
    auto* self = static_cast<MCommonCutlinkMgr*>(userData);
    // Only what a tap can open is drawn as a link.
    if (hasScheme(scheme, SCHEME_APPSTORE))
        return self->_isStoreAvailable ? EINA_TRUE : EINA_FALSE;
    if (hasScheme(scheme, QEL_CUT_LINK_SCHEME_URI) && start <= end) {
        // The link as the user reads it: the text is markup.
        char* plain = elm_entry_markup_to_utf8(std::string(start, static_cast<size_t>(end - start)).c_str());
        bool linked = plain && self->getUriTarget(plain) != URI_NONE;
        free(plain);
        return linked ? EINA_TRUE : EINA_FALSE;
    }
    return EINA_FALSE;
}

void MCommonCutlinkMgr::_anchorMouseDownCb(void*, Evas_Object* obj, void*) {
    elm_object_signal_emit(obj, "elm,state,content,pressed", "");
}

void MCommonCutlinkMgr::_anchorMouseUpCb(void*, Evas_Object* obj, void*) {
    elm_object_signal_emit(obj, "elm,state,content,released", "");
}

} // namespace msg_app
