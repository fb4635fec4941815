// The accessible names, roles and descriptions are part of the accessibility API that EFL marks as
// beta; the reading-information type is in its widget-facing (protected) part.
#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#ifndef EFL_ACCESS_OBJECT_PROTECTED
#define EFL_ACCESS_OBJECT_PROTECTED
#endif
#include "list/MLItem/MLItemMargin.h"

namespace msg_app {
namespace msg_list {

MLItemMargin::MLItemMargin()
    : MLItemFixed("title_menu_top_margin", nullptr, ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY) {}

void MLItemMargin::onSetElmObjectItem(Elm_Object_Item* item) {
    MLItemFixed::onSetElmObjectItem(item);
    efl_access_object_access_type_set(item, EFL_ACCESS_TYPE_SKIPPED);
}

} // namespace msg_list
} // namespace msg_app
