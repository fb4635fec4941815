// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/ui/CommonUiHelperAccess.h"

#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperText.h"

namespace msg_app {
namespace common_ui_helper {

namespace {

void setRole(Eo* obj, Efl_Access_Role role) {
    efl_access_object_role_set(obj, role);
    efl_access_object_reading_info_type_set(
        obj, static_cast<Efl_Access_Reading_Info_Type>(EFL_ACCESS_READING_INFO_TYPE_NAME |
                                                       EFL_ACCESS_READING_INFO_TYPE_ROLE));
}

} // namespace

void set_access_name_role(Eo* obj, const char* nameId, Efl_Access_Role role) {
    MSG_RET_IF(!obj, "obj is nullptr");
    MSG_RET_IF(!nameId, "nameId is nullptr");
    efl_access_object_translation_domain_set(obj, TEXT_DOMAIN);
    efl_access_object_i18n_name_set(obj, nameId);
    setRole(obj, role);
}

void set_access_text_role(Eo* obj, const std::string& text, Efl_Access_Role role) {
    MSG_RET_IF(!obj, "obj is nullptr");
    // Not a text id: nothing is to translate it.
    efl_access_object_translation_domain_set(obj, nullptr);
    efl_access_object_i18n_name_set(obj, text.c_str());
    setRole(obj, role);
}

} // namespace common_ui_helper
} // namespace msg_app
