// msg-sim pick: the device's contacts picker, answering a composer's request with a number of the
// address book as the picker would (the record id of the chosen number).
#include "SimPickCommands.h"

#include "SimCommand.h"
#include "SimLaunchReply.h"
#include "SimSettingsOutput.h"
#include "common/AppIds.h"

#include "contacts.h"

#include <cstdio>

namespace {

// The record id of the number in the address book; 0 when no contact has it.
int numberRecordId(const std::string& number) {
    contacts_list_h list = nullptr;
    if (contacts_connect() != CONTACTS_ERROR_NONE ||
        contacts_db_get_all_records(_contacts_number._uri, 0, 0, &list) != CONTACTS_ERROR_NONE)
        return 0;
    int id = 0;
    do {
        contacts_record_h record = nullptr;
        char* value = nullptr;
        if (contacts_list_get_current_record_p(list, &record) == CONTACTS_ERROR_NONE &&
            contacts_record_get_str_p(record, _contacts_number.number, &value) == CONTACTS_ERROR_NONE &&
            value && number == value)
            contacts_record_get_int(record, _contacts_number.id, &id);
    } while (id == 0 && contacts_list_next(list) == CONTACTS_ERROR_NONE);
    contacts_list_destroy(list, true);
    return id;
}

int runPick(msg_sim::SimArgs& args) {
    bool cancel = args.flag("--cancel");
    long long id = 0;
    size_t wanted = cancel ? 1 : 2;
    if (!args.ok(wanted) || args.rest().size() != wanted || !msg_sim::parseCount(args.rest()[0], id))
        return msg_sim::simUsageError(
            args, args.error().empty() ? "give a launch id and a number, or --cancel" : args.error());
    std::vector<std::pair<std::string, std::string>> extras;
    if (!cancel) {
        int numberId = numberRecordId(args.rest()[1]);
        if (numberId == 0)
            return msg_sim::simFailure(args, "no contact has the number " + args.rest()[1]);
        extras.emplace_back("data_selected", std::to_string(numberId));
    }
    return msg_sim::answerPicker(args, id, msg_app::app_id::CONTACTS_APPCONTROL, "contacts picker", cancel,
                                 extras);
}

} // namespace

void msg_sim::registerPickCommands() {
    addSimCommand({"pick", "ID NUMBER | ID --cancel",
                   "answers a contacts picker request with a contact's number, as the device's picker would",
                   runPick});
}
