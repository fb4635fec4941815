#include "contacts/ContactsAdmin.h"

#include "ContactsViews.h"

#include "device/Device.h"
#include "log/PlatformLog.h"

#include <glib.h>

namespace contacts_admin {

namespace {

using msg_device::ChangeLog;
using msg_device::Connection;

bool validPerson(const std::string& displayName, const std::vector<std::string>& numbers) {
    PLAT_RETV_IF(displayName.empty() || !g_utf8_validate(displayName.data(), displayName.size(), nullptr),
                 false, "display name is empty or not UTF-8");
    for (const auto& number : numbers) {
        PLAT_RETV_IF(number.empty() || !g_utf8_validate(number.data(), number.size(), nullptr), false,
                     "a number is empty or not UTF-8");
    }
    return true;
}

bool insertNumbers(Connection& db, int64_t personId, const std::vector<std::string>& numbers) {
    auto insert = db.prepare("INSERT INTO contacts_numbers(person_id, number) VALUES(?, ?)");
    for (const auto& number : numbers) {
        insert.reset();
        insert.bind(1, personId).bind(2, number);
        if (!insert.exec())
            return false;
    }
    return true;
}

bool insertPerson(Connection& db, const Person& person, int64_t* outId) {
    auto insert = db.prepare("INSERT INTO contacts_persons(display_name) VALUES(?)");
    insert.bind(1, person.displayName);
    if (!insert.exec())
        return false;
    *outId = db.lastInsertId();
    return insertNumbers(db, *outId, person.numbers);
}

bool personExists(Connection& db, int id) {
    auto select = db.prepare("SELECT 1 FROM contacts_persons WHERE id = ?");
    select.bind(1, id);
    return select.step();
}

std::vector<std::string> numbersOf(Connection& db, int personId) {
    std::vector<std::string> numbers;
    auto select = db.prepare("SELECT number FROM contacts_numbers WHERE person_id = ? ORDER BY id");
    select.bind(1, personId);
    while (select.step())
        numbers.push_back(select.columnText(0));
    return numbers;
}

} // namespace

bool addPersons(msg_device::Device* device, const std::vector<Person>& persons) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    for (const auto& person : persons) {
        if (!validPerson(person.displayName, person.numbers))
            return false;
    }
    return device->write([&](Connection& db, ChangeLog& log) {
        int64_t id = 0;
        for (const auto& person : persons) {
            if (!insertPerson(db, person, &id))
                return false;
        }
        log.append(kChangeTopic, "contact");
        return true;
    });
}

bool addPerson(msg_device::Device* device, const std::string& displayName,
               const std::vector<std::string>& numbers, int* outId) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    if (!validPerson(displayName, numbers))
        return false;
    int64_t id = 0;
    bool ok = device->write([&](Connection& db, ChangeLog& log) {
        if (!insertPerson(db, Person{0, displayName, numbers}, &id))
            return false;
        log.append(kChangeTopic, "contact");
        return true;
    });
    if (ok && outId)
        *outId = static_cast<int>(id);
    return ok;
}

bool editPerson(msg_device::Device* device, int id, const std::string& displayName,
                const std::vector<std::string>& numbers) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    if (!validPerson(displayName, numbers))
        return false;
    return device->write([&](Connection& db, ChangeLog& log) {
        PLAT_RETV_IF(!personExists(db, id), false, "no person %d", id);
        auto update = db.prepare("UPDATE contacts_persons SET display_name = ? WHERE id = ?");
        update.bind(1, displayName).bind(2, id);
        auto drop = db.prepare("DELETE FROM contacts_numbers WHERE person_id = ?");
        drop.bind(1, id);
        if (!update.exec() || !drop.exec() || !insertNumbers(db, id, numbers))
            return false;
        log.append(kChangeTopic, "contact");
        return true;
    });
}

bool deletePerson(msg_device::Device* device, int id) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    return device->write([&](Connection& db, ChangeLog& log) {
        PLAT_RETV_IF(!personExists(db, id), false, "no person %d", id);
        auto numbers = db.prepare("DELETE FROM contacts_numbers WHERE person_id = ?");
        numbers.bind(1, id);
        auto person = db.prepare("DELETE FROM contacts_persons WHERE id = ?");
        person.bind(1, id);
        if (!numbers.exec() || !person.exec())
            return false;
        log.append(kChangeTopic, "contact");
        return true;
    });
}

namespace {

bool validCallLog(const CallLogEntry& entry) {
    PLAT_RETV_IF(entry.address.empty() ||
                     !g_utf8_validate(entry.address.data(), entry.address.size(), nullptr),
                 false, "address is empty or not UTF-8");
    return true;
}

bool insertCallLog(Connection& db, const CallLogEntry& entry) {
    auto insert = db.prepare("INSERT INTO contacts_phone_logs(address, log_time, log_type) VALUES(?, ?, ?)");
    insert.bind(1, entry.address).bind(2, entry.time).bind(3, entry.type);
    return insert.exec();
}

} // namespace

bool addCallLog(msg_device::Device* device, const CallLogEntry& entry, int* outId) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    if (!validCallLog(entry))
        return false;
    int64_t id = 0;
    bool ok = device->write([&](Connection& db, ChangeLog& log) {
        if (!insertCallLog(db, entry))
            return false;
        id = db.lastInsertId();
        log.append(kChangeTopic, "phone_log");
        return true;
    });
    if (ok && outId)
        *outId = static_cast<int>(id);
    return ok;
}

bool addCallLogs(msg_device::Device* device, const std::vector<CallLogEntry>& entries) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    for (const auto& entry : entries) {
        if (!validCallLog(entry))
            return false;
    }
    return device->write([&](Connection& db, ChangeLog& log) {
        for (const auto& entry : entries) {
            if (!insertCallLog(db, entry))
                return false;
        }
        log.append(kChangeTopic, "phone_log");
        return true;
    });
}

bool listPersons(msg_device::Device* device, std::vector<Person>& out) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    Connection* db = device->connection();
    PLAT_RETV_IF(!db, false, "no connection");
    std::vector<Person> persons;
    auto select = db->prepare("SELECT id, display_name FROM contacts_persons ORDER BY id");
    while (select.step())
        persons.push_back(Person{select.columnInt(0), select.columnText(1), {}});
    PLAT_RETV_IF(select.failed(), false, "cannot read persons");
    for (auto& person : persons)
        person.numbers = numbersOf(*db, person.id);
    out = std::move(persons);
    return true;
}

bool findPerson(msg_device::Device* device, int id, Person& out) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    Connection* db = device->connection();
    PLAT_RETV_IF(!db, false, "no connection");
    auto select = db->prepare("SELECT display_name FROM contacts_persons WHERE id = ?");
    select.bind(1, id);
    if (!select.step())
        return false;
    out = Person{id, select.columnText(0), numbersOf(*db, id)};
    return true;
}

bool listCallLog(msg_device::Device* device, std::vector<CallLogEntry>& out) {
    PLAT_RETV_IF(!contacts_impl::ensureContactsSchema(device), false, "no contacts database");
    Connection* db = device->connection();
    PLAT_RETV_IF(!db, false, "no connection");
    std::vector<CallLogEntry> entries;
    auto select = db->prepare(
        "SELECT address, log_time, log_type FROM contacts_phone_logs ORDER BY log_time DESC, id DESC");
    while (select.step())
        entries.push_back(CallLogEntry{select.columnText(0), select.columnInt64(1), select.columnInt(2)});
    PLAT_RETV_IF(select.failed(), false, "cannot read the call log");
    out = std::move(entries);
    return true;
}

} // namespace contacts_admin
