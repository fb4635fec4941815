// A fresh device with the message store connected, English texts and a region
// for number formatting; the address manager is released after each test.
#ifndef MSG_TESTS_COMMON_ADDR_ADDRTEST_H
#define MSG_TESTS_COMMON_ADDR_ADDRTEST_H

#include "AppEventRecorder.h"
#include "MainLoop.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace msg_app {
class MCommonConvAddr;
}

class AddrTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A conversation with these addresses; returns its thread id.
    int makeConversation(const std::vector<std::string>& addresses);
    int addContact(const std::string& name, const std::string& number);
    // The conversation as a screen holds it, from the manager's cache.
    std::shared_ptr<msg_app::MCommonConvAddr> conv(int convId);
    // The conversation's name as a screen would read it now.
    std::string nameOf(int convId);

    // The contacts-changed events of the application event bus.
    int contactChanges() const { return appEvents.count(msg_app::APP_EVENT_CONTACTS_CHANGED); }

    msg_test::TempDevice device;
    AppEventRecorder appEvents;
    int _nextNumber = 0;
};

// The left-to-right wrapping that phone numbers get.
std::string ltr(const std::string& text);
// The held conversation's name without markup, as it is resolved now.
std::string rawName(const std::shared_ptr<msg_app::MCommonConvAddr>& held);

#endif
