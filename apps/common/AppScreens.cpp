#include "AppScreens.h"

#include "ScreenRegistry.h"
#include "list/MLContentViewController.h"
#include "viewer/MVContentViewController.h"

namespace msg_app {
namespace shell {

void registerAppScreens(ScreenRegistry& registry) {
    registry.add(CONVERSATION_LIST_SCREEN, "the conversation list",
                 [] { return new msg_list::MLContentViewController(msg_list::LIST_TYPE_THREAD); });
    registry.add(BLOCKED_LIST_SCREEN, "the blocked-message list",
                 [] { return new msg_list::MLContentViewController(msg_list::LIST_TYPE_BLOCKED_MSG); });
}

bool registerConversationScreen(ScreenRegistry& registry, int threadId) {
    return registry.add(CONVERSATION_SCREEN, "the conversation named by --thread",
                        [threadId] { return new msg_viewer::MVContentViewController(threadId); });
}

} // namespace shell
} // namespace msg_app
