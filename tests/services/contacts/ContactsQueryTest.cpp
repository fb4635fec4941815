#include "contacts.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include "LogCapture.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using msg_device::Device;

struct Row {
    int personId = 0;
    std::string name;
    std::string number;
};

// Reads person-number records into rows; properties that were not projected stay empty.
std::vector<Row> readRows(contacts_list_h list) {
    std::vector<Row> rows;
    contacts_record_h record = nullptr;
    while (contacts_list_get_current_record_p(list, &record) == CONTACTS_ERROR_NONE) {
        Row row;
        char* text = nullptr;
        contacts_record_get_int(record, _contacts_person_number.person_id, &row.personId);
        if (contacts_record_get_str_p(record, _contacts_person_number.display_name, &text) == 0 && text)
            row.name = text;
        if (contacts_record_get_str_p(record, _contacts_person_number.number, &text) == 0 && text)
            row.number = text;
        rows.push_back(row);
        contacts_list_next(list);
    }
    return rows;
}

class ContactsQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Device::closeDefault();
        device = Device::getDefault();
        ASSERT_TRUE(device);
        ASSERT_TRUE(
            contacts_admin::addPerson(device, "Alice Moreau", {"+14155550101", "+14155550102"}, &alice));
        ASSERT_TRUE(contacts_admin::addPerson(device, "Ben 100%_Okafor", {"4155550103"}, &ben));
        ASSERT_EQ(contacts_connect(), CONTACTS_ERROR_NONE);
    }
    void TearDown() override {
        EXPECT_EQ(contacts_disconnect(), CONTACTS_ERROR_NONE);
        Device::closeDefault();
    }

    // The lookup a conversation title makes: exact number, person id and name, first record.
    std::vector<Row> exactLookup(const char* number) {
        contacts_query_h query = nullptr;
        contacts_filter_h filter = nullptr;
        EXPECT_EQ(contacts_query_create(_contacts_person_number._uri, &query), 0);
        EXPECT_EQ(contacts_filter_create(_contacts_person_number._uri, &filter), 0);
        EXPECT_EQ(
            contacts_filter_add_str(filter, _contacts_person_number.number, CONTACTS_MATCH_EXACTLY, number),
            0);
        EXPECT_EQ(contacts_query_set_filter(query, filter), 0);
        contacts_filter_destroy(filter);
        unsigned int projection[] = {_contacts_person_number.person_id, _contacts_person_number.display_name};
        EXPECT_EQ(contacts_query_set_projection(query, projection, 2), 0);
        contacts_list_h list = nullptr;
        EXPECT_EQ(contacts_db_get_records_with_query(query, 0, 1, &list), 0);
        contacts_query_destroy(query);
        std::vector<Row> rows = list ? readRows(list) : std::vector<Row>{};
        if (list)
            contacts_list_destroy(list, true);
        return rows;
    }

    std::vector<Row> search(const char* keyword, int range) {
        contacts_list_h list = nullptr;
        EXPECT_EQ(
            contacts_db_search_records_with_range(_contacts_person_number._uri, keyword, 0, 0, range, &list),
            0);
        std::vector<Row> rows = list ? readRows(list) : std::vector<Row>{};
        if (list)
            contacts_list_destroy(list, true);
        return rows;
    }

    msg_test::TempDevice temp;
    Device* device = nullptr;
    int alice = 0;
    int ben = 0;
};

TEST_F(ContactsQueryTest, ExactNumberFindsThePersonAndNothingElse) {
    auto rows = exactLookup("+14155550102");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].personId, alice);
    EXPECT_EQ(rows[0].name, "Alice Moreau");
    // Only the projected properties are in the record.
    EXPECT_TRUE(rows[0].number.empty());

    EXPECT_TRUE(exactLookup("+141555501021").empty()); // longer
    EXPECT_TRUE(exactLookup("+1415555010").empty());   // shorter
    EXPECT_TRUE(exactLookup("14155550101").empty());   // without the plus
    EXPECT_TRUE(exactLookup("").empty());
    ASSERT_EQ(exactLookup("4155550103").size(), 1u);
}

TEST_F(ContactsQueryTest, SearchByNameAndNumber) {
    // A person with two numbers is listed once per number.
    auto byName = search("alice", CONTACTS_SEARCH_RANGE_NAME);
    ASSERT_EQ(byName.size(), 2u);
    EXPECT_EQ(byName[0].personId, alice);
    EXPECT_EQ(byName[1].personId, alice);
    EXPECT_NE(byName[0].number, byName[1].number);

    EXPECT_TRUE(search("555010", CONTACTS_SEARCH_RANGE_NAME).empty());
    EXPECT_EQ(search("555010", CONTACTS_SEARCH_RANGE_NAME | CONTACTS_SEARCH_RANGE_NUMBER).size(), 3u);
    auto byNumber = search("0103", CONTACTS_SEARCH_RANGE_NUMBER);
    ASSERT_EQ(byNumber.size(), 1u);
    EXPECT_EQ(byNumber[0].personId, ben);

    // Wildcards in the keyword are literal characters.
    EXPECT_EQ(search("100%_", CONTACTS_SEARCH_RANGE_NAME).size(), 1u);
    EXPECT_TRUE(search("%", CONTACTS_SEARCH_RANGE_NUMBER).empty());
    EXPECT_TRUE(search("A_ice", CONTACTS_SEARCH_RANGE_NAME).empty());
}

TEST_F(ContactsQueryTest, CallLogSearchListsUnknownNumbersOnce) {
    for (const char* address : {"+14155550198", "+14155550198", "+14155550101", "+447700900199"})
        ASSERT_TRUE(contacts_admin::addCallLog(device, {address, 1000, 1}, nullptr));

    // The composer's query: the address contains the keyword and belongs to no person, distinct.
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    ASSERT_EQ(contacts_query_create(_contacts_person_phone_log._uri, &query), 0);
    ASSERT_EQ(contacts_filter_create(_contacts_person_phone_log._uri, &filter), 0);
    ASSERT_EQ(
        contacts_filter_add_str(filter, _contacts_person_phone_log.address, CONTACTS_MATCH_CONTAINS, "5550"),
        0);
    ASSERT_EQ(contacts_filter_add_operator(filter, CONTACTS_FILTER_OPERATOR_AND), 0);
    ASSERT_EQ(contacts_filter_add_int(filter, _contacts_person_phone_log.person_id, CONTACTS_MATCH_NONE, 0),
              0);
    ASSERT_EQ(contacts_query_set_filter(query, filter), 0);
    contacts_filter_destroy(filter);
    unsigned int projection[] = {_contacts_person_phone_log.address, _contacts_person_phone_log.log_type};
    ASSERT_EQ(contacts_query_set_projection(query, projection, 2), 0);
    ASSERT_EQ(contacts_query_set_distinct(query, true), 0);
    contacts_list_h list = nullptr;
    ASSERT_EQ(contacts_db_get_records_with_query(query, 0, 0, &list), 0);
    contacts_query_destroy(query);

    std::vector<std::string> addresses;
    contacts_record_h record = nullptr;
    while (contacts_list_get_current_record_p(list, &record) == 0) {
        char* address = nullptr;
        ASSERT_EQ(contacts_record_get_str(record, _contacts_person_phone_log.address, &address), 0);
        addresses.push_back(address);
        free(address);
        int personId = -1;
        // Not projected: refused rather than made up.
        EXPECT_EQ(contacts_record_get_int(record, _contacts_person_phone_log.person_id, &personId),
                  CONTACTS_ERROR_INVALID_PARAMETER);
        contacts_list_next(list);
    }
    contacts_list_destroy(list, true);
    EXPECT_EQ(addresses, std::vector<std::string>{"+14155550198"});
}

TEST_F(ContactsQueryTest, NumberRecordById) {
    contacts_list_h list = nullptr;
    ASSERT_EQ(contacts_db_get_all_records(_contacts_number._uri, 0, 0, &list), 0);
    int count = 0;
    contacts_list_get_count(list, &count);
    ASSERT_EQ(count, 3);
    contacts_list_next(list);
    contacts_record_h second = nullptr;
    ASSERT_EQ(contacts_list_get_current_record_p(list, &second), 0);
    int id = 0;
    ASSERT_EQ(contacts_record_get_int(second, _contacts_number.id, &id), 0);
    contacts_list_destroy(list, true);

    contacts_record_h record = nullptr;
    ASSERT_EQ(contacts_db_get_record(_contacts_number._uri, id, &record), 0);
    char* number = nullptr;
    int contactId = 0;
    ASSERT_EQ(contacts_record_get_str_p(record, _contacts_number.number, &number), 0);
    EXPECT_STREQ(number, "+14155550102");
    ASSERT_EQ(contacts_record_get_int(record, _contacts_number.contact_id, &contactId), 0);
    EXPECT_EQ(contactId, alice);
    contacts_record_destroy(record, true);

    record = nullptr;
    EXPECT_EQ(contacts_db_get_record(_contacts_number._uri, 999, &record), CONTACTS_ERROR_NO_DATA);
    EXPECT_EQ(record, nullptr);
}

TEST_F(ContactsQueryTest, BadInputIsRefusedWithoutHarm) {
    msg_test::LogCapture log;
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    contacts_list_h list = nullptr;
    EXPECT_EQ(contacts_query_create("contacts:nothing", &query), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_query_create(nullptr, &query), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(query, nullptr);
    EXPECT_EQ(contacts_db_get_records_with_query(nullptr, 0, 0, &list), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_list_get_count(nullptr, nullptr), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_record_destroy(nullptr, true), CONTACTS_ERROR_INVALID_PARAMETER);

    ASSERT_EQ(contacts_filter_create(_contacts_person_number._uri, &filter), 0);
    // A property of another view, a text match on an integer, a null value, an unknown match kind.
    EXPECT_EQ(contacts_filter_add_str(filter, _contacts_phone_log.address, CONTACTS_MATCH_EXACTLY, "1"),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_filter_add_str(filter, _contacts_person_number.person_id, CONTACTS_MATCH_EXACTLY, "1"),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(
        contacts_filter_add_str(filter, _contacts_person_number.number, CONTACTS_MATCH_EXACTLY, nullptr),
        CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_filter_add_int(filter, _contacts_person_number.person_id,
                                      static_cast<contacts_match_int_flag_e>(42), 1),
              CONTACTS_ERROR_INVALID_PARAMETER);
    // Operators must sit between conditions.
    EXPECT_EQ(contacts_filter_add_operator(filter, CONTACTS_FILTER_OPERATOR_AND),
              CONTACTS_ERROR_INVALID_PARAMETER);
    ASSERT_EQ(
        contacts_filter_add_int(filter, _contacts_person_number.person_id, CONTACTS_MATCH_GREATER_THAN, 0),
        0);
    EXPECT_EQ(contacts_filter_add_int(filter, _contacts_person_number.person_id, CONTACTS_MATCH_EQUAL, 1),
              CONTACTS_ERROR_INVALID_PARAMETER);
    ASSERT_EQ(contacts_filter_add_operator(filter, CONTACTS_FILTER_OPERATOR_OR), 0);

    ASSERT_EQ(contacts_query_create(_contacts_person_number._uri, &query), 0);
    EXPECT_EQ(contacts_query_set_filter(query, filter), CONTACTS_ERROR_INVALID_PARAMETER);
    unsigned int foreign[] = {_contacts_phone_log.address};
    EXPECT_EQ(contacts_query_set_projection(query, foreign, 1), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_query_set_projection(query, foreign, 0), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_db_get_records_with_query(query, -1, 0, &list), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(list, nullptr);
    contacts_query_destroy(query);
    contacts_filter_destroy(filter);

    EXPECT_EQ(contacts_db_search_records_with_range(_contacts_person_number._uri, "", 0, 0, 1, &list),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_db_search_records_with_range(_contacts_person_number._uri, "a", 0, 0, 0, &list),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_db_search_records_with_range(_contacts_person_number._uri, "a", 0, 0, 8, &list),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(list, nullptr);

    // Nothing above changed the address book.
    int count = 0;
    ASSERT_EQ(contacts_db_get_count(_contacts_person_number._uri, &count), 0);
    EXPECT_EQ(count, 3);
    EXPECT_GT(log.count("[ERROR]"), 10);
}

TEST_F(ContactsQueryTest, InvalidWritesChangeNothing) {
    EXPECT_FALSE(contacts_admin::addPerson(device, "", {"1"}, nullptr));
    EXPECT_FALSE(contacts_admin::addPerson(device, "Bad\xff", {"1"}, nullptr));
    EXPECT_FALSE(contacts_admin::addPerson(device, "Carl", {"1", ""}, nullptr));
    EXPECT_FALSE(contacts_admin::editPerson(device, 999, "Nobody", {"1"}));
    EXPECT_FALSE(contacts_admin::deletePerson(device, 999));
    EXPECT_FALSE(contacts_admin::addPersons(device, {{0, "Dee", {"1"}}, {0, "", {"2"}}}));
    std::vector<contacts_admin::Person> persons;
    ASSERT_TRUE(contacts_admin::listPersons(device, persons));
    EXPECT_EQ(persons.size(), 2u);
}

TEST_F(ContactsQueryTest, ConnectionsAreCountedPerProcessAndThread) {
    // A worker thread uses its own connection, and only while it holds it.
    int withoutConnection = 0, withConnection = 0, afterDisconnect = 0, secondDisconnect = 0;
    ASSERT_EQ(contacts_disconnect(), 0); // the fixture's connection
    std::thread worker([&] {
        int count = 0;
        withoutConnection = contacts_db_get_count(_contacts_person._uri, &count);
        contacts_connect_on_thread();
        withConnection = contacts_db_get_count(_contacts_person._uri, &count);
        contacts_disconnect_on_thread();
        afterDisconnect = contacts_db_get_count(_contacts_person._uri, &count);
        secondDisconnect = contacts_disconnect_on_thread();
    });
    worker.join();
    EXPECT_EQ(withoutConnection, CONTACTS_ERROR_DB);
    EXPECT_EQ(withConnection, CONTACTS_ERROR_NONE);
    EXPECT_EQ(afterDisconnect, CONTACTS_ERROR_DB);
    EXPECT_EQ(secondDisconnect, CONTACTS_ERROR_DB);

    // A second connection is counted: one disconnection leaves the process connected.
    ASSERT_EQ(contacts_connect(), 0);
    ASSERT_EQ(contacts_connect(), 0);
    ASSERT_EQ(contacts_disconnect(), 0);
    int count = 0;
    EXPECT_EQ(contacts_db_get_count(_contacts_person._uri, &count), 0);
    EXPECT_EQ(count, 2);
    // TearDown disconnects the last one; a further one is refused.
}

} // namespace
