// The accessible names, roles and descriptions are part of the accessibility API that EFL marks as
// beta; the reading-information type is in its widget-facing (protected) part.
#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#ifndef EFL_ACCESS_OBJECT_PROTECTED
#define EFL_ACCESS_OBJECT_PROTECTED
#endif
#include "list/MLItem/MLItemNoContent.h"

namespace msg_app {
namespace msg_list {

MLItemNoContent::MLItemNoContent()
    : MLItemFixed("list/nocontent", "WDS_MSG_NPBODY_NO_MESSAGES_ABB", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY) {}

void MLItemNoContent::onSetElmObjectItem(Elm_Object_Item* item) {
    MLItemFixed::onSetElmObjectItem(item);
    efl_access_object_description_set(item, getText().c_str());
    efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
}

} // namespace msg_list
} // namespace msg_app
