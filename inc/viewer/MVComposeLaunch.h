/*
 * Starting a message from the conversation screens: the composer's checks,
 * whose popup shows on the asking view, and the input selector opened for a
 * new message to one number.
 */
#ifndef MSG_APP_VIEWER_MVCOMPOSELAUNCH_H
#define MSG_APP_VIEWER_MVCOMPOSELAUNCH_H

#include "common/AppIds.h"
#include "view_kit/WViewController.h"

#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {
namespace compose_launch {

constexpr const char* INPUT_SELECTOR_APP_ID = app_id::INPUT_SELECTOR;
constexpr const char* COMPOSE_APP_ID = app_id::COMPOSE;

// False, with the reason's popup attached to vc, when no message may be written now.
bool check(view_kit::WViewController* vc, const std::vector<std::string>& recipients);
// The input selector for a new message to number, once the checks pass.
bool new_message(view_kit::WViewController* vc, const std::string& number);

} // namespace compose_launch
} // namespace msg_viewer
} // namespace msg_app

#endif
