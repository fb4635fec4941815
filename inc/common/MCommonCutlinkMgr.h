/*
 * Turns phone numbers and links inside message text into tappable,
 * underlined anchors. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONCUTLINKMGR_H
#define MSG_APP_COMMON_MCOMMONCUTLINKMGR_H

#include "qel.h"

#include <Elementary.h>

#include <string>

namespace msg_app {

class MCommonCutlinkMgr {
public:
    // The scheme of links to an application's page in the store.
    static constexpr const char* SCHEME_APPSTORE = "vorlaneapps:";
    // What a tap on a web link opens.
    enum UriTarget : int {
        URI_NONE = 0,     // nothing on this watch: the text is no link
        URI_MAP = 1,      // a shared map place, in the map application
        URI_STORE = 2,    // a store page, in the store
        URI_WEB_VIEW = 3, // a location-sharing or web map page, in a web view of our own
        URI_BROWSER = 4,
    };

    static MCommonCutlinkMgr* getInstance();
    static void release();

    // By the link's kind and the applications the watch has.
    UriTarget getUriTarget(const std::string& url) const;
    // Whether the store can show its pages (its own scheme's links).
    bool isStoreAvailable() const { return _isStoreAvailable; }

    // Cut links for the entry; anchorClicked gets the entry's "anchor,clicked". Null on failure.
    Qel_Cut_Link* create(Evas_Object* entry, Evas_Smart_Cb anchorClicked, void* data);
    // Takes what create() hooked on the entry off it again: the entry lives on for other links.
    static void unhook(Evas_Object* entry, Evas_Smart_Cb anchorClicked, void* data);

private:
    MCommonCutlinkMgr();
    ~MCommonCutlinkMgr() = default;
    MCommonCutlinkMgr(const MCommonCutlinkMgr&) = delete;
    MCommonCutlinkMgr& operator=(const MCommonCutlinkMgr&) = delete;

    static void _destroy();
    static Eina_Bool _matchCb(void* userData, const char* text, const char* scheme, const char* start,
                              const char* end);
    static void _anchorMouseDownCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _anchorMouseUpCb(void* data, Evas_Object* obj, void* eventInfo);

    static MCommonCutlinkMgr* _instance;
    bool _isBrowserAvailable = false;
    bool _isStoreAvailable = false;
    bool _isMapAvailable = false;
    bool _isWebViewAvailable = false;
    int _mapType = 0;
    std::string _anchorPrefix;
};

} // namespace msg_app

#endif
