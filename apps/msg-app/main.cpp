// The messaging application. It opens on the conversation list of the device;
// --blocked opens the blocked-message list and --thread one conversation.
#include "AppScreens.h"
#include "Application.h"
#include "CommandLine.h"
#include "FirstFrameMark.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    using msg_app::shell::LaunchOptions;
    msg_cli::CommandLine commandLine(
        "msg-app", "[--device DIR] [--blocked | --thread ID]",
        "Opens the device's conversation list; --blocked the blocked-message list, --thread ID that\n"
        "conversation.");
    LaunchOptions launch;
    launch.declare(commandLine);
    bool exitAfterFirstFrame = false;
    bool blocked = false;
    std::string threadText;
    commandLine.flag("--blocked", "opens the blocked-message list", &blocked)
        .value("--thread", "ID", "opens the conversation with this id (see msg-sim list)", &threadText)
        .flag("--exit-after-first-frame", "prints the time of the first frame and ends",
              &exitAfterFirstFrame);
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    int threadId = 0;
    if (!threadText.empty()) {
        char* end = nullptr;
        long id = strtol(threadText.c_str(), &end, 10);
        if (end == threadText.c_str() || *end != '\0' || id <= 0 || id > 0x7fffffff)
            return commandLine.refuse("--thread needs a conversation id, not " + threadText);
        threadId = static_cast<int>(id);
    }
    if (blocked && threadId > 0)
        return commandLine.refuse("--blocked and --thread each name the first screen: give one");
    launch.apply();
    msg_app::shell::ScreenRegistry& registry = msg_app::shell::ScreenRegistry::getInstance();
    msg_app::shell::registerAppScreens(registry);
    if (threadId > 0)
        msg_app::shell::registerConversationScreen(registry, threadId);
    LaunchOptions::quietPlatformLogs();
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    int status = 0;
    {
        msg_app::shell::Application::Options options;
        options.screen = threadId > 0 ? msg_app::shell::CONVERSATION_SCREEN
                         : blocked    ? msg_app::shell::BLOCKED_LIST_SCREEN
                                      : msg_app::shell::CONVERSATION_LIST_SCREEN;
        options.preloadConversations = options.screen == msg_app::shell::CONVERSATION_LIST_SCREEN;
        options.singleInstance = true;
        msg_app::shell::Application app(options);
        if (exitAfterFirstFrame) {
            app.setOnFirstFrame([] {
                // The start-up benchmark reads this clock from the same machine.
                msg_app::shell::printFirstFrameMark();
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
