// The messaging application. It opens on the conversation list of the device;
// --blocked opens the blocked-message list and --screen any registered screen.
#include "Application.h"
#include "LaunchOptions.h"
#include "ListScreen.h"
#include "ScreenRegistry.h"
#include "viewer/MVContentViewController.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
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
    bool blocked = false;
    bool help = false;
    int threadId = 0;
    bool valid = launch.parse(argc, argv, [&](const std::string& arg, const char* next) {
        if (arg == "--thread") {
            char* end = nullptr;
            long id = next ? strtol(next, &end, 10) : 0;
            if (!next || end == next || *end != '\0' || id <= 0 || id > 0x7fffffff)
                return 0;
            threadId = static_cast<int>(id);
            return 2;
        }
        bool* flag = arg == "--exit-after-first-frame" ? &exitAfterFirstFrame
                     : arg == "--blocked"              ? &blocked
                     : arg == "--help" || arg == "-h"  ? &help
                                                       : nullptr;
        if (!flag)
            return 0;
        *flag = true;
        return 1;
    });
    int firstScreens = (blocked ? 1 : 0) + (!launch.screen.empty() ? 1 : 0) + (threadId > 0 ? 1 : 0);
    if (!valid || help || firstScreens > 1) {
        fprintf(help ? stdout : stderr,
                "usage: msg-app [--device DIR] [--blocked | --thread ID | --screen NAME] [--list-screens] "
                "[--exit-after-first-frame]\n"
                "  opens the conversation list of the device; --blocked the blocked-message list;\n"
                "  --thread ID that conversation; --screen NAME another screen (see --list-screens)\n");
        return help ? 0 : 2;
    }
    if (launch.listScreens) {
        LaunchOptions::printScreens();
        return 0;
    }
    msg_app::shell::registerBuiltinScreens();
    if (threadId > 0) {
        launch.screen = "conversation";
        msg_app::shell::ScreenRegistry::getInstance().add(
            launch.screen.c_str(), "the conversation named by --thread",
            [threadId] { return new msg_app::msg_viewer::MVContentViewController(threadId); });
    }
    LaunchOptions::quietPlatformLogs();
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    int status = 0;
    {
        msg_app::shell::Application::Options options;
        options.screen = !launch.screen.empty() ? launch.screen
                         : blocked              ? msg_app::shell::BLOCKED_LIST_SCREEN
                                                : msg_app::shell::CONVERSATION_LIST_SCREEN;
        options.preloadConversations = options.screen == msg_app::shell::CONVERSATION_LIST_SCREEN;
        options.singleInstance = true;
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
