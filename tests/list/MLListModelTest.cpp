#include "ListStoreFixture.h"

#include "LogCapture.h"
#include "list/MLListModel.h"
#include "list/MLThreadListBgLoad.h"
#include "msg_store/MsgStore.h"

#include <algorithm>

using namespace msg_app::msg_list;

namespace {

class ListModelTest : public ListStoreFixture {
protected:
    void TearDown() override {
        MLThreadListBgLoad::destroy();
        ListStoreFixture::TearDown();
    }
};

} // namespace

TEST_F(ListModelTest, TypesFollowTheListType) {
    EXPECT_EQ(MLListModel(LIST_TYPE_THREAD).getDataType(), THREAD);
    EXPECT_EQ(MLListModel(LIST_TYPE_BLOCKED_MSG).getDataType(), MSG);
}

TEST_F(ListModelTest, ConversationsByIndexAndById) {
    int older = -1, newer = -1, tie = -1;
    receive({"+15550001", "first", "", "sms", 1000000}, &older);
    receive({"+15550002", "second", "", "sms", 3000000}, &newer);
    receive({"+15550003", "third", "", "sms", 3000000}, &tie);

    MLListModel model(LIST_TYPE_THREAD);
    EXPECT_EQ(model.getCount(), 0);
    time_t before = time(nullptr);
    ASSERT_TRUE(model.load());
    EXPECT_GE(model.getLoadTime(), before);
    ASSERT_EQ(model.getCount(), 3);
    // The store's order is kept: newest first, equal times by the higher id.
    EXPECT_EQ(model.getItemId(0), std::max(newer, tie));
    EXPECT_EQ(model.getItemId(1), std::min(newer, tie));
    EXPECT_EQ(model.getItemId(2), older);

    {
        msg_test::LogCapture log;
        EXPECT_EQ(model.getItemId(3), INVALID_ID);
        EXPECT_TRUE(log.contains("invalid index(3)"));
        EXPECT_EQ(model.getItemId(-1), INVALID_ID);
    }

    msg_store::Thread thread;
    model.getItemId(2);
    ASSERT_TRUE(model.getThreadById(older, thread)); // found at the cached index
    EXPECT_EQ(thread.snippet, "first");
    model.getItemId(2);
    ASSERT_TRUE(model.getThreadById(newer, thread)); // cache misses, the scan finds it
    EXPECT_EQ(thread.snippet, "second");

    msg_test::LogCapture log;
    msg_store::Thread untouched;
    untouched.snippet = "keep";
    EXPECT_FALSE(model.getThreadById(424242, untouched));
    EXPECT_TRUE(log.contains("not found (424242)"));
    EXPECT_EQ(untouched.snippet, "keep");

    msg_store::Message msg;
    EXPECT_FALSE(model.getMessageById(older, msg));
    EXPECT_TRUE(log.contains("dataType is not MSG"));
}

TEST_F(ListModelTest, LoadingTwiceKeepsTheFirstReadUntilCleared) {
    receive({"+15550001"});
    MLListModel model(LIST_TYPE_THREAD);
    ASSERT_TRUE(model.load());
    ASSERT_EQ(model.getCount(), 1);

    receive({"+15550002"});
    msg_test::LogCapture log;
    EXPECT_TRUE(model.load());
    EXPECT_TRUE(log.contains("data load is already done."));
    EXPECT_EQ(model.getCount(), 1);

    model.clear();
    EXPECT_EQ(model.getCount(), 0);
    EXPECT_EQ(model.getLoadTime(), 0);
    EXPECT_EQ(model.getItemId(0), INVALID_ID);
    msg_store::Thread thread;
    EXPECT_FALSE(model.getThreadById(1, thread));
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.getCount(), 2);
}

TEST_F(ListModelTest, AnEmptyListIsReadOnceAndAFailedReadIsReported) {
    for (ListType type : {LIST_TYPE_THREAD, LIST_TYPE_BLOCKED_MSG}) {
        MLListModel model(type);
        EXPECT_TRUE(model.load());
        EXPECT_EQ(model.getCount(), 0);
        EXPECT_EQ(model.getItemId(0), INVALID_ID);
        msg_test::LogCapture log;
        EXPECT_TRUE(model.load());
        EXPECT_TRUE(log.contains("data load is already done.")) << type;

        // A store that cannot be read is no empty list, and the next call tries again.
        model.clear();
        ASSERT_EQ(msg_store::ConnectionManager::disconnect(), msg_store::MSG_STORE_SUCCESS);
        EXPECT_FALSE(model.load()) << type;
        EXPECT_EQ(model.getCount(), 0);
        EXPECT_EQ(model.getLoadTime(), 0);
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        receive({"+15550001", "hi", "", "sms", 1000000,
                 type == LIST_TYPE_THREAD ? msg_store::FOLDER_INBOX : msg_store::FOLDER_WATCH_SPAM});
        EXPECT_TRUE(model.load()) << type;
        EXPECT_EQ(model.getCount(), 1);
    }
}

TEST_F(ListModelTest, ThePreloadedListIsTakenOnce) {
    int first = -1;
    receive({"+15550001"}, &first);
    MLThreadListBgLoad::getInstance()->start();
    receive({"+15550002"}); // after the worker may have read: the model must not read again

    MLListModel model(LIST_TYPE_THREAD);
    {
        msg_test::LogCapture log;
        ASSERT_TRUE(model.load());
        EXPECT_TRUE(log.contains("loaded from MLThreadListBgLoad"));
        EXPECT_FALSE(log.contains("_threads count"));
    }
    EXPECT_GE(model.getCount(), 1);
    EXPECT_EQ(model.getLoadTime(), MLThreadListBgLoad::getInstance()->getLoadTime());

    // The loader no longer holds a list, so a second model reads the store itself.
    MLListModel again(LIST_TYPE_THREAD);
    msg_test::LogCapture log;
    ASSERT_TRUE(again.load());
    EXPECT_TRUE(log.contains("_threads count = 2"));
}

TEST_F(ListModelTest, BlockedListHoldsOnlySpamMessages) {
    int spam = receive({"+15550009", "buy now", "", "sms", 2000000, msg_store::FOLDER_WATCH_SPAM});
    receive({"+15550001", "hi", "", "sms", 3000000, msg_store::FOLDER_INBOX});

    MLListModel model(LIST_TYPE_BLOCKED_MSG);
    ASSERT_TRUE(model.load());
    ASSERT_EQ(model.getCount(), 1);
    EXPECT_EQ(model.getItemId(0), spam);
    msg_store::Message msg;
    ASSERT_TRUE(model.getMessageById(spam, msg));
    EXPECT_EQ(msg.text, "buy now");

    msg_test::LogCapture log;
    msg_store::Thread thread;
    EXPECT_FALSE(model.getThreadById(msg.threadId, thread));
    EXPECT_TRUE(log.contains("dataType is not THREAD"));

    ASSERT_TRUE(model.restoreMsg(spam));
    model.clear();
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.getCount(), 0);
}

TEST_F(ListModelTest, FailedActionsAreReported) {
    int threadId = -1;
    int msgId = receive({"+15550001"}, &threadId);
    msg_test::LogCapture log;

    MLListModel blocked(LIST_TYPE_BLOCKED_MSG);
    EXPECT_FALSE(blocked.restoreMsg(987654));
    EXPECT_TRUE(log.contains("restoreBlockedMessage() is failed."));
    EXPECT_FALSE(blocked.deleteItem(987654));
    EXPECT_TRUE(log.contains("deleteMessage() is failed."));

    MLListModel threads(LIST_TYPE_THREAD);
    EXPECT_FALSE(threads.deleteItem(987654));
    EXPECT_TRUE(log.contains("deleteThread() is failed."));

    EXPECT_TRUE(threads.deleteItem(threadId));
    msg_store::Message gone;
    EXPECT_NE(msg_store::MessageManager().getMessage(msgId, gone), msg_store::MSG_STORE_SUCCESS);
}
