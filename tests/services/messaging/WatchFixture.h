// The store's fixture with an open messaging handle.
#ifndef MSG_TESTS_SERVICES_WATCHFIXTURE_H
#define MSG_TESTS_SERVICES_WATCHFIXTURE_H

#include "StoreFixture.h"
#include "msg.h"

#include <string>
#include <vector>

// A structure's list field.
inline msg_list_handle_t listOf(msg_struct_t owner, int field) {
    void* list = nullptr;
    EXPECT_EQ(msg_get_list_handle(owner, field, &list), MSG_SUCCESS);
    return static_cast<msg_list_handle_t>(list);
}

class WatchTest : public msg_test::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(msg_open_msg_handle(&handle), MSG_SUCCESS);
    }
    void TearDown() override {
        if (handle)
            msg_close_msg_handle(&handle);
        StoreTest::TearDown();
    }

    // A request for an SMS or MMS to the numbers, each its own address entry.
    msg_struct_t request(int type, const std::vector<std::string>& numbers, const std::string& body) {
        msg_struct_t req = msg_create_struct(MSG_STRUCT_REQUEST_INFO);
        msg_struct_t msg = msg_create_struct(MSG_STRUCT_MESSAGE_INFO);
        msg_set_int_value(msg, MSG_MESSAGE_TYPE_INT, type);
        msg_set_int_value(msg, MSG_MESSAGE_STORAGE_ID_INT, MSG_STORAGE_WATCH);
        for (const std::string& number : numbers) {
            msg_struct_t address = nullptr;
            msg_list_add_item(msg, MSG_MESSAGE_ADDR_LIST_HND, &address);
            msg_set_int_value(address, MSG_ADDRESS_INFO_ADDRESS_TYPE_INT, MSG_ADDRESS_TYPE_PLMN);
            msg_set_int_value(address, MSG_ADDRESS_INFO_RECIPIENT_TYPE_INT, MSG_RECIPIENTS_TYPE_TO);
            msg_set_str_value(address, MSG_ADDRESS_INFO_ADDRESS_VALUE_STR, number.c_str(),
                              static_cast<int>(number.size()));
        }
        if (type == MSG_TYPE_SMS && !body.empty())
            msg_set_str_value(msg, MSG_MESSAGE_SMS_DATA_STR, body.c_str(), static_cast<int>(body.size()));
        EXPECT_EQ(msg_set_struct_handle(req, MSG_REQUEST_MESSAGE_HND, msg), MSG_SUCCESS);
        msg_release_struct(&msg);
        return req;
    }

    msg_store::Message stored(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, message), msg_store::MSG_STORE_SUCCESS);
        return message;
    }

    msg_handle_t handle = nullptr;
};

#endif
