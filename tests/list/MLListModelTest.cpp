#include "ListStoreFixture.h"

#include "list/MLListModel.h"
#include "msg_store/MsgStore.h"

#include <algorithm>

using namespace msg_app::msg_list;

namespace {

class ListModelTest : public ListStoreFixture {};

} // namespace

TEST_F(ListModelTest, ConversationsNewestFirstByIdOnTiesReadOnceUntilCleared) {
    int older = -1, newer = -1, tie = -1;
    receive({"+15550001", "first", "", "sms", 1000000}, &older);
    receive({"+15550002", "second", "", "sms", 3000000}, &newer);
    receive({"+15550003", "third", "", "sms", 3000000}, &tie);
    MLListModel model(LIST_TYPE_THREAD, store);
    ASSERT_TRUE(model.load());
    ASSERT_EQ(model.getCount(), 3);
    EXPECT_EQ(model.getItemId(0), std::max(newer, tie));
    EXPECT_EQ(model.getItemId(1), std::min(newer, tie));
    EXPECT_EQ(model.getItemId(2), older);
    EXPECT_EQ(model.getItemId(3), INVALID_ID);
    msg_store::Thread thread;
    model.getItemId(2); // the lookup that follows must not take the remembered entry blindly
    ASSERT_TRUE(model.getThreadById(newer, thread));
    EXPECT_EQ(thread.snippet, "second");

    receive({"+15550004"});
    EXPECT_TRUE(model.load());
    EXPECT_EQ(model.getCount(), 3) << "the first read is kept";
    model.clear();
    ASSERT_TRUE(model.load());
    EXPECT_EQ(model.getCount(), 4);
}

TEST_F(ListModelTest, AnEmptyListIsReadOnceAndAFailedReadIsReported) {
    for (ListType type : {LIST_TYPE_THREAD, LIST_TYPE_BLOCKED_MSG}) {
        SCOPED_TRACE(type);
        msg_store::FolderType folder =
            type == LIST_TYPE_THREAD ? msg_store::FOLDER_INBOX : msg_store::FOLDER_WATCH_SPAM;
        MLListModel model(type, store);
        EXPECT_TRUE(model.load());
        EXPECT_EQ(model.getCount(), 0);
        receive({"+15550001", "hi", "", "sms", 1000000, folder});
        EXPECT_TRUE(model.load());
        EXPECT_EQ(model.getCount(), 0) << "an empty list is a read list";

        // A store that cannot be read is no empty list, and the next call tries again.
        model.clear();
        ASSERT_EQ(msg_store::ConnectionManager::disconnect(), msg_store::MSG_STORE_SUCCESS);
        EXPECT_FALSE(model.load());
        EXPECT_EQ(model.getLoadTime(), 0);
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        EXPECT_TRUE(model.load());
        EXPECT_EQ(model.getCount(), 1);
    }
}
