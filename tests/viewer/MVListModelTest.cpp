#include "ListStoreFixture.h"

#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "viewer/MVListModel.h"

#include <vector>

using namespace msg_app::msg_viewer;
using ConvPtr = std::shared_ptr<msg_store::Conversation>;

namespace {

class ViewerModelTest : public ListStoreFixture {
protected:
    // A message of the one conversation with +15550100, at the given second.
    int at(int seconds, msg_store::FolderType folder = msg_store::FOLDER_INBOX) {
        Incoming in("+15550100", "t" + std::to_string(seconds), "", "sms", seconds * 1000LL, folder);
        return receive(in, &threadId);
    }
    std::vector<int> ids(const MVListModel& model) const {
        std::vector<int> out;
        for (int i = 0; i < model.getCount(); ++i)
            out.push_back(model.getMsgId(i));
        return out;
    }
    int threadId = -1;
    msg_app::MCommonMsgStore store;
};

} // namespace

TEST_F(ViewerModelTest, LoadsOldestFirstUpdatesInPlaceAndEmptiesOnReload) {
    int b = at(20), a = at(10), c = at(30);
    MVListModel model(threadId, store);
    ASSERT_EQ(model.load(), 3);
    EXPECT_EQ(ids(model), (std::vector<int>{a, b, c}));
    ConvPtr first;
    ASSERT_TRUE(model.getNthConv(0, first));
    EXPECT_EQ(first->text, "t10");

    // An update keeps the record's place; the others are still found around it.
    ASSERT_EQ(msg_store::PhoneSide::setTime(a, 99000), msg_store::MSG_STORE_SUCCESS);
    ConvPtr updated;
    ASSERT_TRUE(model.update(a, updated));
    EXPECT_EQ(updated->time, 99000);
    EXPECT_EQ((std::vector<int>{model.getIndexOf(a), model.getIndexOf(b), model.getIndexOf(c)}),
              (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(first->time, 10000); // the old record is untouched
    EXPECT_FALSE(model.update(4242, updated));
    model.remove(4242);
    EXPECT_EQ(model.getCount(), 3);
    model.remove(b);
    EXPECT_EQ(ids(model), (std::vector<int>{a, c}));

    for (int id : {a, b, c})
        ASSERT_EQ(msg_store::MessageManager().deleteMessage(id), msg_store::MSG_STORE_SUCCESS);
    EXPECT_EQ(model.load(), 0);
    EXPECT_EQ(model.getCount(), 0);
    // A record handed out earlier stays valid.
    EXPECT_EQ(first->text, "t10");
}

TEST_F(ViewerModelTest, AddPlacesByTimeEqualTimesLastAndRefusesSpamAndGhosts) {
    int mid = at(20);
    MVListModel model(threadId, store);
    model.load();
    // Seconds of the added message, and where it goes.
    for (const auto& [seconds, expectedIndex] : {std::pair{5, 0}, {50, 2}, {20, 2}}) {
        int id = at(seconds);
        ConvPtr out;
        ASSERT_TRUE(model.add(id, out)) << seconds;
        EXPECT_EQ(out->msgId, id);
        EXPECT_EQ(model.getIndexOf(id), expectedIndex) << seconds;
    }
    EXPECT_EQ(model.getIndexOf(mid), 1);

    ConvPtr out;
    for (msg_store::FolderType spam : {msg_store::FOLDER_SPAM, msg_store::FOLDER_WATCH_SPAM})
        EXPECT_FALSE(model.add(at(20, spam), out));
    // Deleted before its insert event was handled: no ghost record.
    int gone = at(30);
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(gone), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(model.add(gone, out));
    EXPECT_FALSE(model.add(-7, out));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(model.getCount(), 4);
    // What the model shows live is what a reload shows.
    std::vector<int> live = ids(model);
    model.load();
    EXPECT_EQ(ids(model), live);
}

TEST_F(ViewerModelTest, LookupsByFolderSearchFromTheNewest) {
    ConvPtr out;
    EXPECT_FALSE(MVListModel(threadId, store).getLatestConv(out));

    at(10, msg_store::FOLDER_INBOX);
    int phoneSent = at(20, msg_store::FOLDER_SENT);
    int watchIn = at(30, msg_store::FOLDER_WATCH_INBOX);
    int watchSent = at(40, msg_store::FOLDER_WATCH_SENT);
    MVListModel model(threadId, store);
    model.load();
    using Lookup = bool (MVListModel::*)(ConvPtr&) const;
    for (const auto& [lookup, expected] : {std::pair<Lookup, int>{&MVListModel::getLatestConv, watchSent},
                                           {&MVListModel::getPhoneMsgConv, phoneSent},
                                           {&MVListModel::getHulmMsgConv, watchSent},
                                           {&MVListModel::getLatestInboxConv, watchIn}}) {
        ConvPtr found;
        ASSERT_TRUE((model.*lookup)(found));
        EXPECT_EQ(found->msgId, expected);
    }
    EXPECT_EQ(model.getMsgId(model.getCount()), 0);
    ConvPtr untouched = std::make_shared<msg_store::Conversation>();
    EXPECT_FALSE(model.getNthConv(4, untouched));
    EXPECT_EQ(untouched->msgId, -1);
}

TEST_F(ViewerModelTest, WholeThreadMeansEveryStoredMessageAndChangesGoToTheStore) {
    int a = at(10), b = at(20);
    MVListModel model(threadId, store);
    model.load();
    int late = at(30); // arrived after the model was read
    for (const auto& [some, whole] : std::initializer_list<std::pair<std::vector<int>, bool>>{
             {{a, b}, false}, {{a, b, late}, true}, {{late, a, b}, true}, {{a, b, b}, false}, {{}, false}})
        EXPECT_EQ(model.isWholeThread(some), whole) << some.size();

    auto stored = [&] {
        std::vector<msg_store::Conversation> out;
        model.fetch(out);
        std::vector<std::pair<int, bool>> idsRead;
        for (const msg_store::Conversation& conv : out)
            idsRead.emplace_back(conv.msgId, conv.isRead);
        return idsRead;
    };
    model.readMessage(b);
    EXPECT_EQ(stored(), (std::vector<std::pair<int, bool>>{{a, false}, {b, true}, {late, false}}));
    model.readThread();
    EXPECT_EQ(stored(), (std::vector<std::pair<int, bool>>{{a, true}, {b, true}, {late, true}}));
    EXPECT_TRUE(model.deleteMessage(a));
    EXPECT_TRUE(model.isWholeThread({b, late}));
    EXPECT_TRUE(model.deleteThread());
    EXPECT_TRUE(stored().empty());
}

TEST_F(ViewerModelTest, TheNewestPageFirstThenTheRestInTheOrderOfAWholeLoad) {
    int received = at(10); // the one received message, older than the newest page
    std::vector<int> sent;
    for (int seconds : {20, 30, 30, 40, 50})
        sent.push_back(at(seconds, msg_store::FOLDER_SENT));
    MVListModel model(threadId, store);
    ASSERT_EQ(model.loadNewest(3), 3);
    EXPECT_FALSE(model.isWhole());
    EXPECT_EQ(ids(model), (std::vector<int>{sent[2], sent[3], sent[4]}));
    // Looked up among the messages not held, which are not taken in for it.
    ConvPtr found;
    ASSERT_TRUE(model.getLatestInboxConv(found));
    EXPECT_EQ(found->msgId, received);
    EXPECT_EQ(model.getCount(), 3);

    // An older message arrives live while the rest is read, and is in what was read as well.
    MVListModel::RestStart start = model.getRestStart();
    int live = at(5);
    ASSERT_TRUE(model.add(live, found));
    std::vector<msg_store::Conversation> rest;
    ASSERT_TRUE(MVListModel::fetchRest(store, start, rest));
    model.takeRest(std::move(rest));
    MVListModel whole(threadId, store);
    whole.load();
    EXPECT_TRUE(model.isWhole());
    EXPECT_EQ(ids(model), ids(whole));
    std::vector<msg_store::Conversation> again;
    MVListModel::fetchRest(store, start, again);
    model.takeRest(std::move(again)); // whole already: nothing twice
    EXPECT_EQ(ids(model), ids(whole));

    // Read here and now, or a page that holds the thread: whole at once.
    for (const auto& [newest, readRest] : {std::pair{2, true}, {7, false}, {50, false}}) {
        MVListModel paged(threadId, store);
        paged.loadNewest(newest);
        if (readRest)
            paged.readRest();
        EXPECT_TRUE(paged.isWhole()) << newest;
        EXPECT_EQ(ids(paged), ids(whole)) << newest;
    }
}
