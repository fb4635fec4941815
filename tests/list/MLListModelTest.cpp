// The list's records as read from the store, and a row's record within them.
#include "ListStoreFixture.h"

#include "list/MLItemContentModel.h"
#include "list/MLListModel.h"
#include "msg_store/MsgStore.h"

#include <glib.h>

#include <algorithm>
#include <tuple>
#include <vector>

using namespace msg_app::msg_list;

namespace {

class ListModelTest : public ListStoreFixture {};

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

TEST_F(ListModelTest, ConversationsNewestFirstByIdOnTiesReadOnceUntilCleared) {
    int older = -1, newer = -1, tie = -1;
    receive({"+15550001", "first", "", "sms", 1000000}, &older);
    receive({"+15550002", "second", "", "sms", 3000000}, &newer);
    receive({"+15550003", "third", "", "sms", 3000000}, &tie);
    MLListModel model(LIST_TYPE_THREAD, store);
    ASSERT_TRUE(model.load());
    ASSERT_EQ(model.getCount(), 3);
    EXPECT_EQ(
        (std::vector<int>{std::max(newer, tie), std::min(newer, tie), older, INVALID_ID}),
        (std::vector<int>{model.getItemId(0), model.getItemId(1), model.getItemId(2), model.getItemId(3)}));
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
        EXPECT_EQ(std::make_tuple(false, 0), (std::tuple{model.load(), model.getLoadTime()}));
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        EXPECT_TRUE(model.load());
        EXPECT_EQ(model.getCount(), 1);
    }
}

TEST_F(ListModelTest, BodyIsCutByBytesAndNeverInsideACharacter) {
    int plain = -1, withSubject = -1;
    receive({"+15550001", repeat("a", 190) + repeat("\u00e9", 20)}, &plain);
    receive({"+15550002", repeat("b", 99) + "\u00e9tail", "Hi"}, &withSubject);
    MLItemContentModel a(THREAD, store), b(THREAD, store);
    ASSERT_TRUE(a.init(plain, nullptr));
    ASSERT_TRUE(b.init(withSubject, nullptr));
    std::string body;
    a.getBody(body);
    EXPECT_EQ(body, repeat("a", 190) + repeat("\u00e9", 5)) << "200 bytes without a subject";
    b.getBody(body);
    // 99 bytes plus a two-byte character would be 101: the character is dropped whole.
    EXPECT_EQ(body, repeat("b", 99));
    EXPECT_TRUE(g_utf8_validate(body.c_str(), -1, nullptr));
    EXPECT_EQ(MLItemContentModel::cutText("\u4e00\u4e00", 5), "\u4e00");
    EXPECT_EQ(MLItemContentModel::cutText("\u4e00\u4e00", 6), "\u4e00\u4e00");
}

TEST_F(ListModelTest, ARowReadsItsRecordFromTheListOrTheStoreUntilItIsGone) {
    Incoming in{"+15550100", "win a prize", "Offer", "mms"};
    in.folder = msg_store::FOLDER_WATCH_SPAM;
    int threadId = -1;
    int msgId = receive(in, &threadId);
    MLListModel list(LIST_TYPE_BLOCKED_MSG, store);
    ASSERT_TRUE(list.load());
    MLItemContentModel row(MSG, store);
    ASSERT_TRUE(row.init(msgId, &list));
    EXPECT_EQ(std::make_tuple(threadId, MSG_TYPE_MMS, msg_store::FOLDER_WATCH_SPAM),
              std::make_tuple(row.getConvId(), row.getMsgType(), row.getFolderType()));
    EXPECT_FALSE(MLItemContentModel(THREAD, store).init(31337, nullptr));
    // A conversation the list lacks is read from the store.
    receive({"+15550001", "late"}, &threadId);
    MLItemContentModel late(THREAD, store);
    ASSERT_TRUE(late.init(threadId, &list));
    std::string body;
    late.getBody(body);
    EXPECT_EQ(body, "late");

    // A reload re-reads the store; a message gone from it clears the row but keeps its id.
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(msgId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(row.reload());
    std::string name = "none";
    row.getDisplayName(name);
    EXPECT_EQ(std::make_tuple(msgId, INVALID_ID, "none"),
              std::make_tuple(row.getItemId(), row.getConvId(), name));
}
