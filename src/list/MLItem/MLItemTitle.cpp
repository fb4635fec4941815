#include "list/MLItem/MLItemTitle.h"

#include "common/CommonUtil.h"

#include <qel.h>

namespace msg_app {
namespace msg_list {

MLItemTitle::MLItemTitle(ListType listType)
    : MLItemFixed("title",
                  listType == LIST_TYPE_BLOCKED_MSG ? "WDS_MSG_MBODY_BLOCKED_MESSAGES"
                                                    : "WDS_MSG_HEADER_MESSAGES_ABB",
                  ELM_OBJECT_SELECT_MODE_NONE) {}

void MLItemTitle::onSetElmObjectItem(Elm_Object_Item* item) {
    MLItemFixed::onSetElmObjectItem(item);
    if (common_util::is_main_app())
        qel_theme_object_item_replace_color(item, "T012", "AT017");
}

} // namespace msg_list
} // namespace msg_app
