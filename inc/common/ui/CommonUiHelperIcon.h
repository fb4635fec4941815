/*
 * SIM and carrier badges, and haptic feedback.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_UI_COMMONUIHELPERICON_H
#define MSG_APP_COMMON_UI_COMMONUIHELPERICON_H

#include "feedback.h"
#include "msg_store/MsgStoreTypes.h"

#include <Elementary.h>

namespace msg_app {
namespace common_ui_helper {

bool has_sim_index_icon(msg_store::FolderType folderType, int simIndex);
// The image group of the SIM's icon, or null where a message shows none.
const char* sim_index_icon_group(msg_store::FolderType folderType, int simIndex);
Evas_Object* create_sim_index_icon(Evas_Object* parent, msg_store::FolderType folderType, int simIndex);
// Gives a SIM icon, new or used before, the theme's colour and size.
void style_sim_index_icon(Evas_Object* icon);
// The carrier's safe-message badge, or null where the carrier has none.
Evas_Object* create_safe_icon(Evas_Object* parent);

// FEEDBACK_TYPE_NONE plays the pattern both ways.
void playFeedback(feedback_pattern_e pattern, feedback_type_e type);

} // namespace common_ui_helper
} // namespace msg_app

#endif
