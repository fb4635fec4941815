#include "AddrTest.h"
#include "Programs.h"

#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/addr/MCommonAddrMgr.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"

#include <Ecore.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>

std::string ltr(const std::string& text) {
    return "\u200E" + text + "\u202C";
}

void AddrTest::SetUpTestSuite() {
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    bindtextdomain("message", (msg_test::resourceDir() + "/locale").c_str());
    bind_textdomain_codeset("message", "UTF-8");
    // Ecore stays up for the whole program: its thread global data does not survive a shutdown
    // and a new init, and the background sync keeps its job list there.
    static bool isEcoreUp = ecore_init() > 0;
    (void)isEcoreUp;
}

void AddrTest::SetUp() {
    ecore_init();
    ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
    ASSERT_EQ(vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8"), 0);
    // The formatting's region is the process's: a test before may have changed it.
    msg_app::formatted_number::update_region();
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
}

void AddrTest::TearDown() {
    msg_app::MCommonAddrMgr::release();
    // A cancelled worker finishes its current conversation on its own, and hands back on the loop.
    EXPECT_TRUE(msg_test::pumpUntil(
        [] { return ecore_thread_active_get() == 0 && ecore_thread_pending_get() == 0; }));
    msg_test::runLoopUntilIdle();
    msg_store::ConnectionManager::disconnect();
    msg_device::Device::closeDefault();
    ecore_shutdown();
}

int AddrTest::makeConversation(const std::vector<std::string>& addresses) {
    msg_store::IncomingMessage message;
    for (const auto& address : addresses)
        message.addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, address});
    message.text = "hello " + std::to_string(++_nextNumber);
    int msgId = -1;
    EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &msgId), msg_store::MSG_STORE_SUCCESS);
    msg_store::Message stored;
    EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, stored), msg_store::MSG_STORE_SUCCESS);
    return stored.threadId;
}

int AddrTest::addContact(const std::string& name, const std::string& number) {
    int id = 0;
    EXPECT_TRUE(contacts_admin::addPerson(msg_device::Device::getDefault(), name, {number}, &id));
    return id;
}

std::shared_ptr<msg_app::MCommonConvAddr> AddrTest::conv(int convId) {
    std::shared_ptr<msg_app::MCommonConvAddr> held;
    EXPECT_TRUE(msg_app::MCommonAddrMgr::getInstance()->getConvAddr(convId, held));
    return held;
}

std::string AddrTest::nameOf(int convId) {
    return rawName(conv(convId));
}

std::string rawName(const std::shared_ptr<msg_app::MCommonConvAddr>& held) {
    std::string name = "stale";
    if (held)
        held->getDisplayName(name, false);
    return name;
}
