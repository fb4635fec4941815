/*
 * What the compose process opens for its launch request: a text the input
 * selector chose is sent at once; anything else (a shared text, an "sms:"
 * address, the selector's "Keyboard") opens the composer on it.
 */
#ifndef MSG_COMPOSE_COMPOSEFIRSTPAGE_H
#define MSG_COMPOSE_COMPOSEFIRSTPAGE_H

#include "app_control.h"
#include "view_kit/WContentViewController.h"

namespace msg_app {
namespace compose {

view_kit::WContentViewController* createComposeFirstPage(app_control_h request);

} // namespace compose
} // namespace msg_app

#endif
