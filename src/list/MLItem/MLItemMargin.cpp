// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

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
