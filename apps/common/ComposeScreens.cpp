#include "ComposePopupScreen.h"
#include "ScreenRegistry.h"
#include "compose/MCRecipientContentViewController.h"
#include "compose/MCRecipientEntryContentViewController.h"
#include "compose/MCRecipientSearchListContentViewController.h"

namespace msg_app {
namespace shell {

void registerComposeScreens(ScreenRegistry& registry) {
    using Show = ComposePopupScreen::Show;
    const struct {
        const char* name;
        const char* description;
        Show show;
    } screens[] = {
        {"compose-sending", "the sending popup while the message is on its way", Show::SENDING},
        {"compose-sent", "the sending popup once the message is sent", Show::SENT},
        {"compose-failed", "the sending popup of a message that failed", Show::FAILED},
        {"compose-switch", "the offer to send from the phone's number instead", Show::SWITCH_TO_PHONE},
        {"compose-no-network", "no network to send through", Show::NO_NETWORK},
        {"compose-rejected", "the watch's network refused the message", Show::REJECTED},
        {"compose-sim", "the carrier SIM needs activation", Show::SIM_NOT_ACTIVATED},
        {"compose-flight-mode", "sending asks to turn flight mode off", Show::FLIGHT_MODE},
    };
    for (const auto& screen : screens) {
        Show show = screen.show;
        registry.add(screen.name, screen.description, [show] { return new ComposePopupScreen(show); });
    }
    registry.add("compose-rcpt",
                 "a new message's recipient screen (with the phone/watch row on a watch with its own SIM)",
                 [] { return new compose::MCRecipientContentViewController(nullptr); });
    registry.add("compose-rcpt-filled", "the recipient screen holding a contact's number",
                 [] { return new compose::MCRecipientContentViewController("+15550100001"); });
    registry.add("compose-rcpt-entry", "the recipient entry being typed, with the input panel up", [] {
        auto* entry = new compose::MCRecipientEntryContentViewController();
        entry->setAddr("Zo");
        return entry;
    });
    registry.add("compose-rcpt-search", "the recipient entry offering the best match of what is typed", [] {
        auto* entry = new compose::MCRecipientEntryContentViewController();
        entry->setAddr("Ava");
        return entry;
    });
    registry.add("compose-rcpt-results", "every contact and recent number matching a typed recipient",
                 [] { return new compose::MCRecipientSearchListContentViewController("555"); });
    registry.add("compose-rcpt-no-results", "the search of a recipient nobody matches",
                 [] { return new compose::MCRecipientSearchListContentViewController("Nobody"); });
}

} // namespace shell
} // namespace msg_app
