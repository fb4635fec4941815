// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "common/view/MCommonConvTitle.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"

#include <cstdlib>

namespace msg_app {

std::string MCommonConvTitle::get(int threadId) {
    std::shared_ptr<MCommonConvAddr> convAddr;
    std::string markup;
    if (MCommonAddrMgr::getInstance()->getConvAddr(threadId, convAddr) && convAddr)
        convAddr->getDisplayName(markup, false);
    char* plain = elm_entry_markup_to_utf8(markup.c_str());
    std::string title = plain ? plain : "";
    std::free(plain);
    return title;
}

std::string MCommonConvTitle::getSpoken(int threadId) {
    std::string name = get(threadId);
    // The display name carries direction marks that would make a number look like a word.
    common_util::del_ltr_mark(name);
    if (common_util::is_phone_number(name.c_str())) {
        std::string spoken;
        common_util::make_phonenumber_text_for_tts(name.c_str(), spoken);
        name = spoken;
    }
    return name;
}

void MCommonConvTitle::setAccessName(Elm_Object_Item* naviItem, int threadId) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    efl_access_object_i18n_name_set(naviItem, getSpoken(threadId).c_str());
}

} // namespace msg_app
