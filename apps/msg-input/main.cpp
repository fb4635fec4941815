// The input selector of the simulated device: started by a launch request that asks
// for text, it shows its window until the user picks, types or goes back.
#include "Application.h"
#include "CommandLine.h"
#include "InputSelectorScreen.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"

#include "app_control.h"
#include "common/LaunchRequest.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Before anything starts EFL, whose missing system services are no concern of a watch.
    msg_app::shell::LaunchOptions::quietPlatformLogs();
    msg_cli::CommandLine commandLine(
        "msg-input", "",
        "The device's input selector, started by a launch request that asks for a\n"
        "text (a reply, a new message); msg-sim select answers it headless.");
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    app_control_h launchRequest = nullptr;
    if (app_control_get_launch_request(&launchRequest) != APP_CONTROL_ERROR_NONE) {
        fprintf(stderr, "msg-input: not started by a launch request\n");
        return 2;
    }
    msg_app::LaunchRequest owned(launchRequest);
    app_control_h request = owned.get();
    // Without a composer to hand the text to, there is nothing the window could do.
    char* composer = nullptr;
    bool named = app_control_get_extra_data(request, "selector_keyboard_app_id", &composer) ==
                     APP_CONTROL_ERROR_NONE &&
                 composer && *composer;
    free(composer);
    if (!named) {
        fprintf(stderr, "msg-input: the request names no composer (selector_keyboard_app_id)\n");
        return 2;
    }
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    using msg_app::input::InputSelectorScreen;
    msg_app::shell::ScreenRegistry::getInstance().add(InputSelectorScreen::NAME,
                                                      "the input selector's window",
                                                      [request] { return new InputSelectorScreen(request); });
    int status = 0;
    {
        msg_app::shell::Application::Options options;
        options.name = "msg-input";
        options.screen = InputSelectorScreen::NAME;
        msg_app::shell::Application app(options);
        if (app.start())
            elm_run();
        else
            status = 1;
        app.stop();
    }
    elm_shutdown();
    return status;
}
