#include "ListScreens.h"
#include "AppScreens.h"
#include "ListScreen.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"

namespace msg_app {
namespace shell {

void registerListScreens(ScreenRegistry& registry) {
    using msg_list::LIST_TYPE_BLOCKED_MSG;
    using msg_list::LIST_TYPE_THREAD;
    const struct {
        const char* name;
        const char* description;
        msg_list::ListType type;
        ListScreen::Start start;
    } screens[] = {
        {"list-blocked-empty",
         "the blocked-message list's empty view (msg-shot renders a copy without blocked messages)",
         LIST_TYPE_BLOCKED_MSG, ListScreen::Start::EMPTY},
        {"list-end", "the conversation list scrolled to its end", LIST_TYPE_THREAD, ListScreen::Start::END},
        {"list-options", "the conversation list with its option panel open", LIST_TYPE_THREAD,
         ListScreen::Start::OPTIONS},
        {"list-select", "the conversation list in select mode with two rows checked", LIST_TYPE_THREAD,
         ListScreen::Start::SELECT},
        {"list-select-all", "the conversation list in select mode with every row checked", LIST_TYPE_THREAD,
         ListScreen::Start::SELECT_ALL},
        {"list-progress",
         "the conversation list deleting every conversation of the device (msg-shot renders a copy)",
         LIST_TYPE_THREAD, ListScreen::Start::PROGRESS},
    };
    // The lists as msg-app opens them, then their states.
    registerAppScreens(registry);
    registry.addEach(screens, [](const auto& screen) { return new ListScreen(screen.type, screen.start); });
}

} // namespace shell
} // namespace msg_app
