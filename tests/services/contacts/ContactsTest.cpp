// Contact queries, searches and records, bad input, connections, and changes from another process.
#include "contacts.h"
#include "CommonDeviceTest.h"
#include "FeedSync.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include "LogCapture.h"
#include "Programs.h"

#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using msg_device::Device;

struct Row {
    int personId = 0;
    std::string name;
    std::string number;
};

// Reads person-number records into rows and destroys the list; properties that were not projected
// stay empty.
std::vector<Row> takeRows(contacts_list_h list) {
    std::vector<Row> rows;
    contacts_record_h record = nullptr;
    while (list && contacts_list_get_current_record_p(list, &record) == CONTACTS_ERROR_NONE) {
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
    if (list)
        contacts_list_destroy(list, true);
    return rows;
}

class ContactsTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        db = Device::getDefault();
        ASSERT_TRUE(db);
        ASSERT_TRUE(contacts_admin::addPerson(db, "Alice Moreau", {"+14155550101", "+14155550102"}, &alice));
        ASSERT_TRUE(contacts_admin::addPerson(db, "Ben 100%_Okafor", {"4155550103"}, &ben));
        ASSERT_EQ(contacts_connect(), CONTACTS_ERROR_NONE);
    }
    void TearDown() override {
        EXPECT_EQ(contacts_disconnect(), CONTACTS_ERROR_NONE);
        CommonDeviceTest::TearDown();
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
        return takeRows(list);
    }

    std::vector<Row> search(const char* keyword, int range) {
        contacts_list_h list = nullptr;
        EXPECT_EQ(
            contacts_db_search_records_with_range(_contacts_person_number._uri, keyword, 0, 0, range, &list),
            0);
        return takeRows(list);
    }

    Device* db = nullptr;
    int alice = 0;
    int ben = 0;
};

TEST_F(ContactsTest, ExactNumberFindsThePersonAndSearchMatchesLiterally) {
    auto rows = exactLookup("+14155550102");
    ASSERT_EQ(rows.size(), 1u);
    // Only the projected properties are in the record.
    EXPECT_EQ(std::tie(rows[0].personId, rows[0].name, rows[0].number),
              std::make_tuple(alice, "Alice Moreau", ""));
    // Longer, shorter, without the plus, empty.
    for (const char* other : {"+141555501021", "+1415555010", "14155550101", ""})
        EXPECT_TRUE(exactLookup(other).empty()) << other;

    // A person with two numbers is listed once per number.
    auto byName = search("alice", CONTACTS_SEARCH_RANGE_NAME);
    ASSERT_EQ(byName.size(), 2u);
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

TEST_F(ContactsTest, BadQueriesAndWritesAreRefusedWithoutHarm) {
    msg_test::LogCapture quiet;
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    contacts_list_h list = nullptr;
    EXPECT_EQ(contacts_query_create("contacts:nothing", &query), CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(query, nullptr);
    EXPECT_EQ(contacts_db_get_records_with_query(nullptr, 0, 0, &list), CONTACTS_ERROR_INVALID_PARAMETER);

    ASSERT_EQ(contacts_filter_create(_contacts_person_number._uri, &filter), 0);
    // A property of another view, a text match on an integer.
    EXPECT_EQ(contacts_filter_add_str(filter, _contacts_phone_log.address, CONTACTS_MATCH_EXACTLY, "1"),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(contacts_filter_add_str(filter, _contacts_person_number.person_id, CONTACTS_MATCH_EXACTLY, "1"),
              CONTACTS_ERROR_INVALID_PARAMETER);
    // Operators must sit between conditions, and a filter ending in one is incomplete.
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
    EXPECT_EQ(contacts_db_get_records_with_query(query, -1, 0, &list), CONTACTS_ERROR_INVALID_PARAMETER);
    contacts_query_destroy(query);
    contacts_filter_destroy(filter);
    EXPECT_EQ(contacts_db_search_records_with_range(_contacts_person_number._uri, "a", 0, 0, 8, &list),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(list, nullptr);

    // Writes: no name, a name that is not text, an empty number, an unknown person, one bad person of a
    // batch.
    EXPECT_FALSE(contacts_admin::addPerson(db, "", {"1"}, nullptr));
    EXPECT_FALSE(contacts_admin::addPerson(db, "Bad\xff", {"1"}, nullptr));
    EXPECT_FALSE(contacts_admin::addPerson(db, "Carl", {"1", ""}, nullptr));
    EXPECT_FALSE(contacts_admin::editPerson(db, 999, "Nobody", {"1"}));
    EXPECT_FALSE(contacts_admin::addPersons(db, {{0, "Dee", {"1"}}, {0, "", {"2"}}}));
    // Nothing above changed the address book.
    int count = 0;
    ASSERT_EQ(contacts_db_get_count(_contacts_person_number._uri, &count), 0);
    EXPECT_EQ(count, 3);
}

TEST_F(ContactsTest, ConnectionsAreCountedPerProcessAndThread) {
    // A worker thread uses its own connection, and only while it holds it.
    std::vector<int> results;
    ASSERT_EQ(contacts_disconnect(), 0); // the fixture's connection
    std::thread worker([&] {
        int count = 0;
        results.push_back(contacts_db_get_count(_contacts_person._uri, &count));
        contacts_connect_on_thread();
        results.push_back(contacts_db_get_count(_contacts_person._uri, &count));
        contacts_disconnect_on_thread();
        results.push_back(contacts_db_get_count(_contacts_person._uri, &count));
        results.push_back(contacts_disconnect_on_thread());
    });
    worker.join();
    EXPECT_EQ(results, (std::vector<int>{CONTACTS_ERROR_DB, CONTACTS_ERROR_NONE, CONTACTS_ERROR_DB,
                                         CONTACTS_ERROR_DB}));

    // A second connection is counted: one disconnection leaves the process connected.
    ASSERT_EQ(contacts_connect(), 0);
    ASSERT_EQ(contacts_connect(), 0);
    ASSERT_EQ(contacts_disconnect(), 0);
    int count = 0;
    EXPECT_EQ(contacts_db_get_count(_contacts_person._uri, &count), 0);
    EXPECT_EQ(count, 2);
}

void changedCb(const char* viewUri, void* userData) {
    static_cast<std::vector<std::string>*>(userData)->push_back(viewUri);
}

TEST_F(ContactsTest, ChangesFromAnotherProcessReachTheCallbackUntilTheLastDisconnection) {
    std::vector<std::string> contactViews, logViews;
    ASSERT_EQ(contacts_db_add_changed_cb(_contacts_contact._uri, changedCb, &contactViews), 0);
    ASSERT_EQ(contacts_db_add_changed_cb(_contacts_phone_log._uri, changedCb, &logViews), 0);
    // The same registration twice would deliver every change twice.
    EXPECT_EQ(contacts_db_add_changed_cb(_contacts_contact._uri, changedCb, &contactViews),
              CONTACTS_ERROR_INVALID_PARAMETER);

    auto missedCall = [] {
        return msg_test::runSim({"call-log", "add", "--number", "+14155550142", "--type", "missed"}).exitCode;
    };
    ASSERT_EQ(
        msg_test::runSim({"contact", "add", "--name", "Nora Quist", "--number", "+14155550142"}).exitCode, 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactViews.size() == 1; }));
    EXPECT_EQ(contactViews[0], _contacts_contact._uri);

    // A failed command changes nothing and tells no one. Changes arrive in order: once a later
    // one is heard, the failed one would have been too.
    EXPECT_NE(msg_test::runSim({"contact", "delete", "77"}).exitCode, 0);
    ASSERT_EQ(missedCall(), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return logViews.size() == 1; }));
    EXPECT_EQ(contactViews.size(), 1u);

    EXPECT_EQ(contacts_db_remove_changed_cb(_contacts_contact._uri, changedCb, &contactViews), 0);
    EXPECT_EQ(contacts_db_remove_changed_cb(_contacts_contact._uri, changedCb, &contactViews),
              CONTACTS_ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(contacts_admin::addPerson(db, "Otto", {"5"}, nullptr));
    ASSERT_EQ(missedCall(), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return logViews.size() == 2; }));
    EXPECT_EQ(contactViews.size(), 1u);

    // The last disconnection drops the callbacks.
    ASSERT_EQ(contacts_disconnect(), 0);
    ASSERT_TRUE(contacts_admin::addCallLog(db, {"+14155550142", 1000, 1}, nullptr));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(logViews.size(), 2u);
    EXPECT_EQ(contacts_db_add_changed_cb(_contacts_person._uri, changedCb, &logViews), CONTACTS_ERROR_DB);
    ASSERT_EQ(contacts_connect(), 0); // for TearDown
}

} // namespace
