#include "ContactsViews.h"

#include "contacts.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <cstring>

namespace {

// Property ids carry their view in the high byte, so a property of another view is never mistaken.
constexpr unsigned int prop(unsigned int view, unsigned int index) {
    return (view << 8) | index;
}

enum ViewIndex : unsigned int { kPerson = 1, kContact, kNumber, kPersonNumber, kPhoneLog, kPersonPhoneLog };

const char kPersonUri[] = "contacts:person";
const char kContactUri[] = "contacts:contact";
const char kNumberUri[] = "contacts:number";
const char kPersonNumberUri[] = "contacts:person_number";
const char kPhoneLogUri[] = "contacts:phone_log";
const char kPersonPhoneLogUri[] = "contacts:person_phone_log";

// The person a call-log address belongs to: the oldest number record that matches it exactly.
#define CONTACTS_LOG_PERSON                                                                                  \
    "(SELECT n.person_id FROM contacts_numbers n WHERE n.number = l.address ORDER BY n.id LIMIT 1)"

const msg_device::SchemaModule& contactsSchema() {
    static const msg_device::SchemaModule module{
        "contacts",
        {"CREATE TABLE contacts_persons(id INTEGER PRIMARY KEY, display_name TEXT NOT NULL);"
         "CREATE TABLE contacts_numbers(id INTEGER PRIMARY KEY,"
         " person_id INTEGER NOT NULL REFERENCES contacts_persons(id), number TEXT NOT NULL);"
         "CREATE INDEX contacts_numbers_number ON contacts_numbers(number);"
         "CREATE INDEX contacts_numbers_person ON contacts_numbers(person_id);"
         "CREATE TABLE contacts_phone_logs(id INTEGER PRIMARY KEY, address TEXT NOT NULL,"
         " log_time INTEGER NOT NULL, log_type INTEGER NOT NULL);"
         "CREATE INDEX contacts_phone_logs_address ON contacts_phone_logs(address);",
         // A call-log row's person is looked up per row; from the index alone, without the table.
         "CREATE INDEX contacts_numbers_number_person ON contacts_numbers(number, id, person_id);"}};
    return module;
}

} // namespace

extern "C" {
const contacts_view_person_s _contacts_person = {kPersonUri, prop(kPerson, 1), prop(kPerson, 2)};
const contacts_view_contact_s _contacts_contact = {kContactUri, prop(kContact, 1), prop(kContact, 2)};
const contacts_view_number_s _contacts_number = {kNumberUri, prop(kNumber, 1), prop(kNumber, 2),
                                                 prop(kNumber, 3)};
const contacts_view_person_number_s _contacts_person_number = {kPersonNumberUri, prop(kPersonNumber, 1),
                                                               prop(kPersonNumber, 2), prop(kPersonNumber, 3),
                                                               prop(kPersonNumber, 4)};
const contacts_view_phone_log_s _contacts_phone_log = {kPhoneLogUri,       prop(kPhoneLog, 1),
                                                       prop(kPhoneLog, 2), prop(kPhoneLog, 3),
                                                       prop(kPhoneLog, 4), prop(kPhoneLog, 5)};
const contacts_view_person_phone_log_s _contacts_person_phone_log = {
    kPersonPhoneLogUri,       prop(kPersonPhoneLog, 1), prop(kPersonPhoneLog, 2), prop(kPersonPhoneLog, 3),
    prop(kPersonPhoneLog, 4), prop(kPersonPhoneLog, 5), prop(kPersonPhoneLog, 6)};
}

namespace contacts_impl {

const PropertyDef* ViewDef::property(unsigned int id) const {
    for (const auto& def : properties) {
        if (def.id == id)
            return &def;
    }
    return nullptr;
}

const ViewDef* findView(const char* uri) {
    static const std::vector<ViewDef> views = {
        {kPersonUri,
         "SELECT id, display_name FROM contacts_persons",
         "contact",
         "id",
         {{_contacts_person.id, "id", false}, {_contacts_person.display_name, "display_name", true}}},
        {kContactUri,
         "SELECT id, display_name FROM contacts_persons",
         "contact",
         "id",
         {{_contacts_contact.id, "id", false}, {_contacts_contact.display_name, "display_name", true}}},
        {kNumberUri,
         "SELECT id, person_id AS contact_id, number FROM contacts_numbers",
         "contact",
         "id",
         {{_contacts_number.id, "id", false},
          {_contacts_number.contact_id, "contact_id", false},
          {_contacts_number.number, "number", true}}},
        {kPersonNumberUri,
         "SELECT p.id AS person_id, p.display_name AS display_name, n.id AS number_id, n.number AS number"
         " FROM contacts_numbers n JOIN contacts_persons p ON p.id = n.person_id",
         "contact",
         "display_name, person_id, number_id",
         {{_contacts_person_number.person_id, "person_id", false},
          {_contacts_person_number.display_name, "display_name", true},
          {_contacts_person_number.number_id, "number_id", false},
          {_contacts_person_number.number, "number", true}}},
        {kPhoneLogUri,
         "SELECT l.id AS id, l.address AS address, l.log_time AS log_time, l.log_type AS "
         "log_type, " CONTACTS_LOG_PERSON " AS person_id FROM contacts_phone_logs l",
         "phone_log",
         "log_time DESC, id DESC",
         {{_contacts_phone_log.id, "id", false},
          {_contacts_phone_log.address, "address", true},
          {_contacts_phone_log.log_time, "log_time", false},
          {_contacts_phone_log.log_type, "log_type", false},
          {_contacts_phone_log.person_id, "person_id", false}}},
        {kPersonPhoneLogUri,
         "SELECT x.log_id AS log_id, x.person_id AS person_id, p.display_name AS display_name,"
         " x.address AS address, x.log_time AS log_time, x.log_type AS log_type FROM"
         " (SELECT l.id AS log_id, " CONTACTS_LOG_PERSON " AS person_id, l.address AS address,"
         " l.log_time AS log_time, l.log_type AS log_type FROM contacts_phone_logs l) x"
         " LEFT JOIN contacts_persons p ON p.id = x.person_id",
         "phone_log",
         "log_time DESC, log_id DESC",
         {{_contacts_person_phone_log.log_id, "log_id", false},
          {_contacts_person_phone_log.person_id, "person_id", false},
          {_contacts_person_phone_log.display_name, "display_name", true},
          {_contacts_person_phone_log.address, "address", true},
          {_contacts_person_phone_log.log_time, "log_time", false},
          {_contacts_person_phone_log.log_type, "log_type", false}}},
    };
    if (!uri)
        return nullptr;
    for (const auto& view : views) {
        if (std::strcmp(view.uri, uri) == 0)
            return &view;
    }
    return nullptr;
}

bool ensureContactsSchema(msg_device::Device* device) {
    PLAT_RETV_IF(!device, false, "device is null");
    return device->ensureSchema(contactsSchema());
}

msg_device::Device* contactsDevice() {
    return msg_device::Device::getDefaultWith(contactsSchema());
}

} // namespace contacts_impl
