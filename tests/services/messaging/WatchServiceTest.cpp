// Handles and their thread, structures and their property ids, cell-broadcast options.
#include "WatchFixture.h"

#include "LogCapture.h"
#include "msg_storage.h"
#include "msg_transport.h"
#include "vconf.h"

#include <thread>

namespace {

TEST_F(WatchTest, HandleWorksOnlyOnItsThreadAndOpensOnlyWhileTheServiceIsReady) {
    int foreign = MSG_SUCCESS, own = MSG_ERR_UNKNOWN, foreignClose = MSG_SUCCESS;
    std::thread worker([&] {
        int size = 0;
        foreign = msg_get_mms_max_size(handle, &size);
        msg_handle_t copy = handle;
        foreignClose = msg_close_msg_handle(&copy);
        // A worker opens its own.
        msg_handle_t mine = nullptr;
        if (msg_open_msg_handle(&mine) == MSG_SUCCESS) {
            own = msg_get_mms_max_size(mine, &size);
            msg_close_msg_handle(&mine);
        }
    });
    worker.join();
    EXPECT_EQ(foreign, MSG_ERR_INVALID_MSGHANDLE);
    EXPECT_EQ(foreignClose, MSG_ERR_INVALID_MSGHANDLE);
    EXPECT_EQ(own, MSG_SUCCESS);

    // Still usable here after the worker's attempts; a closed handle is refused, never used.
    int size = 0;
    EXPECT_EQ(msg_get_mms_max_size(handle, &size), MSG_SUCCESS);
    msg_handle_t closed = handle;
    ASSERT_EQ(msg_close_msg_handle(&handle), MSG_SUCCESS);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(msg_get_mms_max_size(closed, &size), MSG_ERR_INVALID_MSGHANDLE);

    ASSERT_EQ(vconf_set_bool("memory/msg/ready", 0), VCONF_OK);
    EXPECT_EQ(msg_open_msg_handle(&handle), MSG_ERR_SERVER_NOT_READY);
    EXPECT_EQ(handle, nullptr);
    ASSERT_EQ(vconf_set_bool("memory/msg/ready", 1), VCONF_OK);
    EXPECT_EQ(msg_open_msg_handle(&handle), MSG_SUCCESS);
}

TEST_F(WatchTest, StructuresRefuseForeignPropertiesAndCutTextsOnCharacters) {
    msg_test::LogCapture quiet;
    EXPECT_EQ(msg_create_struct(12345), nullptr);
    msg_struct_t msg = msg_create_struct(MSG_STRUCT_MESSAGE_INFO);
    int value = 77;
    EXPECT_EQ(msg_set_int_value(msg, MSG_FILTER_TYPE_INT, 1), MSG_ERR_INVALID_PARAMETER); // another kind's id
    EXPECT_EQ(msg_get_int_value(msg, MSG_MESSAGE_SMS_DATA_STR, &value), MSG_ERR_INVALID_PARAMETER); // a text
    EXPECT_EQ(value, 77);
    // A text is cut to the caller's buffer on a character boundary.
    ASSERT_EQ(msg_set_str_value(msg, MSG_MESSAGE_SMS_DATA_STR, "caf\xC3\xA9", 5), MSG_SUCCESS);
    char small[5] = {};
    ASSERT_EQ(msg_get_str_value(msg, MSG_MESSAGE_SMS_DATA_STR, small, sizeof(small)), MSG_SUCCESS);
    EXPECT_STREQ(small, "caf");
    // A structure of the wrong kind is not copied into a field.
    msg_struct_t filter = msg_create_struct(MSG_STRUCT_FILTER);
    EXPECT_EQ(msg_set_mms_struct(msg, filter), MSG_ERR_INVALID_PARAMETER);
    msg_release_struct(&filter);
    msg_release_struct(&msg);
    EXPECT_EQ(msg_release_struct(&msg), MSG_ERR_NULL_POINTER);
}

// The stored cell-broadcast options: whether to receive, and the first channel's range and name.
std::string storedCbOptions(msg_handle_t handle) {
    msg_struct_t options = msg_create_struct(MSG_STRUCT_SETTING_CB_OPT);
    EXPECT_EQ(msg_get_cb_opt(handle, options), MSG_SUCCESS);
    bool receive = false;
    msg_get_bool_value(options, MSG_CB_RECEIVE_BOOL, &receive);
    msg_list_handle_t channels = listOf(options, MSG_CB_CHANNEL_LIST_HND);
    std::string text = receive ? "receive" : "ignore";
    for (int i = 0; i < msg_list_length(channels); ++i) {
        msg_struct_t channel = msg_list_nth_data(channels, i);
        int from = 0, to = 0;
        char name[MSG_CB_CHANNEL_NAME_LEN + 1] = {};
        msg_get_int_value(channel, MSG_CB_CHANNEL_ID_FROM_INT, &from);
        msg_get_int_value(channel, MSG_CB_CHANNEL_ID_TO_INT, &to);
        msg_get_str_value(channel, MSG_CB_CHANNEL_NAME_STR, name, sizeof(name));
        text += " " + std::to_string(from) + "-" + std::to_string(to) + " " + name;
    }
    msg_release_struct(&options);
    return text;
}

TEST_F(WatchTest, CellBroadcastOptionsRoundTripThroughTheDevice) {
    EXPECT_EQ(storedCbOptions(handle), "receive");
    msg_struct_t options = msg_create_struct(MSG_STRUCT_SETTING_CB_OPT);
    ASSERT_EQ(msg_get_cb_opt(handle, options), MSG_SUCCESS);
    msg_set_bool_value(options, MSG_CB_RECEIVE_BOOL, false);
    msg_struct_t channel = nullptr;
    ASSERT_EQ(msg_list_add_item(options, MSG_CB_CHANNEL_LIST_HND, &channel), MSG_SUCCESS);
    msg_set_bool_value(channel, MSG_CB_CHANNEL_ACTIVATE_BOOL, true);
    msg_set_int_value(channel, MSG_CB_CHANNEL_ID_FROM_INT, 4370);
    msg_set_int_value(channel, MSG_CB_CHANNEL_ID_TO_INT, 4383);
    msg_set_str_value(channel, MSG_CB_CHANNEL_NAME_STR, "Alerts", 6);
    ASSERT_EQ(msg_set_cb_opt(handle, options), MSG_SUCCESS);

    // Another handle (as another process would) reads what was stored.
    msg_close_msg_handle(&handle);
    msg_device::Device::closeDefault();
    ASSERT_EQ(msg_open_msg_handle(&handle), MSG_SUCCESS);
    EXPECT_EQ(storedCbOptions(handle), "ignore 4370-4383 Alerts");

    // A reversed range is refused and the stored options stay.
    msg_set_int_value(channel, MSG_CB_CHANNEL_ID_FROM_INT, 5000);
    EXPECT_EQ(msg_set_cb_opt(handle, options), MSG_ERR_INVALID_PARAMETER);
    EXPECT_EQ(storedCbOptions(handle), "ignore 4370-4383 Alerts");
    msg_release_struct(&options);
}

} // namespace
