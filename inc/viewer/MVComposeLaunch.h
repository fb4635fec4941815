/*
 * Starting a message from the conversation screens: the composer's checks,
 * whose popup shows on the asking view, and the input selector opened for a
 * new message to one number or a reply.
 */
#ifndef MSG_APP_VIEWER_MVCOMPOSELAUNCH_H
#define MSG_APP_VIEWER_MVCOMPOSELAUNCH_H

#include "app_control.h"
#include "common/AppIds.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {
namespace compose_launch {

constexpr const char* INPUT_SELECTOR_APP_ID = app_id::INPUT_SELECTOR;
constexpr const char* COMPOSE_APP_ID = app_id::COMPOSE;

// False, with the reason's popup attached to vc, when no message may be written now.
bool check(view_kit::WViewController* vc, const std::vector<std::string>& recipients);
// The input selector for a message with these data ("address:...", "caller_app:...", ...); extras,
// when given, adds the caller's own to the request. False (logged) when it cannot be opened.
bool open_input_selector(const std::vector<std::string>& data,
                         const std::function<void(app_control_h)>& extras = nullptr);
// The input selector for a new message to number, once the checks pass.
bool new_message(view_kit::WViewController* vc, const std::string& number);

} // namespace compose_launch
} // namespace msg_viewer
} // namespace msg_app

#endif
