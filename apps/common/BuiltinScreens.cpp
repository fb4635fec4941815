#include "DemoScreen.h"
#include "ScreenRegistry.h"

namespace msg_app {
namespace shell {

void registerBuiltinScreens() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    ScreenRegistry& registry = ScreenRegistry::getInstance();
    // The first screen registered is the one msg-app shows by default.
    registry.add("demo", "framework demo: a circle list in the more-option panel, with a popup",
                 [] { return new DemoScreen(); });
    registry.add("demo-options", "the demo with its option panel open",
                 [] { return new DemoScreen(DemoScreen::Start::OPTIONS); });
    registry.add("demo-popup", "the demo with its popup",
                 [] { return new DemoScreen(DemoScreen::Start::POPUP); });
}

} // namespace shell
} // namespace msg_app
