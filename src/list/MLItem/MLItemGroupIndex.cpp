// The accessible names, roles and descriptions are part of the accessibility API that EFL marks as
// beta; the reading-information type is in its widget-facing (protected) part.
#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#ifndef EFL_ACCESS_OBJECT_PROTECTED
#define EFL_ACCESS_OBJECT_PROTECTED
#endif
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
    std::string description = getText() + "," + common_ui_helper::get_text("IDS_ACCS_POP_HEADER");
    efl_access_object_description_set(item, description.c_str());
    efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
}

} // namespace msg_list
} // namespace msg_app
