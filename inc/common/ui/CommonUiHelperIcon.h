/*
 * SIM marks and carrier badges, and haptic feedback.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_UI_COMMONUIHELPERICON_H
#define MSG_APP_COMMON_UI_COMMONUIHELPERICON_H

#include "feedback.h"
#include "msg_store/MsgStoreTypes.h"

#include <Elementary.h>

namespace msg_app {
namespace common_ui_helper {

// Whether a message of the folder, received or sent through the SIM, shows the SIM's mark (which
// the themes of the conversation row and the bubble draw).
bool has_sim_index_icon(msg_store::FolderType folderType, int simIndex);
// The carrier's safe-message badge, or null where the carrier has none.
Evas_Object* create_safe_icon(Evas_Object* parent);

// FEEDBACK_TYPE_NONE plays the pattern both ways.
void playFeedback(feedback_pattern_e pattern, feedback_type_e type);

} // namespace common_ui_helper
} // namespace msg_app

#endif
