#include "common/view/MCommonWebContentViewController.h"

#include "common/CommonUtil.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "vconf.h"

#include <dlfcn.h>

#include <cstdlib>
#include <stdexcept>

namespace msg_app {

namespace {

constexpr const char* HOST_MCC_KEY = "db/wms/host_status/mcc";
constexpr const char* GLYMPSE_KEYWORD = "glympse";
constexpr const char* GLYMPSE_VERSION_PARAM = "v=2&";
constexpr const char* GLYMPSE_VIEW_PARAMS =
    "disableSummary=1&showControls=0&noHeaders=1&showFullView=-1&altView=0&showShadows=0&balloonMode=-1";
// The regions whose location-sharing service takes no version parameter.
constexpr int REGION_MCCS[] = {450, 440, 460};

using EwkViewAddFn = Evas_Object* (*)(Evas*);
using EwkViewUrlSetFn = Eina_Bool (*)(Evas_Object*, const char*);

bool isKnownRegion(int mcc) {
    for (int known : REGION_MCCS) {
        if (mcc == known)
            return true;
    }
    return false;
}

int parseMcc(const char* text) {
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    return (end && *end == '\0' && value > 0 && value < 1000) ? static_cast<int>(value) : 0;
}

int hostMcc() {
    int mcc = 0;
    if (vconf_get_int(HOST_MCC_KEY, &mcc) != VCONF_OK)
        MSG_LOGE("vconf_get_int(%s) failed", HOST_MCC_KEY);
    return mcc;
}

} // namespace

MCommonWebContentViewController::MCommonWebContentViewController(const char* url) : _url(url ? url : "") {
    setName("MCommonWebContentViewController");
}

MCommonWebContentViewController::~MCommonWebContentViewController() {
    _closeLibrary();
}

std::string MCommonWebContentViewController::makeLoadUrl(const std::string& url, int region) {
    if (url.empty()) {
        MSG_LOGE("url is empty");
        return url;
    }
    if (url.find(GLYMPSE_KEYWORD) == std::string::npos)
        return url;
    // The parameters join a query the link already has and stay before its fragment.
    size_t fragment = url.find('#');
    std::string result = url.substr(0, fragment);
    if (result.find('?') == std::string::npos)
        result += "?";
    else if (result.back() != '?' && result.back() != '&')
        result += "&";
    if (!isKnownRegion(region))
        result += GLYMPSE_VERSION_PARAM;
    result += GLYMPSE_VIEW_PARAMS;
    if (fragment != std::string::npos)
        result += url.substr(fragment);
    return result;
}

int MCommonWebContentViewController::getCurrentRegion() {
    if (common_util::is_sta_enabled()) {
        std::string mccText;
        MCommonTapi::getInstance()->getMcc(mccText);
        int mcc = parseMcc(mccText.c_str());
        if (isKnownRegion(mcc)) {
            MSG_LOGD("Return hulm mmc");
            return mcc;
        }
    }
    int mcc = hostMcc();
    if (isKnownRegion(mcc)) {
        MSG_LOGD("Return host mmc");
        return mcc;
    }
    return 0;
}

Evas_Object* MCommonWebContentViewController::onCreateView(Evas_Object* parent, void*) {
    if (!_dlHandle) {
        _dlHandle = dlopen(WEB_ENGINE_LIBRARY, RTLD_NOW);
        if (!_dlHandle) {
            MSG_LOGE("dlopen() failed : %s", dlerror());
            return nullptr;
        }
    }
    try {
        return _createPage(parent);
    } catch (const std::runtime_error& reason) {
        MSG_LOGE("%s", reason.what());
        _closeLibrary();
        return nullptr;
    }
}

// Throws the reason of a failure; the caller undoes what was made.
Evas_Object* MCommonWebContentViewController::_createPage(Evas_Object* parent) {
    auto viewAdd = reinterpret_cast<EwkViewAddFn>(dlsym(_dlHandle, "ewk_view_add"));
    if (!viewAdd)
        throw std::runtime_error("dlsym(ewk_view_add) failed");
    auto urlSet = reinterpret_cast<EwkViewUrlSetFn>(dlsym(_dlHandle, "ewk_view_url_set"));
    if (!urlSet)
        throw std::runtime_error("dlsym(ewk_view_url_set) failed");
    std::string url = makeLoadUrl(_url, getCurrentRegion());

    Evas_Object* layout = elm_layout_add(parent);
    if (!layout)
        throw std::runtime_error("layout is nullptr.");
    try {
        elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "glympse_view");
        evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        Evas* layoutEvas = evas_object_evas_get(layout);
        if (!layoutEvas)
            throw std::runtime_error("layoutEvas is nullptr.");
        _webObj = viewAdd(layoutEvas);
        if (!_webObj)
            throw std::runtime_error("ewk_view_add() failed.");
        urlSet(_webObj, url.c_str());
        evas_object_size_hint_weight_set(_webObj, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        evas_object_size_hint_align_set(_webObj, EVAS_HINT_FILL, EVAS_HINT_FILL);
        evas_object_show(_webObj);
        elm_object_part_content_set(layout, "elm.swallow.content", _webObj);
        // The item ends with the layout.
        auto* rotaryItem = new MCommonRotaryActivateMgr::Item(layout);
        if (!rotaryItem->regist(true)) {
            delete rotaryItem;
            throw std::runtime_error("rotaryItem->regist() failed.");
        }
    } catch (...) {
        _webObj = nullptr;
        evas_object_del(layout);
        throw;
    }
    return layout;
}

void MCommonWebContentViewController::onDestroy() {
    if (_webObj) {
        MSG_LOGD("remove webObj");
        elm_object_part_content_unset(getEvasObject(), "elm.swallow.content");
        evas_object_del(_webObj);
        _webObj = nullptr;
    }
    _closeLibrary();
    WContentViewController::onDestroy();
}

void MCommonWebContentViewController::onPushed(Elm_Object_Item* naviItem) {
    if (naviItem)
        elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
}

bool MCommonWebContentViewController::onPop() {
    return true;
}

void MCommonWebContentViewController::_closeLibrary() {
    if (_dlHandle) {
        dlclose(_dlHandle);
        _dlHandle = nullptr;
    }
}

} // namespace msg_app
