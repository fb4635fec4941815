#include "ComposeScreens.h"
#include "ComposeBodyScreen.h"
#include "ComposePopupScreen.h"
#include "ScreenRegistry.h"
#include "ShotScreens.h"
#include "compose/recipient/MCRecipientContentViewController.h"
#include "compose/recipient/MCRecipientEntryContentViewController.h"
#include "compose/recipient/MCRecipientSearchListContentViewController.h"

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
    registry.addEach(screens, [](const auto& screen) { return new ComposePopupScreen(screen.show); });
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
    registerComposeBodyScreens(registry);
}

void registerComposeBodyScreens(ScreenRegistry& registry) {
    using Show = ComposeBodyScreen::Show;
    const std::string typed = "Running late, be there";                   // 23 characters with its full stop
    const std::string overSms = std::string(150, 'a') + " and then some"; // 164 characters
    const std::string korean = [] {
        std::string text;
        for (int i = 0; i < 70; ++i)
            text += "\xED\x95\x9C";
        return text;
    }();
    const struct {
        const char* name;
        const char* description;
        std::string text;
        Show show;
        int scrollY;
    } screens[] = {
        {"compose-body", "the message screen with a typed text, 23/160", typed + ".", Show::BODY, 0},
        {"compose-body-mms", "a text past one SMS: the MMS mark", overSms, Show::BODY, 0},
        {"compose-body-guide", "an empty message with its guide", "", Show::BODY, 0},
        {"compose-body-korean", "a full Korean SMS, 70/70 (use --lang ko_KR.UTF-8)", korean, Show::BODY, 0},
        {"compose-body-editor", "the full-screen editor of the text", typed + ".", Show::EDITOR, 0},
        {"compose-body-discard", "leaving with a text asks first", typed + ".", Show::DISCARD, 0},
        {"compose-body-pages", "Send with a text of three MMS asks first", std::string(2500, 'p'),
         Show::PAGES, 0},
        {"compose-body-toast-max", "the text was cut to the limit", typed + ".", Show::TOAST_MAX_CHARACTERS,
         0},
        {"compose-body-toast-failed", "a send that failed", typed + ".", Show::TOAST_COULDNT_SEND, 0},
        {"compose-body-toast-later", "an SMS the watch sends when service returns", typed + ".",
         Show::TOAST_WILL_BE_SENT, 0},
        {"compose-body-buttons-0", "the phone and watch buttons at rest (on a standalone watch)", typed + ".",
         Show::SCROLLED, 0},
        {"compose-body-buttons-74", "the buttons halfway up (on a standalone watch)", typed + ".",
         Show::SCROLLED, 74},
        {"compose-body-buttons-149", "the buttons past their smallest (on a standalone watch)", typed + ".",
         Show::SCROLLED, 149},
    };
    registry.addEach(screens, [](const auto& screen) {
        return new ComposeBodyScreen(screen.text, screen.show, screen.scrollY);
    });
}

} // namespace shell
} // namespace msg_app
