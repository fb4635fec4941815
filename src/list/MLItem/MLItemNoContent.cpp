// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "list/MLItem/MLItemNoContent.h"

namespace msg_app {
namespace msg_list {

MLItemNoContent::MLItemNoContent()
    : MLItemFixed("list/nocontent", "WDS_MSG_NPBODY_NO_MESSAGES_ABB", ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY) {}

void MLItemNoContent::onSetElmObjectItem(Elm_Object_Item* item) {
    MLItemFixed::onSetElmObjectItem(item);
    setAccessDescription(item, getText());
}

} // namespace msg_list
} // namespace msg_app
