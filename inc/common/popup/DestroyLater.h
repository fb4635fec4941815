#ifndef MSG_APP_COMMON_POPUP_DESTROYLATER_H
#define MSG_APP_COMMON_POPUP_DESTROYLATER_H

#include "view_kit/WViewController.h"

namespace msg_app {
namespace common_popup {

// Destroys the controller on the next main-loop turn unless it is gone by then: a widget must not
// be deleted inside one of its own smart callbacks.
void destroy_later(view_kit::WViewController* vc);

} // namespace common_popup
} // namespace msg_app

#endif
