#include "FeedSync.h"
#include "contacts.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"

#include "MainLoop.h"
#include "TempDir.h"

#include <Ecore.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using msg_device::Device;

int runSim(const std::string& arguments) {
    const char* bin = std::getenv("MSG_BIN_DIR");
    std::string command = std::string(bin ? bin : ".") + "/msg-sim " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

std::string nameOf(const char* number) {
    contacts_query_h query = nullptr;
    contacts_filter_h filter = nullptr;
    contacts_query_create(_contacts_person_number._uri, &query);
    contacts_filter_create(_contacts_person_number._uri, &filter);
    contacts_filter_add_str(filter, _contacts_person_number.number, CONTACTS_MATCH_EXACTLY, number);
    contacts_query_set_filter(query, filter);
    contacts_filter_destroy(filter);
    contacts_list_h list = nullptr;
    std::string name;
    if (contacts_db_get_records_with_query(query, 0, 1, &list) == CONTACTS_ERROR_NONE) {
        contacts_record_h record = nullptr;
        char* text = nullptr;
        if (contacts_list_get_current_record_p(list, &record) == 0 &&
            contacts_record_get_str_p(record, _contacts_person_number.display_name, &text) == 0 && text)
            name = text;
        contacts_list_destroy(list, true);
    }
    contacts_query_destroy(query);
    return name;
}

struct Seen {
    std::vector<std::string> views;
};

void changedCb(const char* viewUri, void* userData) {
    static_cast<Seen*>(userData)->views.push_back(viewUri);
}

class ContactsChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ecore_init();
        Device::closeDefault();
        ASSERT_EQ(contacts_connect(), CONTACTS_ERROR_NONE);
    }
    void TearDown() override {
        contacts_disconnect();
        Device::closeDefault();
        ecore_shutdown();
    }
    msg_test::TempDevice temp;
};

TEST_F(ContactsChangeTest, ChangesFromAnotherProcessReachTheCallback) {
    Seen contactViews, logViews;
    ASSERT_EQ(contacts_db_add_changed_cb(_contacts_contact._uri, changedCb, &contactViews), 0);
    ASSERT_EQ(contacts_db_add_changed_cb(_contacts_phone_log._uri, changedCb, &logViews), 0);
    // The same registration twice would deliver every change twice.
    EXPECT_EQ(contacts_db_add_changed_cb(_contacts_contact._uri, changedCb, &contactViews),
              CONTACTS_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(nameOf("+14155550142"), "");

    ASSERT_EQ(runSim("contact add --name 'Nora Quist' --number +14155550142"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactViews.views.size() == 1; }));
    EXPECT_EQ(contactViews.views[0], _contacts_contact._uri);
    EXPECT_EQ(nameOf("+14155550142"), "Nora Quist");

    ASSERT_EQ(runSim("contact edit 1 --name 'Nora Q.'"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactViews.views.size() == 2; }));
    EXPECT_EQ(nameOf("+14155550142"), "Nora Q.");

    ASSERT_EQ(runSim("contact delete 1"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactViews.views.size() == 3; }));
    EXPECT_EQ(nameOf("+14155550142"), "");

    ASSERT_EQ(runSim("call-log add --number +14155550142 --type missed"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return logViews.views.size() == 1; }));
    // A failed command changes nothing and tells no one.
    EXPECT_NE(runSim("contact delete 77"), 0);
    // Changes arrive in order: once a later one is heard, the failed one would have been too.
    ASSERT_EQ(runSim("call-log add --number +14155550142 --type missed"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return logViews.views.size() == 2; }));
    EXPECT_EQ(contactViews.views.size(), 3u);

    EXPECT_EQ(contacts_db_remove_changed_cb(_contacts_contact._uri, changedCb, &contactViews), 0);
    EXPECT_EQ(contacts_db_remove_changed_cb(_contacts_contact._uri, changedCb, &contactViews),
              CONTACTS_ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(contacts_admin::addPerson(Device::getDefault(), "Otto", {"5"}, nullptr));
    ASSERT_EQ(runSim("call-log add --number +14155550142 --type missed"), 0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return logViews.views.size() == 3; }));
    EXPECT_EQ(contactViews.views.size(), 3u);
}

TEST_F(ContactsChangeTest, LastDisconnectionDropsCallbacks) {
    Seen seen;
    ASSERT_EQ(contacts_db_add_changed_cb(_contacts_person._uri, changedCb, &seen), 0);
    ASSERT_EQ(contacts_disconnect(), 0);
    ASSERT_TRUE(contacts_admin::addPerson(Device::getDefault(), "Otto", {"5"}, nullptr));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_TRUE(seen.views.empty());
    EXPECT_EQ(contacts_db_add_changed_cb(_contacts_person._uri, changedCb, &seen), CONTACTS_ERROR_DB);
    ASSERT_EQ(contacts_connect(), 0); // for TearDown
}

} // namespace
