// The messaging application. For now the first screen is chosen on the
// command line; the launch request will choose it later.
#include "Application.h"
#include "ScreenRegistry.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

struct CommandLine {
    msg_app::shell::Application::Options options;
    bool exitAfterFirstFrame = false;
    bool listScreens = false;
    bool valid = true;
};

void usage() {
    fprintf(stderr,
            "usage: msg-app [--device DIR] [--screen NAME] [--list-screens] [--exit-after-first-frame]\n");
}

CommandLine parse(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--device" && i + 1 < argc)
            setenv("MSG_DEVICE_DIR", argv[++i], 1);
        else if (arg == "--screen" && i + 1 < argc)
            line.options.screen = argv[++i];
        else if (arg == "--exit-after-first-frame")
            line.exitAfterFirstFrame = true;
        else if (arg == "--list-screens")
            line.listScreens = true;
        else
            line.valid = false;
    }
    return line;
}

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line = parse(argc, argv);
    if (!line.valid) {
        usage();
        return 2;
    }
    msg_app::shell::registerBuiltinScreens();
    if (line.listScreens) {
        for (const std::string& name : msg_app::shell::ScreenRegistry::getInstance().names())
            printf("%s\t%s\n", name.c_str(),
                   msg_app::shell::ScreenRegistry::getInstance().description(name).c_str());
        return 0;
    }
    // Without D-Bus, EFL would print errors and backtraces at start-up.
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    elm_init(argc, argv);
    elm_policy_set(ELM_POLICY_QUIT, ELM_POLICY_QUIT_LAST_WINDOW_CLOSED);
    int status = 0;
    {
        msg_app::shell::Application app(line.options);
        if (line.exitAfterFirstFrame) {
            app.setOnFirstFrame([] {
                // The benchmark reads this clock from the same machine.
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
