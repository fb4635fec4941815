// msg-sim commands of the address book and the call log.
#include "SimContactCommands.h"

#include "SimCommand.h"
#include "SimContactJson.h"
#include "SimContactSeed.h"

#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using contacts_admin::Person;

bool parseId(const std::string& text, int* id) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || value <= 0 || value > 0x7fffffff)
        return false;
    *id = static_cast<int>(value);
    return true;
}

// Every "--number N" of the arguments, in order.
std::vector<std::string> takeNumbers(msg_sim::SimArgs& args) {
    std::vector<std::string> numbers;
    std::string number;
    while (args.option("--number", number))
        numbers.push_back(number);
    return numbers;
}

void printPerson(const msg_sim::SimArgs& args, const Person& person) {
    if (args.json()) {
        msg_sim::JsonOut out;
        out.begin()
            .member("id", person.id)
            .member("name", person.displayName)
            .array("numbers", person.numbers);
        out.end().print();
        return;
    }
    std::printf("%d\t%s", person.id, person.displayName.c_str());
    for (const auto& number : person.numbers)
        std::printf("\t%s", number.c_str());
    std::printf("\n");
}

int contactAdd(msg_sim::SimArgs& args) {
    std::string name;
    bool hasName = args.option("--name", name);
    auto numbers = takeNumbers(args);
    if (!args.ok(1) || args.rest().size() != 1)
        return msg_sim::simUsageError(args,
                                      args.error().empty() ? "add takes no other argument" : args.error());
    if (!hasName || numbers.empty())
        return msg_sim::simUsageError(args, "add needs --name and at least one --number");
    int id = 0;
    if (!contacts_admin::addPerson(msg_device::Device::getDefault(), name, numbers, &id))
        return msg_sim::simFailure(args, "cannot add the contact (empty or invalid name or number?)");
    printPerson(args, Person{id, name, numbers});
    return 0;
}

int contactEdit(msg_sim::SimArgs& args) {
    std::string name;
    bool hasName = args.option("--name", name);
    auto numbers = takeNumbers(args);
    int id = 0;
    if (!args.ok(2) || args.rest().size() != 2 || !parseId(args.rest()[1], &id))
        return msg_sim::simUsageError(args, args.error().empty() ? "edit needs a contact id" : args.error());
    msg_device::Device* device = msg_device::Device::getDefault();
    Person person;
    if (!contacts_admin::findPerson(device, id, person))
        return msg_sim::simFailure(args, "no contact " + std::to_string(id));
    if (hasName)
        person.displayName = name;
    if (!numbers.empty())
        person.numbers = numbers;
    if (!contacts_admin::editPerson(device, id, person.displayName, person.numbers))
        return msg_sim::simFailure(args, "cannot change contact " + std::to_string(id));
    printPerson(args, person);
    return 0;
}

int contactDelete(msg_sim::SimArgs& args) {
    int id = 0;
    if (!args.ok(2) || args.rest().size() != 2 || !parseId(args.rest()[1], &id))
        return msg_sim::simUsageError(args,
                                      args.error().empty() ? "delete needs a contact id" : args.error());
    if (!contacts_admin::deletePerson(msg_device::Device::getDefault(), id))
        return msg_sim::simFailure(args, "no contact " + std::to_string(id));
    if (!args.json())
        std::printf("deleted %d\n", id);
    else
        msg_sim::JsonOut().begin().member("deleted", id).end().print();
    return 0;
}

int contactList(msg_sim::SimArgs& args) {
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    std::vector<Person> persons;
    if (!contacts_admin::listPersons(msg_device::Device::getDefault(), persons))
        return msg_sim::simFailure(args, "cannot read the address book");
    if (!args.json()) {
        for (const auto& person : persons)
            printPerson(args, person);
        return 0;
    }
    msg_sim::JsonOut out;
    out.beginArray();
    for (const auto& person : persons)
        out.begin()
            .member("id", person.id)
            .member("name", person.displayName)
            .array("numbers", person.numbers)
            .end();
    out.endArray().print();
    return 0;
}

int contactCommand(msg_sim::SimArgs& args) {
    const std::string action = args.rest().empty() ? "" : args.rest()[0];
    if (action == "add")
        return contactAdd(args);
    if (action == "edit")
        return contactEdit(args);
    if (action == "delete")
        return contactDelete(args);
    if (action == "list")
        return contactList(args);
    return msg_sim::simUsageError(args, action.empty() ? "missing action" : "unknown action " + action);
}

bool parseLogType(const std::string& text, int* type) {
    static const std::pair<const char*, int> kinds[] = {
        {"incoming", 1}, {"outgoing", 2}, {"missed", 5}, {"rejected", 9}};
    for (const auto& [name, value] : kinds) {
        if (text == name) {
            *type = value;
            return true;
        }
    }
    return false;
}

int callLogCommand(msg_sim::SimArgs& args) {
    std::string number, typeText = "incoming", timeText;
    bool hasNumber = args.option("--number", number);
    args.option("--type", typeText);
    bool hasTime = args.option("--time", timeText);
    if (!args.ok(1))
        return msg_sim::simUsageError(args, args.error());
    const std::string action = args.rest().empty() ? "" : args.rest()[0];
    if (action == "list") {
        std::vector<contacts_admin::CallLogEntry> entries;
        if (!contacts_admin::listCallLog(msg_device::Device::getDefault(), entries))
            return msg_sim::simFailure(args, "cannot read the call log");
        msg_sim::JsonOut out;
        out.beginArray();
        for (const auto& entry : entries) {
            if (args.json())
                out.begin()
                    .member("number", entry.address)
                    .member("time", entry.time)
                    .member("type", entry.type)
                    .end();
            else
                std::printf("%lld\t%d\t%s\n", static_cast<long long>(entry.time), entry.type,
                            entry.address.c_str());
        }
        if (args.json())
            out.endArray().print();
        return 0;
    }
    if (action != "add")
        return msg_sim::simUsageError(args, action.empty() ? "missing action" : "unknown action " + action);
    contacts_admin::CallLogEntry entry;
    char* end = nullptr;
    entry.time =
        hasTime ? std::strtoll(timeText.c_str(), &end, 10) : static_cast<int64_t>(std::time(nullptr));
    if (!hasNumber || !parseLogType(typeText, &entry.type) || (hasTime && (timeText.empty() || *end)))
        return msg_sim::simUsageError(args, "add needs --number, a known --type and a numeric --time");
    entry.address = number;
    int id = 0;
    if (!contacts_admin::addCallLog(msg_device::Device::getDefault(), entry, &id))
        return msg_sim::simFailure(args, "cannot add the call-log entry");
    if (args.json())
        msg_sim::JsonOut().begin().member("id", id).member("number", number).end().print();
    else
        std::printf("%d\t%s\n", id, number.c_str());
    return 0;
}

int seedContactsCommand(msg_sim::SimArgs& args) {
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    std::vector<Person> persons = msg_sim::seedAddressBook();
    if (!contacts_admin::addPersons(msg_device::Device::getDefault(), persons))
        return msg_sim::simFailure(args, "cannot seed the address book");
    for (const auto& entry : msg_sim::seedCallLog()) {
        if (!contacts_admin::addCallLog(msg_device::Device::getDefault(), entry, nullptr))
            return msg_sim::simFailure(args, "cannot seed the call log");
    }
    if (args.json())
        msg_sim::JsonOut().begin().member("contacts", static_cast<int>(persons.size())).end().print();
    else
        std::printf("added %zu contacts and their call log\n", persons.size());
    return 0;
}

} // namespace

void msg_sim::registerContactCommands() {
    addSimCommand(
        {"contact",
         "add --name NAME --number NUMBER [--number NUMBER...] | edit ID [--name NAME] [--number NUMBER...]"
         " | delete ID | list",
         "changes or lists the device's address book", contactCommand});
    addSimCommand({"call-log",
                   "add --number NUMBER [--type incoming|outgoing|missed|rejected] [--time EPOCH] | list",
                   "adds to or lists the device's call log", callLogCommand});
    addSimCommand(
        {"seed-contacts", "", "fills the address book and call log with demo people", seedContactsCommand});
}
