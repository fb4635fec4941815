#include "ListStoreFixture.h"

#include "list/MLItemContentModel.h"
#include "list/MLListModel.h"
#include "msg_store/MsgStore.h"

#include <glib.h>

using namespace msg_app::msg_list;

namespace {

class ItemContentModelTest : public ListStoreFixture {};

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

TEST_F(ItemContentModelTest, BodyIsCutByBytesAndNeverInsideACharacter) {
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

TEST_F(ItemContentModelTest, ARowReadsItsRecordFromTheListOrTheStoreUntilItIsGone) {
    Incoming in{"+15550100", "win a prize", "Offer", "mms"};
    in.folder = msg_store::FOLDER_WATCH_SPAM;
    int threadId = -1;
    int msgId = receive(in, &threadId);
    MLListModel list(LIST_TYPE_BLOCKED_MSG, store);
    ASSERT_TRUE(list.load());
    MLItemContentModel row(MSG, store);
    ASSERT_TRUE(row.init(msgId, &list));
    EXPECT_EQ(row.getConvId(), threadId);
    EXPECT_EQ(row.getMsgType(), MSG_TYPE_MMS);
    EXPECT_EQ(row.getFolderType(), msg_store::FOLDER_WATCH_SPAM);
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
    EXPECT_EQ(row.getItemId(), msgId);
    EXPECT_EQ(row.getConvId(), INVALID_ID);
    std::string name = "none";
    row.getDisplayName(name);
    EXPECT_EQ(name, "none");
}
