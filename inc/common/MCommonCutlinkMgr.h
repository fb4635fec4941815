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
    static MCommonCutlinkMgr* getInstance();
    static void release();

    // Cut links for the entry; anchorClicked gets the entry's "anchor,clicked". Null on failure.
    Qel_Cut_Link* create(Evas_Object* entry, Evas_Smart_Cb anchorClicked, void* data);

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
    bool _isUriLinked(const std::string& uri) const;

    static MCommonCutlinkMgr* _instance;
    bool _isBrowserAvailable = false;
    int _mapType = 0;
    std::string _anchorPrefix;
};

} // namespace msg_app

#endif
