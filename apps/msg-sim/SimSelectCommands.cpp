// msg-sim select: answers a pending input-selector request as the selector's window would.
#include "SimSelectCommands.h"

#include "LaunchJournal.h"
#include "SelectorAnswer.h"
#include "SimCommand.h"
#include "SimSettingsOutput.h"
#include "common/AppIds.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using msg_app::input::SelectorAnswer;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

enum class Choice { NONE, TEXT, KEYBOARD, CANCEL, SEVERAL };

Choice readChoice(msg_sim::SimArgs& args, std::string& text) {
    int given = 0;
    Choice choice = Choice::NONE;
    if (args.option("--text", text)) {
        ++given;
        choice = Choice::TEXT;
    }
    if (args.flag("--keyboard")) {
        ++given;
        choice = Choice::KEYBOARD;
    }
    if (args.flag("--cancel")) {
        ++given;
        choice = Choice::CANCEL;
    }
    return given > 1 ? Choice::SEVERAL : choice;
}

bool answer(Choice choice, app_control_h request, const std::string& text) {
    switch (choice) {
    case Choice::TEXT:
        return SelectorAnswer::sendText(request, text);
    case Choice::KEYBOARD:
        return SelectorAnswer::openKeyboard(request);
    default:
        return SelectorAnswer::cancel(request);
    }
}

int runSelect(msg_sim::SimArgs& args) {
    std::string text;
    Choice choice = readChoice(args, text);
    long long id = 0;
    if (!args.ok(1) || args.rest().size() != 1 || !msg_sim::parseCount(args.rest()[0], id) ||
        choice == Choice::NONE || choice == Choice::SEVERAL)
        return msg_sim::simUsageError(args, args.error().empty() ? "give a launch id and one of --text, "
                                                                   "--keyboard or --cancel"
                                                                 : args.error());
    LaunchEntry entry;
    if (!LaunchJournal::find(id, entry) || entry.target != msg_app::app_id::INPUT_SELECTOR)
        return msg_sim::simFailure(args, "launch #" + std::to_string(id) + " is no input-selector request");
    if (entry.replied)
        return msg_sim::simFailure(args, "launch #" + std::to_string(id) + " was answered already");
    if (choice == Choice::TEXT && text.find_first_not_of(" \t\r\n") == std::string::npos)
        return msg_sim::simUsageError(args, "--text needs something to send");
    app_control_h request = LaunchJournal::openReceived(id);
    if (!request)
        return msg_sim::simFailure(args, "launch #" + std::to_string(id) + " cannot be read");
    // The composer is started by the selector, so the journal names it as the caller.
    setenv("MSG_APP_ID", msg_app::app_id::INPUT_SELECTOR, 1);
    bool done = answer(choice, request, text);
    app_control_destroy(request);
    if (!done)
        return msg_sim::simFailure(args, "launch #" + std::to_string(id) + " could not be answered");
    // A selector window showing this request has nothing left to do.
    if (entry.status == "started")
        LaunchJournal::requestTerminate(id);
    std::printf("launch #%lld answered\n", id);
    return 0;
}

} // namespace

void msg_sim::registerSelectCommands() {
    addSimCommand({"select", "ID (--text TEXT | --keyboard | --cancel)",
                   "answers a pending input-selector request as its window would", runSelect});
}
