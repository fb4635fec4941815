#ifndef MSG_TESTS_LIST_LISTROWFIXTURE_H
#define MSG_TESTS_LIST_LISTROWFIXTURE_H

#include "EflTest.h"
#include "Programs.h"
#include "TempDir.h"
#include "common/MCommonMsgStore.h"
#include "list/MLItem/MLItemContent.h"
#include "msg_store/PhoneSide.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A real genlist in the application's theme over a fresh device with a connected store. Rows are
// told of realize and unrealize as the list screen tells them.
class ListRowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A message from one number, as the phone hands it over.
    static msg_store::IncomingMessage incoming(const std::string& from, const std::string& text = "hello",
                                               int64_t timeMs = 0);
    // The conversation of a stored message.
    static int threadOf(int msgId);
    // The conversation the message lands in.
    static int conversation(const msg_store::IncomingMessage& message);
    // A conversation from `from` with `count` unread messages (the last with the text and subject).
    int conversation(const std::string& from, int count, const std::string& text = "hello",
                     const std::string& subject = "", int64_t timeMs = 1700000000000);
    // A message that landed in the watch's spam folder; its id.
    int blockedMessage(const std::string& from, const std::string& text);
    msg_app::msg_list::MLItemContent*
    appendRow(int id, msg_app::msg_list::DataType type = msg_app::msg_list::THREAD,
              msg_app::msg_list::ListFilter filter = msg_app::msg_list::NONE);
    // Runs the loop until the genlist has realized the row.
    bool waitRealized(msg_app::msg_list::MLItem* row);
    // What the row's view shows in a text part.
    std::string shown(msg_app::msg_list::MLItem* row, const char* part);
    // msg-sim on this test's device, as another process changes it; its exit code must be 0.
    msg_test::ProgramRun sim(const std::vector<std::string>& args);

    msg_test::TempDevice device;
    msg_app::MCommonMsgStore store;
    std::unique_ptr<msg_test::TestWindow> window;
    Evas_Object* genlist = nullptr;

private:
    static void _realizedCb(void* data, Evas_Object* obj, void* info);
    static void _unrealizedCb(void* data, Evas_Object* obj, void* info);
};

#endif
