#include "viewer/MVItem/MVItemTitle.h"

#include "common/addr/MCommonAddrMgr.h"
#include "qel.h"

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

MVItemTitle::MVItemTitle(int threadId) : MVItemFixed("message.title"), _threadId(threadId) {}

void MVItemTitle::onSetElmObjectItem(Elm_Object_Item* item) {
    MVItemFixed::onSetElmObjectItem(item);
    qel_theme_object_item_replace_color(item, "T012", "AT017");
}

std::string MVItemTitle::getText() const {
    std::shared_ptr<MCommonConvAddr> convAddr;
    std::string name;
    if (MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr) && convAddr)
        convAddr->getDisplayName(name, false);
    // The name comes as markup; the row escapes what it shows.
    char* plain = elm_entry_markup_to_utf8(name.c_str());
    std::string text = plain ? plain : "";
    free(plain);
    return text;
}

} // namespace msg_viewer
} // namespace msg_app
