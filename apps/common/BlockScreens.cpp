#include "BlockScreens.h"
#include "BlockViewerScreen.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"

namespace msg_app {
namespace shell {

void registerBlockScreens(ScreenRegistry& registry) {
    using Pick = BlockViewerScreen::Pick;
    const struct {
        const char* name;
        const char* description;
        Pick pick;
        bool atEnd;
    } screens[] = {
        {"blocked-sms", "the newest blocked SMS, as the blocked-message list opens it", Pick::SMS, false},
        {"blocked-mms", "the newest blocked MMS with a picture, as the blocked-message list opens it",
         Pick::MMS, false},
        {"blocked-mms-end", "the newest blocked MMS with a picture, scrolled to its last row", Pick::MMS,
         true},
    };
    registry.addEach(screens,
                     [](const auto& screen) { return new BlockViewerScreen(screen.pick, screen.atEnd); });
}

} // namespace shell
} // namespace msg_app
