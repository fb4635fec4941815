// Handles and their thread, structures and their property ids, cell-broadcast options; message filters,
// the watch's incoming messages they send to spam, and the call-block list.
#include "WatchFixture.h"

#include "LogCapture.h"
#include "msg_service/WatchNetwork.h"
#include "msg_storage.h"
#include "msg_transport.h"
#include "phone_misc.h"
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

class WatchBlockTest : public WatchTest {
protected:
    int addFilter(int type, const std::string& value) {
        msg_struct_t filter = msg_create_struct(MSG_STRUCT_FILTER);
        msg_set_int_value(filter, MSG_FILTER_TYPE_INT, type);
        int result =
            msg_set_str_value(filter, MSG_FILTER_VALUE_STR, value.c_str(), static_cast<int>(value.size()));
        if (result == MSG_SUCCESS)
            result = msg_add_filter(handle, filter);
        msg_release_struct(&filter);
        return result;
    }

    // id -> text of every filter.
    std::vector<std::pair<int, std::string>> filters() {
        msg_struct_list_s list{};
        EXPECT_EQ(msg_get_filter_list(handle, &list), MSG_SUCCESS);
        std::vector<std::pair<int, std::string>> out;
        for (int i = 0; i < list.nCount; ++i) {
            int id = 0;
            char text[MSG_FILTER_VALUE_LEN + 1] = {};
            msg_get_int_value(list.msg_struct_info[i], MSG_FILTER_ID_INT, &id);
            msg_get_str_value(list.msg_struct_info[i], MSG_FILTER_VALUE_STR, text, sizeof(text));
            out.emplace_back(id, text);
        }
        msg_release_list_struct(&list);
        return out;
    }

    int receiveFolder(const std::string& from, const std::string& text, int* msgId = nullptr) {
        int folder = 0, id = 0;
        EXPECT_EQ(msg_service::WatchNetwork::receive({from, text, {}}, &id, &folder),
                  msg_store::MSG_STORE_SUCCESS);
        if (msgId)
            *msgId = id;
        return folder;
    }
};

TEST_F(WatchBlockTest, FiltersSendMatchingMessagesToSpamUntilRemoved) {
    ASSERT_EQ(addFilter(MSG_FILTER_BY_ADDRESS_SAME, "+15550100010"), MSG_SUCCESS);
    EXPECT_EQ(addFilter(MSG_FILTER_BY_ADDRESS_SAME, "+15550100010"), MSG_ERR_FILTER_DUPLICATED);
    std::string longest(MSG_FILTER_VALUE_LEN, '7');
    ASSERT_EQ(addFilter(MSG_FILTER_BY_ADDRESS_START, longest), MSG_SUCCESS);
    EXPECT_EQ(addFilter(MSG_FILTER_BY_ADDRESS_START, longest + "7"), MSG_ERR_INVALID_PARAMETER);
    EXPECT_EQ(addFilter(42, "+15550100011"), MSG_ERR_INVALID_PARAMETER);
    EXPECT_EQ(addFilter(MSG_FILTER_BY_WORD, "\xC3\x28"), MSG_ERR_INVALID_PARAMETER); // not UTF-8
    ASSERT_EQ(addFilter(MSG_FILTER_BY_WORD, "prize"), MSG_SUCCESS);
    auto list = filters();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].second, "+15550100010");
    EXPECT_EQ(list[1].second, longest);

    int blockedId = 0;
    EXPECT_EQ(receiveFolder("+15550100010", "hello", &blockedId), msg_store::FOLDER_WATCH_SPAM);
    EXPECT_EQ(receiveFolder("+155501000101", "hello"), msg_store::FOLDER_WATCH_INBOX); // same, not a prefix
    EXPECT_EQ(receiveFolder("+15550100012", "You won a prize!"), msg_store::FOLDER_WATCH_SPAM);

    ASSERT_EQ(msg_delete_filter(handle, list[0].first), MSG_SUCCESS);
    EXPECT_EQ(msg_delete_filter(handle, list[0].first), MSG_ERR_DB_NORECORD);
    EXPECT_EQ(filters().size(), 2u);
    EXPECT_EQ(receiveFolder("+15550100010", "hello again"), msg_store::FOLDER_WATCH_INBOX);
    // What arrived while blocked stays in spam; only new messages are let through.
    EXPECT_EQ(stored(blockedId).folderType, msg_store::FOLDER_WATCH_SPAM);
    EXPECT_NE(msg_service::WatchNetwork::receive({"", "no sender", {}}, nullptr, nullptr),
              msg_store::MSG_STORE_SUCCESS);
}

// Adding, checking and removing call blocks is checked through the application's block list.
TEST_F(WatchBlockTest, CallBlockListMatchesEachNumberByItsKind) {
    ASSERT_EQ(phone_misc_block_insert("+15550100010", PHONE_MISC_BLOCK_MATCH_EXACT), PHONE_MISC_ERROR_NONE);
    ASSERT_EQ(phone_misc_block_insert("+1900", PHONE_MISC_BLOCK_MATCH_STARTS_WITH), PHONE_MISC_ERROR_NONE);
    EXPECT_EQ(phone_misc_block_insert("+15550100010", PHONE_MISC_BLOCK_MATCH_EXACT),
              PHONE_MISC_ERROR_ALREADY_EXISTS);
    EXPECT_EQ(phone_misc_block_insert("not a number", PHONE_MISC_BLOCK_MATCH_EXACT),
              PHONE_MISC_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(phone_misc_block_insert("+1555", 9), PHONE_MISC_ERROR_INVALID_PARAMETER);

    // Each number is matched by its own kind.
    bool blocked = false;
    ASSERT_EQ(phone_misc_block_check("+19005551234", &blocked), PHONE_MISC_ERROR_NONE);
    EXPECT_TRUE(blocked);
    ASSERT_EQ(phone_misc_block_check("+155501000109", &blocked), PHONE_MISC_ERROR_NONE);
    EXPECT_FALSE(blocked);
}

} // namespace
