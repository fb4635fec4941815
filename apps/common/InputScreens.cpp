#include "InputScreens.h"
#include "InputSelectorScreen.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"

#include "app_control.h"
#include "common/AppIds.h"

#include <string>

namespace msg_app {
namespace shell {

namespace {

// The selector as a reply opens it: to one person, answering their message.
input::InputSelectorScreen* replySelector() {
    app_control_h request = nullptr;
    app_control_create(&request);
    std::string callerItem = std::string("caller_app:") + app_id::MESSAGE;
    const char* items[] = {"address:+1 555 010 0001", callerItem.c_str(), "vorlane_log:reply_msg"};
    app_control_add_extra_data_array(request, "selector_keyboard_data_array", items, 3);
    app_control_add_extra_data(request, "selector_keyboard_app_id", app_id::COMPOSE);
    app_control_add_extra_data(request, "template_context", "Running late, save me a seat <3");
    auto* screen = new input::InputSelectorScreen(request);
    app_control_destroy(request);
    return screen;
}

} // namespace

void registerInputScreens(ScreenRegistry& registry) {
    registry.add(input::InputSelectorScreen::NAME, "the input selector answering a message", replySelector);
}

} // namespace shell
} // namespace msg_app
