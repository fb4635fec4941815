#include "ShotScreens.h"

#include "BlockScreens.h"
#include "CommonViewsScreen.h"
#include "ComposeScreens.h"
#include "DemoScreen.h"
#include "InputScreens.h"
#include "ListScreens.h"
#include "ScreenRegistry.h"
#include "ViewerScreens.h"

namespace msg_app {
namespace shell {

namespace {

// The shared popups and views, one screen each.
void registerCommonViewScreens(ScreenRegistry& registry) {
    using Show = CommonViewsScreen::Show;
    const struct {
        const char* name;
        const char* description;
        Show show;
    } screens[] = {
        {"popup-ok", "a confirmation popup with one OK button", Show::OK_POPUP},
        {"popup-ok-cancel", "a confirmation popup with cancel and OK buttons", Show::OK_CANCEL_POPUP},
        {"popup-toast", "a toast", Show::TOAST},
        {"popup-toast-check", "a toast with the check mark of a sent message", Show::TOAST_CHECK},
        {"popup-progress", "the full progress popup", Show::PROGRESS_FULL},
        {"popup-progress-sending", "the sending progress popup", Show::PROGRESS_SENDING},
        {"popup-select", "selection mode: the count button and the select-all popup", Show::SELECT_POPUP},
        {"options", "the option panel open over an empty list", Show::OPTIONS},
        {"empty-messages", "the empty conversation list", Show::NO_MESSAGES},
        {"empty-blocked-messages", "the empty blocked-message list", Show::NO_BLOCKED_MESSAGES},
        {"empty-blocked-numbers", "the empty blocked-number list", Show::NO_BLOCKED_NUMBERS},
    };
    registry.addEach(screens, [](const auto& screen) { return new CommonViewsScreen(screen.show); });
}

} // namespace

void registerBuiltinScreens() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    ScreenRegistry& registry = ScreenRegistry::getInstance();
    // The first screen registered is the one shown when none is named (msg-shot without --screen).
    registry.add("demo", "framework demo: a circle list in the more-option panel, with a popup",
                 [] { return new DemoScreen(); });
    registry.add("demo-options", "the demo with its option panel open",
                 [] { return new DemoScreen(DemoScreen::Start::OPTIONS); });
    registry.add("demo-popup", "the demo with its popup",
                 [] { return new DemoScreen(DemoScreen::Start::POPUP); });
    registerCommonViewScreens(registry);
    registerListScreens(registry);
    registerBlockScreens(registry);
    registerComposeScreens(registry);
    registerInputScreens(registry);
    registerViewerScreens(registry);
    registerMediaScreens(registry);
    registerViewerActionScreens(registry);
}

} // namespace shell
} // namespace msg_app
