/*
 * The whole life of a composer process started by a launch request: start-up,
 * its first page and the popups on it, and teardown once they close.
 */
#ifndef MSG_APPS_COMPOSERPROCESS_H
#define MSG_APPS_COMPOSERPROCESS_H

#include "app_control.h"
#include "compose/MCMsgData.h"
#include "view_kit/WContentViewController.h"

#include <functional>

namespace msg_app {
namespace compose {

// The first page of a composer process for its launch request (which outlives the page).
using FirstPageFactory = std::function<view_kit::WContentViewController*(app_control_h request)>;

// The process's exit status: 0 after the work, 2 when it was not started by a launch request.
int runComposerProcess(int argc, char** argv, const char* name, FirstPageFactory firstPage);
// The process that sends the request's message at once.
int runSendProcess(int argc, char** argv, const char* name, AppControlType appControlType);

} // namespace compose
} // namespace msg_app

#endif
