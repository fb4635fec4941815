// Renders a screen of the application headless and saves it as a PNG:
//   msg-shot --device DIR --screen NAME --out FILE.png
#include "Application.h"
#include "FrameCapture.h"
#include "ScreenRegistry.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double QUIET_SECONDS = 0.5;
constexpr double LIMIT_SECONDS = 10.0;

struct CommandLine {
    std::string screen;
    std::string out;
    bool listScreens = false;
    bool valid = true;
};

CommandLine parse(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--device" && i + 1 < argc)
            setenv("MSG_DEVICE_DIR", argv[++i], 1);
        else if (arg == "--screen" && i + 1 < argc)
            line.screen = argv[++i];
        else if (arg == "--out" && i + 1 < argc)
            line.out = argv[++i];
        else if (arg == "--list-screens")
            line.listScreens = true;
        else
            line.valid = false;
    }
    if (!line.listScreens && line.out.empty())
        line.valid = false;
    return line;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line = parse(argc, argv);
    if (!line.valid) {
        fprintf(stderr, "usage: msg-shot [--device DIR] [--screen NAME] --out FILE.png | --list-screens\n");
        return 2;
    }
    msg_app::shell::registerBuiltinScreens();
    msg_app::shell::ScreenRegistry& registry = msg_app::shell::ScreenRegistry::getInstance();
    if (line.listScreens) {
        for (const std::string& name : registry.names())
            printf("%s\t%s\n", name.c_str(), registry.description(name).c_str());
        return 0;
    }
    if (!line.screen.empty() && !registry.contains(line.screen)) {
        fprintf(stderr, "msg-shot: unknown screen %s (see --list-screens)\n", line.screen.c_str());
        return 2;
    }
    setenv("ELM_ENGINE", "buffer", 1);
    // Without D-Bus, EFL would print errors and backtraces at start-up.
    setenv("EINA_LOG_BACKTRACE", "-1", 0);
    setenv("EINA_LOG_LEVELS",
           "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0,ecore_con:0", 0);
    elm_init(argc, argv);
    int status = 1;
    {
        msg_app::shell::Application::Options options;
        options.name = "msg-shot";
        options.screen = line.screen;
        msg_app::shell::Application app(options);
        if (app.start()) {
            msg_shot::FrameCapture capture(app.getWindowController()->getEvasObject(), QUIET_SECONDS,
                                           LIMIT_SECONDS);
            if (capture.waitUntilSettled() && capture.save(line.out.c_str()))
                status = 0;
        }
        app.stop();
    }
    elm_shutdown();
    if (status == 0)
        printf("%s\n", line.out.c_str());
    return status;
}
