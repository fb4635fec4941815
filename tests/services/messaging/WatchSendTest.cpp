// Sending through the watch's modem: the store's outbox, the network's answer, MMS, retrieve.
#include "WatchFixture.h"

#include "msg_storage.h"
#include "msg_store/PhoneSide.h"
#include "msg_transport.h"
#include "vconf.h"

#include <fstream>
#include <iterator>
#include <tuple>
#include <unistd.h>

using namespace msg_store;

namespace {

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

TEST_F(WatchTest, SendRefusesWhatCannotBeSentAndStoresNothing) {
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
    int count = -1;
    ASSERT_EQ(PhoneSide::countMessages(count), MSG_STORE_SUCCESS);
    EXPECT_EQ(count, 0);
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

TEST_F(WatchMmsTest, SizeLimitIsADeviceSettingAndRefusesLargerMms) {
    ASSERT_EQ(vconf_set_int("db/msg/mms_max_size", 4096), VCONF_OK);
    std::string text = writeFile("t.txt", std::string(10, 'a'));
    const std::pair<std::string, int> images[] = {
        {writeFile("big.png", std::string(4096, 'x')), MSG_ERR_MESSAGE_TOO_LARGE}, // 4106 bytes
        {writeFile("fits.png", std::string(4086, 'x')), MSG_SUCCESS},              // exactly the limit
        {device.path() + "/missing.png", MSG_ERR_INVALID_PARAMETER}};
    for (const auto& [image, expected] : images) {
        msg_struct_t req = mmsRequest(text, image);
        EXPECT_EQ(msg_mms_send_message(handle, req), expected) << image;
        msg_release_struct(&req);
    }
    int count = -1;
    PhoneSide::countMessages(count);
    EXPECT_EQ(count, 1);
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
