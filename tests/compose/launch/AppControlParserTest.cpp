// Launch requests read into the composer's record: every extra, and what another application may
// send wrongly or maliciously.
#include "CommonDeviceTest.h"

#include "common/addr/MCommonAddrMgr.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/launch/MCAttachmentImport.h"
#include "compose/launch/MCWorkPathMgr.h"
#include "compose/send/MCOutgoingMgr.h"
#include "device/Device.h"
#include "msg_store/MsgStoreTypes.h"
#include "msg_store/PhoneSide.h"

#include "app_common.h"
#include "app_control.h"

#include <fstream>
#include <glib.h>
#include <iterator>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace msg_app::compose;

namespace {

constexpr const char* KEYBOARD_ARRAY = "selector_keyboard_data_array";

class AppControlParserTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        MCOutgoingMgr::getInstance()->setSendBy(SendBy::NONE);
    }
    void TearDown() override {
        if (request)
            app_control_destroy(request);
        MCWorkPathMgr* work = MCWorkPathMgr::getInstance();
        if (!work->getWorkingPath().empty())
            work->destroyWorkingDir();
        // The address service watches this test's device, which closes now.
        msg_app::MCommonAddrMgr::release();
        CommonDeviceTest::TearDown();
    }
    // A new request, built the way another application would send it, and a fresh record to read it into.
    app_control_h fresh() {
        if (request)
            app_control_destroy(request);
        app_control_create(&request);
        msg = std::make_shared<MCMsgData>();
        return request;
    }
    void addArray(const char* key, const std::vector<std::string>& values) {
        std::vector<const char*> pointers;
        for (const auto& value : values)
            pointers.push_back(value.c_str());
        app_control_add_extra_data_array(request, key, pointers.data(), static_cast<int>(pointers.size()));
    }
    // The extras read, or the keyboard array when it has elements.
    bool parse(const std::vector<std::pair<const char*, std::string>>& extras,
               const std::vector<std::string>& elements = {}, AppControlType type = APP_CONTROL_SEND) {
        fresh();
        for (const auto& [key, value] : extras)
            app_control_add_extra_data(request, key, value.c_str());
        if (elements.empty())
            return parser.parseExtraData(request, msg);
        addArray(KEYBOARD_ARRAY, elements);
        return parser.parseExtraDataArray(request, type, msg);
    }
    int insertIncoming(const std::vector<std::string>& addresses, msg_store::FolderType folder,
                       const char* type = "sms") {
        msg_store::IncomingMessage in;
        in.msgType = type;
        for (const auto& address : addresses)
            in.addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, address});
        in.folderType = folder;
        in.text = "hello";
        int msgId = -1;
        EXPECT_EQ(0, msg_store::PhoneSide::insertMessage(in, &msgId));
        return msgId;
    }

    MCAppControlParser parser;
    app_control_h request = nullptr;
    std::shared_ptr<MCMsgData> msg;
    msg_test::TempDir scratch;
};

TEST_F(AppControlParserTest, SmsUris) {
    const struct {
        const char* uri;
        bool ok;
        std::vector<std::string> recipients;
        const char* body;
    } cases[] = {
        {"sms:+15551234567", true, {"+15551234567"}, ""},
        {"smsto:010-1234-5678?body=Hello%20there", true, {"01012345678"}, "Hello there"},
        {"SMS:111%3B222?subject=x&BODY=%ED%95%9C", true, {"111", "222"}, "\xED\x95\x9C"},
        {"sms:?body=only%20text", true, {}, "only text"},
        {"sms:123?body=bad%2", false, {}, ""},
        {"sms:123?body=nul%00byte", false, {}, ""},
        {"tel:123", true, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        app_control_set_uri(fresh(), c.uri);
        ASSERT_EQ(c.ok, parser.parseOperationData(request, msg));
        if (!c.ok)
            continue;
        EXPECT_EQ(std::make_tuple(c.recipients, c.body, c.recipients.size() > 1 ? MSG_TYPE_MMS : MSG_TYPE_SMS,
                                  *c.body ? 1 : 0),
                  std::make_tuple(msg->recipient, msg->body, msg->msgType, msg->smsPageCount));
    }
}

// A blank extra is no extra and changes nothing.
TEST_F(AppControlParserTest, ExtrasAndTheKeyboardArrayFillTheRecord) {
    std::vector<std::pair<const char*, std::string>> blanks;
    for (const char* key : {"msgId", "from_type", "simId", "sending_popup", "body_text", "address",
                            "reply_type", "selected_context", "multiple_recipient"})
        blanks.emplace_back(key, "");
    ASSERT_TRUE(parse(blanks));
    EXPECT_EQ(std::make_tuple(true, "", 0, 0, SendBy::NONE),
              std::make_tuple(msg->recipient.empty(), msg->body, msg->msgId, msg->smsPageCount,
                              MCOutgoingMgr::getInstance()->getSendBy()));

    ASSERT_TRUE(parse({{"from_type", "watch"},
                       {"simId", "1"},
                       {"sending_popup", "hide"},
                       {"caller_app", "com.vorlane.message"},
                       {"read_request", "1"},
                       {"body_text", "see you"},
                       {"vorlane_log", "reply_msg"},
                       {"address", "010-1111-2222;010 3333 4444"},
                       {"background_send", "true"}}));
    const MCSendMgr::LogData& log = MCSendMgr::getInstance()->getLogData();
    EXPECT_EQ(std::make_tuple(SendBy::HULM, 1, true, 1, "see you", 1, MSG_TYPE_MMS, true, 1,
                              MCSendMgr::LOG_TYPE_REPLY),
              std::make_tuple(MCOutgoingMgr::getInstance()->getSendBy(), msg->simIndex, msg->hideSendingPopup,
                              msg->readRequest, msg->body, msg->smsPageCount, msg->msgType,
                              msg->backgroundSend, log.fromMessageApp, log.logType));
    EXPECT_EQ((std::vector<std::string>{"01011112222", "01033334444"}), msg->recipient);

    ASSERT_TRUE(parse({},
                      {"address:010-5555-6666", "caller_app:com.vorlane.other", "vorlane_log:new_msg",
                       "from_type:phone", "simId:1", "sending_popup:hide", "note:a:b"},
                      APP_CONTROL_COMPOSE));
    EXPECT_EQ(std::vector<std::string>{"01055556666"}, msg->recipient);
    EXPECT_EQ(std::make_tuple(SendBy::PHONE, 1, true, true),
              std::make_tuple(MCOutgoingMgr::getInstance()->getSendBy(), msg->simIndex, msg->hideSendingPopup,
                              msg->newMsgFromSelector));
}

// An extra, or an element of the keyboard array (no key given), that is malformed refuses the request.
TEST_F(AppControlParserTest, MalformedExtrasAndArraysRefuseTheRequest) {
    const std::pair<const char*, std::string> cases[] = {
        {"msgId", "12abc"},
        {"msgId", "99999999999"},
        {"read_request", " 1"},
        {"body_text", std::string(64 * 1024, 'b')},
        {nullptr, "address0101234"},
        {nullptr, "msgId:2147483648"},
        {nullptr, "address:" + std::string(64 * 1024 - 8, '1')},
    };
    for (const auto& [key, value] : cases) {
        SCOPED_TRACE(key ? key : value.substr(0, 16));
        EXPECT_FALSE(key ? parse({{key, value}}) : parse({}, {value}));
        EXPECT_EQ(std::make_tuple(0, "", true),
                  std::make_tuple(msg->msgId, msg->body, msg->recipient.empty()));
    }
    fresh();
    addArray("body_text", {"a", "b"});
    EXPECT_FALSE(parser.parseExtraData(request, msg)) << "an array where a value belongs";
    EXPECT_TRUE(parse({}, std::vector<std::string>(MCAppControlParser::MAX_ARRAY_LENGTH, "simId:1")));
}

// Only a file of the device's shared media whose content is the kind the request says, and which
// fits in an MMS, is taken; everything else is refused without being read into the message.
TEST_F(AppControlParserTest, OnlySharedMediaOfTheRightKindIsTaken) {
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(2040, 'p');
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + std::string(1020, 'j');
    const std::string wav = std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(500, 'w');
    const std::string device = msg_device::Device::getDefault()->dir();
    const std::string media = device + "/media";
    auto owned = [](char* path) {
        std::string out = path;
        free(path);
        return out;
    };
    const std::string shared = owned(app_get_shared_data_path()), privateDir = owned(app_get_data_path());
    ASSERT_EQ(0, mkdir(media.c_str(), 0700));
    ASSERT_EQ(0, mkdir((media + "/real").c_str(), 0700));
    auto put = [](const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
        return path;
    };
    std::string photo = put(media + "/photo.png", png);
    put(media + "/real/inside.png", png);
    ASSERT_EQ(0, symlink((media + "/real").c_str(), (media + "/album").c_str()));
    ASSERT_EQ(0, symlink(photo.c_str(), (media + "/link.png").c_str()));
    ASSERT_EQ(0, mkfifo((media + "/pipe.png").c_str(), 0600));
    const struct {
        const char* what;
        const char* replyType;
        std::string path;
        const char* copyEnds; // null: refused
    } cases[] = {
        {"a gallery picture", "image", photo, "photo.png"},
        {"an application's shared picture", "image", put(shared + "cam.jpeg", jpeg), "cam.jpeg"},
        {"a recording", "voice", put(media + "/memo", wav), "memo.wav"},
        {"a picture named as something else", "image", put(media + "/shot.dat", png), "shot.dat.png"},
        {"text named .jpg", "image", put(media + "/notes.jpg", "my password is hunter2"), nullptr},
        {"a picture sent as a recording", "voice", photo, nullptr},
        {"a link at the end", "image", media + "/link.png", nullptr},
        {"a link in the middle", "image", media + "/album/inside.png", nullptr},
        {"a pipe", "image", media + "/pipe.png", nullptr},
        {"a device file", "image", "/dev/zero", nullptr},
        {"an application's private file", "image", put(privateDir + "secret.png", png), nullptr},
        {"the device's database", "image", device + "/device.db", nullptr},
        {"a picture above the MMS size", "image",
         put(media + "/huge.png",
             png + std::string(static_cast<size_t>(MCAttachmentImport::DEFAULT_MAX_SIZE), 'h')),
         nullptr},
        {"a picture outside the device", "image", put(scratch.file("photo.png"), png), nullptr},
        {"a relative path", "image", "media/photo.png", nullptr},
        {"a way back up", "image", media + "/real/../photo.png", nullptr},
        {"no path", "voice", "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.copyEnds != nullptr, parse({{"reply_type", c.replyType}, {"selected_context", c.path}}));
        if (!c.copyEnds) {
            EXPECT_TRUE(msg->attachPath.empty());
            continue;
        }
        EXPECT_EQ(MSG_TYPE_MMS, msg->msgType);
        EXPECT_TRUE(msg->body.empty()) << "a file is never sent as its path";
        EXPECT_EQ(0u, msg->attachPath.find(MCWorkPathMgr::getInstance()->getWorkingPath()));
        EXPECT_TRUE(g_str_has_suffix(msg->attachPath.c_str(), c.copyEnds)) << msg->attachPath;
        std::ifstream original(c.path, std::ios::binary);
        std::ifstream copy(msg->attachPath, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(original), {}),
                  std::string(std::istreambuf_iterator<char>(copy), {}));
    }
}

// A request may name a message only of a conversation with the people it names, as many people as an
// MMS may go to, and a SIM slot there is. A reply to its own person's message stays one recipient.
TEST_F(AppControlParserTest, RequestsThatReachBeyondWhatTheyNameAreRefused) {
    // The road is still unchosen here, as for a request on its own: the message's folder chooses it.
    int own = insertIncoming({"+15551234567"}, msg_store::FOLDER_INBOX);
    ASSERT_TRUE(parse({{"msgId", std::to_string(own)}, {"address", "+1 555-123-4567"}}));
    EXPECT_EQ(
        std::make_tuple(1u, MSG_TYPE_SMS, SendBy::PHONE),
        std::make_tuple(msg->recipient.size(), msg->msgType, MCOutgoingMgr::getInstance()->getSendBy()));
    EXPECT_GT(msg->threadId, 0);

    int bMessage = insertIncoming({"+15550000002"}, msg_store::FOLDER_INBOX);
    std::string twenty;
    for (int i = 0; i < 21; ++i)
        twenty += (i ? ";" : "") + std::string("+1555000") + std::to_string(1000 + i);
    std::string twentyOne = twenty;
    twenty = twenty.substr(0, twenty.rfind(';'));
    const struct {
        const char* what;
        std::vector<std::pair<const char*, std::string>> extras;
        bool ok;
    } cases[] = {
        {"another person's message",
         {{"address", "+15550000001"}, {"msgId", std::to_string(bMessage)}},
         false},
        {"a message that does not exist", {{"address", "+15550000002"}, {"msgId", "99999"}}, false},
        {"twenty people", {{"address", twenty}}, true},
        {"twenty-one people", {{"address", twentyOne}}, false},
        {"the phone's second SIM", {{"address", "+15550000002"}, {"simId", "1"}}, true},
        {"a SIM slot below the first", {{"address", "+15550000002"}, {"simId", "-1"}}, false},
        {"a SIM slot there is not", {{"address", "+15550000002"}, {"simId", "7"}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.ok, parse(c.extras));
    }
    EXPECT_FALSE(parse({}, {"address:+15550000001", "msgId:" + std::to_string(bMessage)}))
        << "from the keyboard";
}

// An answer to a group of the watch goes on the watch's road to all of the group, however the answer
// names one of them; to texts sent to several people one by one it goes the same way, to a group MMS
// as a group MMS.
TEST_F(AppControlParserTest, AnAnswerKeepsTheConversationsGroupChoice) {
    const std::pair<msg_store::FolderType, const char*> cases[] = {{msg_store::FOLDER_WATCH_INBOX, "mms"},
                                                                   {msg_store::FOLDER_WATCH_SENT, "sms"},
                                                                   {msg_store::FOLDER_WATCH_SENT, "mms"}};
    for (const auto& [folder, type] : cases) {
        SCOPED_TRACE(std::to_string(folder) + type);
        int msgId = insertIncoming({"+15550000011", "+15550000012"}, folder, type);
        ASSERT_TRUE(parse({}, {"msgId:" + std::to_string(msgId), "address:+15550000012"}));
        bool group = std::string(type) == "mms";
        EXPECT_EQ(std::make_tuple(2u, !group, group ? MSG_TYPE_MMS : MSG_TYPE_SMS, SendBy::HULM),
                  std::make_tuple(msg->recipient.size(), msg->noGroupMms, msg->msgType,
                                  MCOutgoingMgr::getInstance()->getSendBy()));
    }
}

} // namespace
