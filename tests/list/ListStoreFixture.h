#ifndef MSG_TESTS_LIST_LISTSTOREFIXTURE_H
#define MSG_TESTS_LIST_LISTSTOREFIXTURE_H

#include "TempDir.h"
#include "common/MCommonMsgStore.h"
#include "msg_store/MsgStoreTypes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// A fresh device with a connected store; conversations arrive through the phone side.
class ListStoreFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    struct Incoming {
        Incoming(std::string from_ = "+15550100", std::string text_ = "hello", std::string subject_ = "",
                 std::string type_ = "sms", int64_t timeMs_ = 1000000,
                 msg_store::FolderType folder_ = msg_store::FOLDER_INBOX)
            : from(from_), text(text_), subject(subject_), type(type_), timeMs(timeMs_), folder(folder_) {}
        std::string from;
        std::string text;
        std::string subject;
        std::string type;
        int64_t timeMs;
        msg_store::FolderType folder;
        int simIndex = 0;
        bool isRead = false;
    };
    // The new message's id; its conversation id in `threadId` when asked.
    int receive(const Incoming& incoming, int* threadId = nullptr);

    msg_test::TempDevice device;
    // What the models under test read and change the store through.
    msg_app::MCommonMsgStore store;
};

#endif
