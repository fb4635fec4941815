#include "StoreFixture.h"

#include "MainLoop.h"

#include <glib.h>

#include <tuple>

using namespace msg_store;
using msg_test::StoreTest;

// The order of the conversations, listing and restoring blocked messages are checked by the list model's
// tests.
TEST_F(StoreTest, BlockedMessagesStayOutOfTheConversationsAndOutliveThem) {
    int normal = receive("+100", "old", 1000);
    receive("+400", "spam only", 9000, FOLDER_WATCH_SPAM);
    // A blocked message in a normal thread changes none of its figures.
    receive("+100", "blocked later", 99000, FOLDER_WATCH_SPAM);
    std::vector<Thread> threads;
    ASSERT_EQ(ThreadManager().getAllThreads(threads), MSG_STORE_SUCCESS);
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_EQ(std::tie(threads[0].threadId, threads[0].msgCount, threads[0].snippet),
              std::make_tuple(threadOf(normal), 1, "old"));
    EXPECT_EQ(MessageManager().restoreBlockedMessage(normal), MSG_STORE_ERR_INVALID_ARGUMENT);

    // Deleting a conversation leaves its blocked messages in the blocked list.
    ASSERT_EQ(ThreadManager().deleteThread(threadOf(normal)), MSG_STORE_SUCCESS);
    ListCondition condition;
    condition.folderFilter = FOLDER_WATCH_SPAM;
    std::vector<Message> blocked;
    ASSERT_EQ(MessageManager().getMessages(condition, blocked), MSG_STORE_SUCCESS);
    EXPECT_EQ(blocked.size(), 2u);
}

TEST_F(StoreTest, ThreadFiguresFollowTheirMessages) {
    int first = receive("+1 (555) 010-2030", "hello", 1000);
    int second = receive("+15550102030", "second", 2000);
    int tid = threadOf(first);
    ASSERT_EQ(threadOf(second), tid) << "two spellings of one number share a thread";

    int sent = -1;
    ASSERT_EQ(MessageManager().sendSMS(tid, "", "reply", 1, &sent), MSG_STORE_SUCCESS);
    Thread thread;
    auto figures = [&] {
        EXPECT_EQ(ThreadManager().getThread(tid, thread), MSG_STORE_SUCCESS);
        return thread;
    };
    figures();
    EXPECT_EQ(std::tie(thread.unreadCount, thread.msgCount, thread.snippet, thread.folderType,
                       thread.networkStatus, thread.simIndex),
              std::make_tuple(2, 3, "reply", FOLDER_OUTBOX, NETWORK_STATUS_SENDING, 1));

    ASSERT_EQ(MessageManager().readMessage(first), MSG_STORE_SUCCESS);
    EXPECT_EQ(figures().unreadCount, 1);
    ASSERT_EQ(ThreadManager().readThread(tid), MSG_STORE_SUCCESS);
    EXPECT_EQ(figures().unreadCount, 0);

    // Deleting the newest message brings the previous one back as the snippet; the last one
    // takes the thread with it.
    ASSERT_EQ(MessageManager().deleteMessage(sent), MSG_STORE_SUCCESS);
    EXPECT_EQ(figures().snippet, "second");
    ASSERT_EQ(MessageManager().deleteMessage(second), MSG_STORE_SUCCESS);
    ASSERT_EQ(MessageManager().deleteMessage(first), MSG_STORE_SUCCESS);
    EXPECT_EQ(ThreadManager().getThread(tid, thread), MSG_STORE_ERR_NOT_FOUND);
}

TEST_F(StoreTest, ConversationsAreOldestFirstWithTheirParts) {
    IncomingMessage mms;
    mms.addresses = {
        {ADDRESS_TYPE_PHONE, "+100"}, {ADDRESS_TYPE_PHONE, "+200"}, {ADDRESS_TYPE_CALLBACK, "+999"}};
    mms.from = "+200";
    mms.msgType = "mms";
    mms.time = 3000;
    Content text;
    text.mediaType = Content::MEDIA_TYPE_TEXT;
    text.text = "caption";
    mms.contents = {text};
    int mmsId = -1;
    ASSERT_EQ(PhoneSide::insertMessage(mms, &mmsId), MSG_STORE_SUCCESS);
    int tid = threadOf(mmsId);

    IncomingMessage early = mms;
    early.msgType = "sms";
    early.contents.clear();
    early.time = 1000;
    early.text = "first";
    int earlyId = -1;
    ASSERT_EQ(PhoneSide::insertMessage(early, &earlyId), MSG_STORE_SUCCESS);
    EXPECT_EQ(threadOf(earlyId), tid) << "the callback number does not split the group";

    std::vector<Conversation> list;
    ASSERT_EQ(MessageManager().getConversations(tid, list), MSG_STORE_SUCCESS);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(std::make_tuple(list[0].msgId, list[1].msgId, list[1].isGroupChat, list[0].contents.size(),
                              list[1].contents.size()),
              std::make_tuple(earlyId, mmsId, true, 0u, 1u));

    std::vector<Address> addresses;
    ASSERT_EQ(ThreadManager().getAddress(tid, addresses), MSG_STORE_SUCCESS);
    ASSERT_EQ(addresses.size(), 3u);
    EXPECT_EQ(addresses[2].addressType, ADDRESS_TYPE_CALLBACK);

    // Read a page at a time from the end: the same order, ties on time by id, with their parts.
    IncomingMessage tie = early;
    tie.time = 3000;
    int tieId = -1;
    ASSERT_EQ(PhoneSide::insertMessage(tie, &tieId), MSG_STORE_SUCCESS);
    struct Page {
        int64_t beforeTime;
        int beforeId, limit;
        std::vector<int> ids;
        int folder = FOLDER_NONE; // only this one's (and the outbox's) when set
    } pages[] = {{0, 0, 2, {mmsId, tieId}},
                 {0, 0, 0, {earlyId, mmsId, tieId}},
                 {3000, tieId, 0, {earlyId, mmsId}},
                 {3000, mmsId, 5, {earlyId}},
                 {1000, earlyId, 0, {}},
                 {3000, tieId, 1, {mmsId}, FOLDER_INBOX},
                 {0, 0, 0, {}, FOLDER_SENT}};
    for (const Page& page : pages) {
        std::vector<Conversation> read = {Conversation()};
        ASSERT_EQ(MessageManager().getConversationsBefore(tid, page.beforeTime, page.beforeId, page.limit,
                                                          read, page.folder, FOLDER_OUTBOX),
                  MSG_STORE_SUCCESS);
        std::vector<int> ids;
        for (const Conversation& conv : read) {
            ids.push_back(conv.msgId);
            EXPECT_EQ(conv.contents.size(), conv.msgId == mmsId ? 1u : 0u) << conv.msgId;
        }
        EXPECT_EQ(ids, page.ids) << page.beforeId << " " << page.limit;
    }
    std::vector<Conversation> none;
    EXPECT_EQ(MessageManager().getConversationsBefore(tid + 100, 0, 0, 1, none), MSG_STORE_ERR_NOT_FOUND);

    // The kinds of message a thread holds, blocked ones left out, without reading them.
    int smsOnly = threadOf(receive("+300", "text", 1000));
    int blockedOnly = threadOf(receive("+400", "blocked", 2000, FOLDER_WATCH_SPAM));
    struct Kinds {
        int threadId;
        int result;
        bool mms, other;
    } kinds[] = {{tid, MSG_STORE_SUCCESS, true, true},
                 {smsOnly, MSG_STORE_SUCCESS, false, true},
                 {blockedOnly, MSG_STORE_SUCCESS, false, false},
                 {tid + 100, MSG_STORE_ERR_NOT_FOUND, false, false}};
    for (const Kinds& k : kinds) {
        bool mms = false, other = false;
        EXPECT_EQ(MessageManager().getConversationKinds(k.threadId, mms, other), k.result) << k.threadId;
        EXPECT_EQ(std::make_pair(mms, other), std::make_pair(k.mms, k.other)) << k.threadId;
    }
}

// Delivering and failing over the phone's route are checked by the send process's tests.
TEST_F(StoreTest, SendingGoesThroughTheOutboxAndAFailedNetworkMessageIsResentByThePhone) {
    int sms = -1;
    ASSERT_EQ(MessageManager().sendSMS(0, "+100; +200", "to a group", 0, &sms), MSG_STORE_SUCCESS);
    msg_test::TempDir files("msg-store-files");
    ASSERT_TRUE(g_file_set_contents(files.file("pic.png").c_str(), "png", 3, nullptr));
    int mms = -1;
    ASSERT_EQ(NmsManager().sendMMS(0, "+300", "look", files.file("pic.png"), &mms), MSG_STORE_SUCCESS);

    std::vector<OutboxEntry> outbox;
    ASSERT_EQ(PhoneSide::getOutbox(outbox), MSG_STORE_SUCCESS);
    ASSERT_EQ(outbox.size(), 2u);
    EXPECT_EQ(std::tie(outbox[0].msgId, outbox[0].route, outbox[1].route),
              std::make_tuple(sms, "phone", "nms"));

    ASSERT_EQ(PhoneSide::deliver(sms), MSG_STORE_SUCCESS);
    ASSERT_EQ(PhoneSide::fail(mms, NETWORK_STATUS_SEND_FAIL_NETWORK), MSG_STORE_SUCCESS);
    EXPECT_EQ(PhoneSide::deliver(sms), MSG_STORE_ERR_INVALID_ARGUMENT) << "only a message being sent";
    EXPECT_EQ(MessageManager().resendMessage(sms), MSG_STORE_ERR_INVALID_ARGUMENT)
        << "sent messages stay sent";

    ASSERT_EQ(MessageManager().resendMessage(mms), MSG_STORE_SUCCESS);
    ASSERT_EQ(PhoneSide::getOutbox(outbox), MSG_STORE_SUCCESS);
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_EQ(outbox[0].route, "phone");
}

TEST_F(StoreTest, PhoneRequestsAreQueuedAndAnswered) {
    IncomingMessage mms = incoming("+100");
    mms.msgType = "mms";
    mms.networkStatus = NETWORK_STATUS_RETRIEVE_FAIL;
    Content onPhone;
    onPhone.mediaType = Content::MEDIA_TYPE_AUDIO;
    mms.contents = {onPhone};
    int id = -1;
    ASSERT_EQ(PhoneSide::insertMessage(mms, &id), MSG_STORE_SUCCESS);
    Conversation conversation;
    ASSERT_EQ(MessageManager().getConversation(id, conversation), MSG_STORE_SUCCESS);
    int contentId = conversation.contents[0].contentId;

    ASSERT_EQ(MsgOperationManager().showOnDevice(id), MSG_STORE_SUCCESS);
    ASSERT_EQ(MessageManager().exportMessageToPhone(id), MSG_STORE_SUCCESS);
    ASSERT_EQ(ContentManager().downloadContentFile(contentId, "voice.wav"), MSG_STORE_SUCCESS);
    ASSERT_EQ(msg_store_nms_download_mms(id), MSG_STORE_SUCCESS);
    std::vector<PhoneRequest> requests;
    ASSERT_EQ(PhoneSide::getRequests(requests), MSG_STORE_SUCCESS);
    std::vector<std::string> kinds;
    for (const PhoneRequest& request : requests)
        kinds.push_back(request.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"show", "export", "download_content", "download_mms"}));
    EXPECT_EQ(requests[2].detail, "voice.wav");
    ASSERT_EQ(MessageManager().getConversation(id, conversation), MSG_STORE_SUCCESS);
    EXPECT_EQ(conversation.contents[0].transferStatus, Content::TRANSFER_DOWNLOADING);

    record(EVENT_TYPE_CONTENT_CHANGED);
    msg_test::TempDir files("msg-store-files");
    EXPECT_EQ(PhoneSide::completeRequest(requests[2].requestId, files.file("missing.wav")),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    ASSERT_TRUE(g_file_set_contents(files.file("voice.wav").c_str(), "RIFF", 4, nullptr));
    ASSERT_EQ(PhoneSide::completeRequest(requests[2].requestId, files.file("voice.wav")), MSG_STORE_SUCCESS);
    ASSERT_EQ(PhoneSide::completeRequest(requests[3].requestId), MSG_STORE_SUCCESS);
    ASSERT_EQ(MessageManager().getConversation(id, conversation), MSG_STORE_SUCCESS);
    EXPECT_EQ(std::tie(conversation.contents[0].transferStatus, conversation.contents[0].filePath,
                       conversation.networkStatus),
              std::make_tuple(Content::TRANSFER_DOWNLOADED, files.file("voice.wav"),
                              NETWORK_STATUS_RETRIEVE_SUCCESS));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"content_changed_success:" + std::to_string(id)}));

    // A deleted message takes its requests with it.
    ASSERT_EQ(MessageManager().deleteMessage(id), MSG_STORE_SUCCESS);
    ASSERT_EQ(PhoneSide::getRequests(requests), MSG_STORE_SUCCESS);
    EXPECT_TRUE(requests.empty());
}

TEST_F(StoreTest, FailedCallsReportWhyAndChangeNothing) {
    int id = receive("+100", "keep me", 1000);
    int tid = threadOf(id);
    Thread thread;
    std::vector<Thread> threads;
    int out = -1;
    EXPECT_EQ(ThreadManager().getThread(0, thread), MSG_STORE_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(ThreadManager().deleteThread(tid + 100), MSG_STORE_ERR_NOT_FOUND);
    EXPECT_EQ(MessageManager().deleteMessage(id + 100), MSG_STORE_ERR_NOT_FOUND);
    EXPECT_EQ(msg_store_nms_download_mms(id), MSG_STORE_ERR_INVALID_ARGUMENT)
        << "an SMS has nothing to download";
    EXPECT_EQ(MessageManager().sendSMS(0, "", "no one", 0, &out), MSG_STORE_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(MessageManager().sendSMS(0, "+100", "x", 0, nullptr), MSG_STORE_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(MessageManager().sendSMS(0, "+100", std::string("bad \xC3\x28 utf8"), 0, &out),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(MessageManager().sendMMS(0, "+100", "", "/no/such/file.png", 0, &out),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(out, -1) << "the out-parameter stays unchanged";
    EXPECT_EQ(PhoneSide::fail(id, NETWORK_STATUS_SEND_SUCCESS), MSG_STORE_ERR_INVALID_ARGUMENT);
    IncomingMessage bad = incoming("+1");
    bad.msgType = "fax";
    EXPECT_EQ(PhoneSide::insertMessage(bad, nullptr), MSG_STORE_ERR_INVALID_ARGUMENT);
    // One bad message in a batch keeps the whole batch out.
    EXPECT_EQ(PhoneSide::insertMessages({incoming("+2", "good"), bad}, nullptr),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    // A write the disk has no room for says so, and is not retried as a busy one would be.
    msg_device::Connection& db = *msg_device::Device::getDefault()->connection();
    auto pages = db.prepare("PRAGMA page_count");
    ASSERT_TRUE(pages.step());
    ASSERT_TRUE(db.exec("PRAGMA max_page_count=" + std::to_string(pages.columnInt(0))));
    EXPECT_EQ(PhoneSide::insertMessage(incoming("+100", std::string(256 * 1024, 'x')), nullptr),
              MSG_STORE_ERR_STORAGE_FULL);

    int count = 0;
    ASSERT_EQ(PhoneSide::countMessages(count), MSG_STORE_SUCCESS);
    EXPECT_EQ(count, 1);

    // Disconnected, every call says so, and nothing is lost once connected again.
    ASSERT_EQ(ConnectionManager::disconnect(), MSG_STORE_SUCCESS);
    EXPECT_EQ(ThreadManager().getAllThreads(threads), MSG_STORE_ERR_NOT_CONNECTED);
    EXPECT_EQ(ConnectionManager::subscribeEvent(EVENT_TYPE_STORAGE_CHANGE, recordCb, &events),
              MSG_STORE_ERR_NOT_CONNECTED);
    ASSERT_EQ(ConnectionManager::connect(), MSG_STORE_SUCCESS);
    ASSERT_EQ(ThreadManager().getAllThreads(threads), MSG_STORE_SUCCESS);
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads[0].snippet, "keep me");
}

TEST_F(StoreTest, HostileTextIsStoredAndReadBackUnchanged) {
    std::string planes;
    for (gunichar c :
         {0x41u, 0xE9u, 0x5D0u, 0x4E2Du, 0x1F600u, 0x2A6D6u, 0x30000u, 0xE0041u, 0xFFFFDu, 0x10FFFDu}) {
        char buf[8];
        planes.append(buf, g_unichar_to_utf8(c, buf));
    }
    std::vector<std::string> texts = {"'); DROP TABLE ms_messages; --", "<b>bold</b> &amp; \"quoted\" %s %n",
                                      std::string(100 * 1024, 'x') + "\xF0\x9F\x98\x80", planes};
    for (const auto& text : texts) {
        int id = -1;
        ASSERT_EQ(MessageManager().sendSMS(0, "+1;" + planes, text, 0, &id), MSG_STORE_SUCCESS);
        Conversation read;
        ASSERT_EQ(MessageManager().getConversation(id, read), MSG_STORE_SUCCESS);
        EXPECT_EQ(read.text, text);
        EXPECT_EQ(read.address, "+1;" + planes);
    }
    // A NUL would cut the text short for every C caller: refused rather than stored.
    int out = -1;
    EXPECT_EQ(MessageManager().sendSMS(0, "+1", std::string("nul\0inside", 10), 0, &out),
              MSG_STORE_ERR_INVALID_ARGUMENT);
    std::vector<Thread> threads;
    ASSERT_EQ(ThreadManager().getAllThreads(threads), MSG_STORE_SUCCESS);
    ASSERT_EQ(threads.size(), 1u);
    std::vector<Address> addresses;
    ASSERT_EQ(ThreadManager().getAddress(threads[0].threadId, addresses), MSG_STORE_SUCCESS);
    ASSERT_EQ(addresses.size(), 2u);
    EXPECT_EQ(addresses[1].address, planes);
}
