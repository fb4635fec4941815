// Renders a screen of the application headless and saves it as a PNG:
//   msg-shot --device DIR --screen NAME --out FILE.png
// It renders a scratch copy of the device, which therefore never changes.
#include "Application.h"
#include "DeviceSnapshot.h"
#include "FrameCapture.h"
#include "LaunchOptions.h"
#include "ScreenRegistry.h"
#include "device/Device.h"
#include "view_kit/WWindowController.h"

#include <Elementary.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr double QUIET_SECONDS = 0.5;
constexpr double LIMIT_SECONDS = 10.0;

} // namespace

int main(int argc, char** argv) {
    using msg_app::shell::LaunchOptions;
    LaunchOptions launch;
    std::string out;
    bool valid = launch.parse(argc, argv, [&](const std::string& arg, const char* next) {
        if (arg != "--out" || !next)
            return 0;
        out = next;
        return 2;
    });
    if (!valid || (!launch.listScreens && out.empty())) {
        fprintf(stderr, "usage: msg-shot [--device DIR] [--screen NAME] --out FILE.png | --list-screens\n");
        return 2;
    }
    if (launch.listScreens) {
        LaunchOptions::printScreens();
        return 0;
    }
    msg_app::shell::registerBuiltinScreens();
    if (!launch.screen.empty() && !msg_app::shell::ScreenRegistry::getInstance().contains(launch.screen)) {
        fprintf(stderr, "msg-shot: unknown screen %s (see --list-screens)\n", launch.screen.c_str());
        return 2;
    }
    msg_shot::DeviceSnapshot snapshot;
    std::string error;
    if (!snapshot.take(msg_device::Device::defaultDir(), &error)) {
        fprintf(stderr, "msg-shot: %s\n", error.c_str());
        return 1;
    }
    setenv("ELM_ENGINE", "buffer", 1);
    LaunchOptions::quietPlatformLogs();
    elm_init(argc, argv);
    int status = 1;
    {
        msg_app::shell::Application::Options options;
        options.name = "msg-shot";
        options.screen = launch.screen;
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
