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

TEST_F(ItemContentModelTest, ConversationFieldsFromTheListAndFromTheStore) {
    int threadId = -1;
    Incoming in;
    in.timeMs = 1700000000999;
    in.simIndex = 2;
    receive(in, &threadId);
    in.text = "newest";
    in.timeMs = 1700000001500;
    receive(in);

    MLListModel list(LIST_TYPE_THREAD);
    ASSERT_TRUE(list.load());
    MLItemContentModel fromList(THREAD), fromStore(THREAD);
    ASSERT_TRUE(fromList.init(threadId, &list));
    ASSERT_TRUE(fromStore.init(threadId, nullptr));
    for (const MLItemContentModel* model : {&fromList, &fromStore}) {
        EXPECT_EQ(model->getTime(), 1700000001); // milliseconds cut to seconds
        EXPECT_EQ(model->getUnreadCnt(), 2);
        EXPECT_EQ(model->getSimIndex(), 1) << "any SIM value is a flag";
        std::string body, subject = "untouched", name;
        model->getBody(body);
        model->getSubject(subject);
        model->getDisplayName(name);
        EXPECT_EQ(body, "newest");
        EXPECT_EQ(subject, "untouched");
        EXPECT_NE(name.find("5550100"), std::string::npos) << name;
    }
    EXPECT_FALSE(fromList.init(threadId, &list)) << "a row is initialised once";

    EXPECT_FALSE(MLItemContentModel(THREAD).init(31337, nullptr));
    MLListModel empty(LIST_TYPE_THREAD);
    ASSERT_TRUE(empty.load());
    receive({"+15550001", "late"}, &threadId);
    EXPECT_TRUE(MLItemContentModel(THREAD).init(threadId, &empty)) << "the store when the list lacks it";
}

TEST_F(ItemContentModelTest, BodyIsCutByBytesAndNeverInsideACharacter) {
    int plain = -1, withSubject = -1;
    receive({"+15550001", repeat("a", 190) + repeat("\u00e9", 20)}, &plain);
    receive({"+15550002", repeat("b", 99) + "\u00e9tail", "Hi"}, &withSubject);

    MLItemContentModel a(THREAD), b(THREAD);
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

TEST_F(ItemContentModelTest, BlockedMessageRowReadsItsMessageUntilItIsGone) {
    Incoming in{"+15550100", "win a prize", "Offer", "mms"};
    in.folder = msg_store::FOLDER_WATCH_SPAM;
    int threadId = -1;
    int msgId = receive(in, &threadId);

    MLListModel list(LIST_TYPE_BLOCKED_MSG);
    ASSERT_TRUE(list.load());
    MLItemContentModel row(MSG);
    ASSERT_TRUE(row.init(msgId, &list));
    EXPECT_EQ(row.getItemId(), msgId);
    EXPECT_EQ(row.getConvId(), threadId);
    EXPECT_EQ(row.getMsgType(), MSG_TYPE_MMS);
    EXPECT_EQ(row.getFolderType(), msg_store::FOLDER_WATCH_SPAM);
    std::string subject;
    row.getSubject(subject);
    EXPECT_EQ(subject, "Offer");

    // A reload re-reads the store; a message gone from it clears the row but keeps its id.
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(msgId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(row.reload());
    EXPECT_EQ(row.getItemId(), msgId);
    EXPECT_EQ(row.getConvId(), INVALID_ID);
    EXPECT_EQ(row.getFolderType(), 0);
    std::string name = "none";
    row.getDisplayName(name);
    EXPECT_EQ(name, "none");
    EXPECT_EQ(MLItemContentModel::msgTypeOf("fax"), MSG_TYPE_SMS) << "an unknown type reads as text";
}
