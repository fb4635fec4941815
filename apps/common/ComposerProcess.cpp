#include "ComposerProcess.h"

#include "Application.h"
#include "CommandLine.h"
#include "FirstFrameMark.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"

#include "app_control.h"
#include "common/LaunchRequest.h"
#include "common/MsgLog.h"
#include "compose/launch/MCWorkPathMgr.h"
#include "compose/send/MCSendContentViewController.h"

#include <Elementary.h>

#include <cstdio>
#include <ctime>

namespace msg_app {
namespace compose {

namespace {
constexpr const char* FIRST_PAGE = "composer-first-page";
} // namespace

int runSendProcess(int argc, char** argv, const char* name, AppControlType appControlType) {
    return runComposerProcess(argc, argv, name, [appControlType](app_control_h request) {
        return new MCSendContentViewController(request, appControlType);
    });
}

int runComposerProcess(int argc, char** argv, const char* name, FirstPageFactory firstPage) {
    // Before anything starts EFL, whose missing system services are no concern of a watch.
    shell::LaunchOptions::quietPlatformLogs();
    msg_cli::CommandLine commandLine(
        name, "", "An application of the device, started by a launch request (see msg-sim launch).");
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    if (getenv("MSG_SEND_TIMING")) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        printf("process-start-monotonic %.6f\n",
               static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9);
    }
    app_control_h launchRequest = nullptr;
    if (app_control_get_launch_request(&launchRequest) != APP_CONTROL_ERROR_NONE) {
        fprintf(stderr, "%s: not started by a launch request\n", name);
        return 2;
    }
    // Outlives the pages, which are gone once the application stops.
    LaunchRequest owned(launchRequest);
    app_control_h request = owned.get();
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    shell::ScreenRegistry::getInstance().add(FIRST_PAGE, "the composer process's first page",
                                             [request, firstPage] { return firstPage(request); });
    int status = 0;
    {
        shell::Application::Options options;
        options.name = name;
        options.screen = FIRST_PAGE;
        shell::Application app(options);
        if (getenv("MSG_SEND_TIMING")) {
            app.setOnFirstFrame(shell::printFirstFrameMark);
        }
        if (app.start())
            elm_run();
        else
            status = 1;
        // Before the services go: the manager that knows the folder is one of them. What the store
        // keeps of a sent message is its own copy.
        MCWorkPathMgr* work = MCWorkPathMgr::getInstance();
        if (!work->getWorkingPath().empty())
            work->destroyWorkingDir();
        app.stop();
    }
    elm_shutdown();
    return status;
}

} // namespace compose
} // namespace msg_app
