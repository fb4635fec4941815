/*
 * What the screen reader says a control is: its name and its role. Include
 * "common/popup/AccessApi.h" first. Main loop only.
 */
#ifndef MSG_APP_COMMON_UI_COMMONUIHELPERACCESS_H
#define MSG_APP_COMMON_UI_COMMONUIHELPERACCESS_H

#include "common/popup/AccessApi.h"

#include <string>

namespace msg_app {
namespace common_ui_helper {

// The reader names obj by the text id nameId of the application's text domain, translated as it
// reads, and says its role after the name.
void set_access_name_role(Eo* obj, const char* nameId, Efl_Access_Role role);
// The same for a text of its own (a person's number, a file's name), read as it stands.
void set_access_text_role(Eo* obj, const std::string& text, Efl_Access_Role role);

} // namespace common_ui_helper
} // namespace msg_app

#endif
