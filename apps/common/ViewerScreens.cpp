#include "ViewerScreens.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"
#include "ViewerScreen.h"

namespace msg_app {
namespace shell {

void registerViewerScreens(ScreenRegistry& registry) {
    using Pick = ViewerScreen::Pick;
    using Show = ViewerScreen::Show;
    const struct {
        const char* name;
        const char* description;
        Pick pick;
        Show show;
    } screens[] = {
        {"viewer", "the newest conversation at its newest message", Pick::NEWEST, Show::TARGET},
        {"viewer-top", "the newest conversation scrolled to its top, with the title", Pick::NEWEST,
         Show::TOP},
        {"viewer-small-font", "the newest conversation with the small text size", Pick::NEWEST,
         Show::SMALL_FONT},
        {"viewer-links", "a message with a web link and a phone number", Pick::LINKS, Show::TARGET},
        {"viewer-group", "a group conversation, each sender named", Pick::GROUP, Show::TARGET},
        {"viewer-failed", "a message whose send failed", Pick::FAILED, Show::TARGET},
        {"viewer-sending", "a message being sent", Pick::SENDING, Show::TARGET},
        {"viewer-mms-picture", "an MMS with a picture", Pick::PICTURE, Show::TARGET},
        {"viewer-video", "an MMS with a video's still", Pick::VIDEO, Show::TARGET},
        {"viewer-attachments", "an MMS with an attached file", Pick::ATTACHMENT, Show::TARGET},
        {"viewer-not-retrieved", "an MMS still on the phone", Pick::NOT_RETRIEVED, Show::TARGET},
        {"viewer-rtl", "a conversation written right to left", Pick::RTL, Show::TARGET},
        {"viewer-year-change", "date lines across a new year", Pick::YEAR_CHANGE, Show::TARGET},
    };
    registry.addEach(screens, [](const auto& screen) { return new ViewerScreen(screen.pick, screen.show); });
}

} // namespace shell
} // namespace msg_app
