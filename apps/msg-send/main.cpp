// The send-only process: started by a launch request that asks to send a
// message at once; it shows only the sending popup and ends with it.
#include "Application.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"
#include "SendScreen.h"

#include "app_control.h"
#include "common/MsgLog.h"
#include "compose/MCWorkPathMgr.h"

#include <Elementary.h>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    using namespace msg_app;
    // Before anything starts EFL, whose missing system services are no concern of a watch.
    shell::LaunchOptions::quietPlatformLogs();
    if (argc > 1) {
        fprintf(stderr, "usage: msg-send (started by a launch request; see msg-sim launch)\n");
        return 2;
    }
    if (getenv("MSG_SEND_TIMING")) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        printf("process-start-monotonic %.6f\n",
               static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
    }
    app_control_h request = nullptr;
    if (app_control_get_launch_request(&request) != APP_CONTROL_ERROR_NONE) {
        fprintf(stderr, "msg-send: not started by a launch request\n");
        return 2;
    }
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    shell::ScreenRegistry::getInstance().add(compose::SendScreen::NAME, "the send-only process's page",
                                             [request] { return new compose::SendScreen(request); });
    int status = 0;
    {
        shell::Application::Options options;
        options.name = "msg-send";
        options.screen = compose::SendScreen::NAME;
        shell::Application app(options);
        if (getenv("MSG_SEND_TIMING")) {
            app.setOnFirstFrame([] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                printf("first-frame-monotonic %.6f\n",
                       static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
                fflush(stdout);
            });
        }
        if (app.start())
            elm_run();
        else
            status = 1;
        app.stop();
    }
    compose::MCWorkPathMgr* work = compose::MCWorkPathMgr::getInstance();
    if (!work->getWorkingPath().empty())
        work->destroyWorkingDir();
    app_control_destroy(request);
    elm_shutdown();
    return status;
}
