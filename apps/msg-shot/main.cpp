// Renders a screen of the application headless and saves it as a PNG:
//   msg-shot --device DIR --screen NAME --out FILE.png
// It renders a scratch copy of the device, which therefore never changes;
// --lang LOCALE (e.g. ar_AE.UTF-8) renders the copy in another language.
#include "Application.h"
#include "CommandLine.h"
#include "DeviceSnapshot.h"
#include "FrameCapture.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"
#include "device/Device.h"
#include "vconf.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double QUIET_SECONDS = 0.5;
constexpr double LIMIT_SECONDS = 10.0;
constexpr const char* LANGUAGE_KEY = "db/menu_widget/language";

} // namespace

int main(int argc, char** argv) {
    using msg_app::shell::LaunchOptions;
    msg_cli::CommandLine commandLine(
        "msg-shot", "[--device DIR] [--screen NAME] [--lang LOCALE] --out FILE.png | --list-screens",
        "Renders a screen of a scratch copy of the device headless and saves it as PNG.");
    LaunchOptions launch;
    launch.declare(commandLine);
    std::string screen;
    bool listScreens = false;
    std::string out;
    std::string language;
    commandLine.value("--screen", "NAME", "the screen to picture (see --list-screens)", &screen)
        .flag("--list-screens", "names every screen and exits", &listScreens)
        .value("--out", "FILE.png", "where the picture goes", &out)
        .value("--lang", "LOCALE", "renders in this language (ar_AE.UTF-8, ko_KR.UTF-8, ...)", &language);
    if (!commandLine.parse(argc, argv))
        return commandLine.exitCode();
    if (!listScreens && out.empty())
        return commandLine.refuse("--out FILE.png is required");
    launch.apply();
    msg_app::shell::registerBuiltinScreens();
    msg_app::shell::ScreenRegistry& registry = msg_app::shell::ScreenRegistry::getInstance();
    if (listScreens) {
        for (const std::string& name : registry.names())
            printf("%s\t%s\n", name.c_str(), registry.description(name).c_str());
        return 0;
    }
    if (!screen.empty() && !registry.contains(screen)) {
        fprintf(stderr, "msg-shot: unknown screen %s (see --list-screens)\n", screen.c_str());
        return 2;
    }
    msg_shot::DeviceSnapshot snapshot;
    std::string error;
    if (!snapshot.take(msg_device::Device::defaultDir(), &error)) {
        fprintf(stderr, "msg-shot: %s\n", error.c_str());
        return 1;
    }
    if (!language.empty() && vconf_set_str(LANGUAGE_KEY, language.c_str()) != VCONF_OK) {
        fprintf(stderr, "msg-shot: cannot set the language %s\n", language.c_str());
        return 1;
    }
    setenv("ELM_ENGINE", "buffer", 1);
    LaunchOptions::quietPlatformLogs();
    elm_init(argc, argv);
    int status = 1;
    {
        msg_app::shell::Application::Options options;
        options.name = "msg-shot";
        options.screen = screen;
        msg_app::shell::Application app(options);
        if (app.start()) {
            msg_shot::FrameCapture capture(app.getWindowController()->getEvasObject(), QUIET_SECONDS,
                                           LIMIT_SECONDS);
            if (capture.waitUntilSettled() && capture.save(out.c_str()))
                status = 0;
        }
        app.stop();
    }
    elm_shutdown();
    if (status == 0)
        printf("%s\n", out.c_str());
    return status;
}
