// A fresh device per test with the store connected, the main loop ready, and
// helpers to receive messages and collect the events that reach this process.
#ifndef MSG_TESTS_MSGSTORE_STOREFIXTURE_H
#define MSG_TESTS_MSGSTORE_STOREFIXTURE_H

#include "TempDir.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace msg_test {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ecore_init();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
    }
    void TearDown() override {
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
        ecore_shutdown();
    }

    // An SMS from one number, as the phone hands it over.
    static msg_store::IncomingMessage incoming(const std::string& from, const std::string& text = "",
                                               msg_store::FolderType folder = msg_store::FOLDER_INBOX) {
        msg_store::IncomingMessage message;
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
        message.text = text;
        message.folderType = folder;
        return message;
    }

    // A received SMS; returns its id (or -1).
    int receive(const std::string& from, const std::string& text, int64_t timeMs = 0,
                msg_store::FolderType folder = msg_store::FOLDER_INBOX) {
        msg_store::IncomingMessage message = incoming(from, text, folder);
        message.time = timeMs;
        int id = -1;
        EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &id), msg_store::MSG_STORE_SUCCESS);
        return id;
    }

    int threadOf(int msgId) {
        msg_store::Message message;
        EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, message), msg_store::MSG_STORE_SUCCESS);
        return message.threadId;
    }

    // Subscribes for the test's lifetime; payloads land in `events`.
    void record(msg_store::EventType type) {
        ASSERT_EQ(msg_store::ConnectionManager::subscribeEvent(type, recordCb, &events),
                  msg_store::MSG_STORE_SUCCESS);
    }
    static void recordCb(const char* payload, void* data) {
        static_cast<std::vector<std::string>*>(data)->push_back(payload);
    }

    TempDevice device;
    std::vector<std::string> events;
};

} // namespace msg_test

#endif
