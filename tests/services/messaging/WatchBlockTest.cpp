// Message filters, the watch's incoming messages they send to spam, and the call-block list.
#include "WatchFixture.h"

#include "msg_service/WatchNetwork.h"
#include "msg_storage.h"
#include "phone_misc.h"

namespace {

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
