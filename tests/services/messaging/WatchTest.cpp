// The messaging handle on the store's fixture. Handles and their thread, structures and their property
// ids, cell-broadcast options; sending through the watch's modem: the store's outbox, the network's
// answer, MMS, retrieve; message filters, the watch's incoming messages they send to spam, and the
// call-block list.
#include "StoreFixture.h"

#include "LogCapture.h"
#include "msg.h"
#include "msg_service/WatchNetwork.h"
#include "msg_storage.h"
#include "msg_store/PhoneSide.h"
#include "msg_transport.h"
#include "phone_misc.h"
#include "vconf.h"

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

using namespace msg_store;

namespace {

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

    Message stored(int msgId) {
        Message message;
        EXPECT_EQ(MessageManager().getMessage(msgId, message), MSG_STORE_SUCCESS);
        return message;
    }

    msg_handle_t handle = nullptr;
};

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
        EXPECT_EQ(msg_service::WatchNetwork::receive({from, text, {}}, &id, &folder), MSG_STORE_SUCCESS);
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
    EXPECT_EQ(receiveFolder("+15550100010", "hello", &blockedId), FOLDER_WATCH_SPAM);
    EXPECT_EQ(receiveFolder("+155501000101", "hello"), FOLDER_WATCH_INBOX); // same, not a prefix
    EXPECT_EQ(receiveFolder("+15550100012", "You won a prize!"), FOLDER_WATCH_SPAM);

    ASSERT_EQ(msg_delete_filter(handle, list[0].first), MSG_SUCCESS);
    EXPECT_EQ(msg_delete_filter(handle, list[0].first), MSG_ERR_DB_NORECORD);
    EXPECT_EQ(filters().size(), 2u);
    EXPECT_EQ(receiveFolder("+15550100010", "hello again"), FOLDER_WATCH_INBOX);
    // What arrived while blocked stays in spam; only new messages are let through.
    EXPECT_EQ(stored(blockedId).folderType, FOLDER_WATCH_SPAM);
    EXPECT_NE(msg_service::WatchNetwork::receive({"", "no sender", {}}, nullptr, nullptr), MSG_STORE_SUCCESS);
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

// The id the store gave a sent request's message; releases the request.
int sentId(msg_struct_t& req) {
    int msgId = 0;
    EXPECT_EQ(msg_get_int_value(req, MSG_REQUEST_REQUESTID_INT, &msgId), MSG_SUCCESS);
    msg_release_struct(&req);
    return msgId;
}

// The events and the outbox entry a sent message makes are heard by the send process's tests, which
// follow one through the watch's modem.
TEST_F(WatchTest, SmsGoesToTheWatchOutboxThenIsDeliveredOrFails) {
    msg_struct_t req = request(MSG_TYPE_SMS, {"+15550100001"}, "On my way");
    ASSERT_EQ(msg_sms_send_message(handle, req), MSG_SUCCESS);
    int msgId = sentId(req);
    Message sent = stored(msgId);
    EXPECT_EQ(std::make_tuple(sent.folderType, sent.networkStatus, sent.text),
              std::make_tuple(FOLDER_WATCH_OUTBOX, NETWORK_STATUS_SENDING, "On my way"));

    ASSERT_EQ(PhoneSide::deliver(msgId), MSG_STORE_SUCCESS);
    sent = stored(msgId);
    EXPECT_EQ(std::make_pair(sent.folderType, sent.networkStatus),
              std::make_pair(FOLDER_WATCH_SENT, NETWORK_STATUS_SEND_SUCCESS));

    // A second one fails and stays in the outbox with the failure.
    req = request(MSG_TYPE_SMS, {"+15550100001"}, "Are you there?");
    ASSERT_EQ(msg_sms_send_message(handle, req), MSG_SUCCESS);
    int failedId = sentId(req);
    ASSERT_EQ(PhoneSide::fail(failedId, NETWORK_STATUS_SEND_FAIL_NETWORK), MSG_STORE_SUCCESS);
    Message failed = stored(failedId);
    EXPECT_EQ(std::make_tuple(failed.folderType, failed.networkStatus, failed.threadId),
              std::make_tuple(FOLDER_WATCH_OUTBOX, NETWORK_STATUS_SEND_FAIL_NETWORK, sent.threadId));
}

class WatchMmsTest : public WatchTest {
protected:
    std::string writeFile(const std::string& name, const std::string& content) {
        std::string path = device.path() + "/" + name;
        std::ofstream(path) << content;
        return path;
    }

    // The composer's presentation: a text region and page, and an image on the same page.
    msg_struct_t mmsRequest(const std::string& textPath, const std::string& imagePath) {
        msg_struct_t req = request(MSG_TYPE_MMS, {"+15550100002", "+15550100003"}, "");
        void* msg = nullptr;
        msg_get_struct_handle(req, MSG_REQUEST_MESSAGE_HND, &msg);
        msg_struct_t mms = msg_create_struct(MSG_STRUCT_MMS);
        msg_set_int_value(mms, MSG_MMS_ROOTLAYOUT_WIDTH_INT, 480);
        msg_struct_t region = nullptr, page = nullptr, media = nullptr;
        EXPECT_EQ(msg_mms_add_item(mms, MSG_MMS_REGION_LIST_HND, &region), MSG_SUCCESS);
        msg_set_str_value(region, MSG_MMS_REGION_ID_STR, "Text", 4);
        EXPECT_EQ(msg_mms_add_item(mms, MSG_MMS_PAGE_LIST_HND, &page), MSG_SUCCESS);
        for (const auto& [type, path] : {std::make_pair(MMS_SMIL_MEDIA_TEXT, &textPath),
                                         std::make_pair(MMS_SMIL_MEDIA_IMG, &imagePath)}) {
            EXPECT_EQ(msg_mms_add_item(page, MSG_MMS_PAGE_MEDIA_LIST_HND, &media), MSG_SUCCESS);
            msg_set_int_value(media, MSG_MMS_MEDIA_TYPE_INT, type);
            msg_set_str_value(media, MSG_MMS_MEDIA_FILEPATH_STR, path->c_str(),
                              static_cast<int>(path->size()));
        }
        msg_set_str_value(media, MSG_MMS_MEDIA_CONTENT_TYPE_STR, "image/png", 9);
        EXPECT_EQ(msg_set_mms_struct(static_cast<msg_struct_t>(msg), mms), MSG_SUCCESS);
        msg_release_struct(&mms);
        return req;
    }
};

TEST_F(WatchMmsTest, MmsWithPartsIsStoredAndReadBackWithItsSendOptions) {
    std::string image = writeFile("photo.png", std::string(2048, 'x'));
    msg_struct_t req = mmsRequest(writeFile("MMS_temp.txt", "Look at this"), image);
    void* options = nullptr;
    msg_get_struct_handle(req, MSG_REQUEST_SENDOPT_HND, &options);
    msg_set_bool_value(static_cast<msg_struct_t>(options), MSG_SEND_OPT_SETTING_BOOL, true);
    msg_set_bool_value(static_cast<msg_struct_t>(options), MSG_SEND_OPT_DELIVER_REQ_BOOL, true);
    ASSERT_EQ(msg_mms_send_message(handle, req), MSG_SUCCESS);
    int msgId = sentId(req);

    Message sent = stored(msgId);
    EXPECT_EQ(sent.msgType + " " + sent.address, "mms +15550100002;+15550100003");
    ASSERT_EQ(sent.contents.size(), 2u);
    EXPECT_EQ(sent.contents[0].text, "Look at this");
    // The store keeps a copy of its own: the sender may remove its file once it is done.
    ASSERT_EQ(0, unlink(image.c_str()));
    std::ifstream kept(sent.contents[1].filePath, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), std::string(2048, 'x'));
    EXPECT_EQ(std::make_pair(sent.contents[1].fileName, sent.contents[1].mediaType),
              std::make_pair(std::string("photo.png"), Content::MEDIA_TYPE_IMAGE));

    msg_struct_t msg = msg_create_struct(MSG_STRUCT_MESSAGE_INFO), mms = msg_create_struct(MSG_STRUCT_MMS),
                 sendOpt = msg_create_struct(MSG_STRUCT_SENDOPT);
    ASSERT_EQ(msg_get_message(handle, msgId, msg, sendOpt), MSG_SUCCESS);
    ASSERT_EQ(msg_get_mms_struct(msg, mms), MSG_SUCCESS);
    msg_list_handle_t pages = listOf(mms, MSG_MMS_PAGE_LIST_HND);
    ASSERT_EQ(msg_list_length(pages), 1);
    msg_list_handle_t media = listOf(msg_list_nth_data(pages, 0), MSG_MMS_PAGE_MEDIA_LIST_HND);
    ASSERT_EQ(msg_list_length(media), 2);
    char body[64] = {};
    msg_get_str_value(msg_list_nth_data(media, 0), MSG_MMS_MEDIA_TEXT_STR, body, sizeof(body));
    EXPECT_STREQ(body, "Look at this");
    bool setting = false, deliver = false, keepCopy = true;
    msg_get_bool_value(sendOpt, MSG_SEND_OPT_SETTING_BOOL, &setting);
    msg_get_bool_value(sendOpt, MSG_SEND_OPT_DELIVER_REQ_BOOL, &deliver);
    msg_get_bool_value(sendOpt, MSG_SEND_OPT_KEEPCOPY_BOOL, &keepCopy);
    EXPECT_EQ(std::make_tuple(setting, deliver, keepCopy), std::make_tuple(true, true, false));
    for (msg_struct_t* s : {&msg, &mms, &sendOpt})
        msg_release_struct(s);
}

// What cannot be sent is refused and stored nowhere; so is an MMS over the device's size limit.
TEST_F(WatchMmsTest, SendRefusesWhatCannotBeSentOrExceedsTheDevicesSizeLimitAndStoresNothing) {
    const struct {
        int type;
        std::vector<std::string> numbers;
        std::string body;
        int expected;
    } cases[] = {
        {MSG_TYPE_SMS, {}, "no one", MSG_ERR_INVALID_ADDRESS},
        {MSG_TYPE_SMS, {"call me"}, "text", MSG_ERR_INVALID_ADDRESS},
        {MSG_TYPE_SMS, {"+15550100001"}, "", MSG_ERR_INVALID_PARAMETER},
        {MSG_TYPE_MMS, {"+15550100001"}, "", MSG_ERR_INVALID_PARAMETER}, // MMS type through the SMS call
    };
    for (const auto& c : cases) {
        msg_struct_t req = request(c.type, c.numbers, c.body);
        EXPECT_EQ(msg_sms_send_message(handle, req), c.expected) << c.body;
        msg_release_struct(&req);
    }
    msg_struct_t req = request(MSG_TYPE_MMS, {"+15550100001"}, "");
    EXPECT_EQ(msg_mms_send_message(handle, req), MSG_ERR_INVALID_PARAMETER); // no part at all
    EXPECT_EQ(msg_sms_send_message(handle, nullptr), MSG_ERR_NULL_POINTER);
    msg_release_struct(&req);

    ASSERT_EQ(vconf_set_int("db/msg/mms_max_size", 4096), VCONF_OK);
    std::string text = writeFile("t.txt", std::string(10, 'a'));
    const std::pair<std::string, int> images[] = {
        {writeFile("big.png", std::string(4096, 'x')), MSG_ERR_MESSAGE_TOO_LARGE}, // 4106 bytes
        {writeFile("fits.png", std::string(4086, 'x')), MSG_SUCCESS},              // exactly the limit
        {device.path() + "/missing.png", MSG_ERR_INVALID_PARAMETER}};
    for (const auto& [image, expected] : images) {
        msg_struct_t sized = mmsRequest(text, image);
        EXPECT_EQ(msg_mms_send_message(handle, sized), expected) << image;
        msg_release_struct(&sized);
    }
    int count = -1;
    ASSERT_EQ(PhoneSide::countMessages(count), MSG_STORE_SUCCESS);
    EXPECT_EQ(count, 1) << "only the MMS that fits";
}

TEST_F(WatchTest, RetrieveAsksTheNetworkForAnMmsBody) {
    IncomingMessage notice = incoming("+15550100004", "", FOLDER_WATCH_INBOX);
    notice.msgType = "mms";
    notice.networkStatus = NETWORK_STATUS_NOT_RETRIEVED;
    int msgId = 0, phoneId = 0;
    ASSERT_EQ(PhoneSide::insertMessage(notice, &msgId), MSG_STORE_SUCCESS);
    notice.folderType = FOLDER_INBOX;
    ASSERT_EQ(PhoneSide::insertMessage(notice, &phoneId), MSG_STORE_SUCCESS);

    auto retrieve = [&](int id) {
        msg_struct_t req = msg_create_struct(MSG_STRUCT_REQUEST_INFO);
        void* msg = nullptr;
        msg_get_struct_handle(req, MSG_REQUEST_MESSAGE_HND, &msg);
        msg_set_int_value(static_cast<msg_struct_t>(msg), MSG_MESSAGE_ID_INT, id);
        int result = msg_mms_retrieve_message(handle, req);
        msg_release_struct(&req);
        return result;
    };
    EXPECT_EQ(retrieve(phoneId), MSG_ERR_INVALID_PARAMETER); // the phone's own message
    EXPECT_EQ(retrieve(9999), MSG_ERR_DB_NORECORD);
    ASSERT_EQ(retrieve(msgId), MSG_SUCCESS);

    std::vector<PhoneRequest> requests;
    ASSERT_EQ(PhoneSide::getRequests(requests), MSG_STORE_SUCCESS);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, "download_mms");
    ASSERT_EQ(PhoneSide::completeRequest(requests[0].requestId), MSG_STORE_SUCCESS);
    EXPECT_EQ(stored(msgId).networkStatus, NETWORK_STATUS_RETRIEVE_SUCCESS);
    EXPECT_EQ(retrieve(msgId), MSG_ERR_INVALID_PARAMETER); // nothing left to retrieve
}

} // namespace
