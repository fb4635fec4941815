#include "ListStoreFixture.h"

#include "MainLoop.h"
#include "Programs.h"
#include "common/addr/MCommonAddrMgr.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"

#include <Ecore.h>

#include <clocale>
#include <cstdlib>
#include <libintl.h>

void ListStoreFixture::SetUpTestSuite() {
    setenv("LANGUAGE", "en", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    bindtextdomain("message", (msg_test::resourceDir() + "/locale").c_str());
    bind_textdomain_codeset("message", "UTF-8");
    // Ecore's thread global data does not survive a shutdown and a new init; keep it up.
    static bool isEcoreUp = ecore_init() > 0;
    (void)isEcoreUp;
}

void ListStoreFixture::SetUp() {
    ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
}

void ListStoreFixture::TearDown() {
    msg_app::MCommonAddrMgr::release();
    msg_test::runLoopUntilIdle();
    msg_store::ConnectionManager::disconnect();
    msg_device::Device::closeDefault();
}

int ListStoreFixture::receive(const Incoming& incoming, int* threadId) {
    msg_store::IncomingMessage message;
    message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, incoming.from}};
    message.text = incoming.text;
    message.subject = incoming.subject;
    message.msgType = incoming.type;
    message.time = incoming.timeMs;
    message.folderType = incoming.folder;
    message.simIndex = incoming.simIndex;
    message.isRead = incoming.isRead;
    int msgId = -1;
    EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &msgId), msg_store::MSG_STORE_SUCCESS);
    if (threadId) {
        msg_store::Message stored;
        EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, stored), msg_store::MSG_STORE_SUCCESS);
        *threadId = stored.threadId;
    }
    return msgId;
}
