// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "list/MLItem/MLItemGroupIndex.h"

#include "common/CommonUiHelper.h"

#include <qel.h>

namespace msg_app {
namespace msg_list {

MLItemGroupIndex::MLItemGroupIndex()
    : MLItemFixed("groupindex", "WDS_MSG_HEADER_MESSAGES_ABB", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY) {}

void MLItemGroupIndex::onSetElmObjectItem(Elm_Object_Item* item) {
    MLItemFixed::onSetElmObjectItem(item);
    qel_theme_object_item_replace_color(item, "T0231", "AT0171");
    qel_theme_object_item_replace_color(item, "B023", "AO0116");
    setAccessDescription(item, getText() + "," + common_ui_helper::get_text("IDS_ACCS_POP_HEADER"));
}

} // namespace msg_list
} // namespace msg_app
