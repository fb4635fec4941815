// The messaging application. For now the first screen is chosen on the
// command line; the launch request will choose it later.
#include "Application.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"

#include <Elementary.h>

#include <cstdio>
#include <ctime>

namespace {

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    using msg_app::shell::LaunchOptions;
    LaunchOptions launch;
    bool exitAfterFirstFrame = false;
    bool valid = launch.parse(argc, argv, [&](const std::string& arg, const char*) {
        exitAfterFirstFrame = exitAfterFirstFrame || arg == "--exit-after-first-frame";
        return arg == "--exit-after-first-frame" ? 1 : 0;
    });
    if (!valid) {
        fprintf(
            stderr,
            "usage: msg-app [--device DIR] [--screen NAME] [--list-screens] [--exit-after-first-frame]\n");
        return 2;
    }
    if (launch.listScreens) {
        LaunchOptions::printScreens();
        return 0;
    }
    msg_app::shell::registerBuiltinScreens();
    LaunchOptions::quietPlatformLogs();
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    int status = 0;
    {
        msg_app::shell::Application::Options options;
        options.screen = launch.screen;
        msg_app::shell::Application app(options);
        if (exitAfterFirstFrame) {
            app.setOnFirstFrame([] {
                // The start-up benchmark reads this clock from the same machine.
                printf("first-frame-monotonic %.6f\n", monotonicSeconds());
                fflush(stdout);
                elm_exit();
            });
        }
        if (app.start())
            elm_run();
        else
            status = 1;
        app.stop();
    }
    elm_shutdown();
    return status;
}
