// The list screens for msg-app and msg-shot.
#include "ListScreen.h"
#include "ScreenRegistry.h"

namespace msg_app {
namespace shell {

void registerListScreens(ScreenRegistry& registry) {
    registry.add("list", "the conversation list", [] { return new ListScreen(msg_list::LIST_TYPE_THREAD); });
}

} // namespace shell
} // namespace msg_app
