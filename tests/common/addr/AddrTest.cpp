// Names of addresses and conversations as the screens show them; the shared caches, the background
// contact sync and re-resolution when the address book changes, in this process or another.
#include "AppEventRecorder.h"
#include "FeedSync.h"
#include "LogCapture.h"
#include "MainLoop.h"
#include "Programs.h"
#include "TempDir.h"
#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/addr/MCommonAddrMgr.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"

#include <Ecore.h>
#include <glib.h>
#include <gtest/gtest.h>
#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using msg_app::MCommonAddr;
using msg_app::MCommonAddrMgr;
using msg_app::MCommonConvAddr;
using ConvList = std::vector<std::shared_ptr<MCommonConvAddr>>;

namespace {

// The left-to-right wrapping that phone numbers get.
std::string ltr(const std::string& text) {
    return "\u200E" + text + "\u202C";
}

std::string formatted(const std::string& number) {
    std::string out;
    msg_app::formatted_number::get(number.c_str(), out);
    return out;
}

// The held conversation's name without markup, as it is resolved now.
std::string rawName(const std::shared_ptr<MCommonConvAddr>& held) {
    std::string name = "stale";
    if (held)
        held->getDisplayName(name, false);
    return name;
}

bool allSynced(const ConvList& list) {
    for (const auto& conv : list) {
        if (!conv->isContactSynced())
            return false;
    }
    return true;
}

// A fresh device with the message store connected, English texts and a region for number formatting;
// the address manager is released after each test.
class AddrTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
        bindtextdomain("message", (msg_test::resourceDir() + "/locale").c_str());
        bind_textdomain_codeset("message", "UTF-8");
        // Ecore stays up for the whole program: its thread global data does not survive a shutdown
        // and a new init, and the background sync keeps its job list there.
        static bool isEcoreUp = ecore_init() > 0;
        (void)isEcoreUp;
    }
    void SetUp() override {
        ecore_init();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        ASSERT_EQ(vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8"), 0);
        // The formatting's region is the process's: a test before may have changed it.
        msg_app::formatted_number::update_region();
        msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_RESUMED);
    }
    void TearDown() override {
        MCommonAddrMgr::release();
        // A cancelled worker finishes its current conversation on its own, and hands back on the loop.
        EXPECT_TRUE(msg_test::pumpUntil(
            [] { return ecore_thread_active_get() == 0 && ecore_thread_pending_get() == 0; }));
        msg_test::runLoopUntilIdle();
        msg_store::ConnectionManager::disconnect();
        msg_device::Device::closeDefault();
        ecore_shutdown();
    }
    // A conversation with these addresses; returns its thread id.
    int makeConversation(const std::vector<std::string>& addresses) {
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
    int addContact(const std::string& name, const std::string& number) {
        int id = 0;
        EXPECT_TRUE(contacts_admin::addPerson(msg_device::Device::getDefault(), name, {number}, &id));
        return id;
    }
    // The conversation as a screen holds it, from the manager's cache.
    std::shared_ptr<MCommonConvAddr> conv(int convId) {
        std::shared_ptr<MCommonConvAddr> held;
        EXPECT_TRUE(MCommonAddrMgr::getInstance()->getConvAddr(convId, held));
        return held;
    }
    // The conversation's name as a screen would read it now.
    std::string nameOf(int convId) { return rawName(conv(convId)); }
    // The contacts-changed events of the application event bus.
    int contactChanges() const { return appEvents.count(msg_app::APP_EVENT_CONTACTS_CHANGED); }

    // Conversations held as a list screen holds them, none resolved yet.
    ConvList holdConversations(const std::vector<int>& ids) {
        ConvList list;
        for (int id : ids)
            list.push_back(conv(id));
        return list;
    }
    // Each new conversation gets a number of its own: +14156661000, +14156661001, ...
    std::vector<int> makeConversations(int count) {
        std::vector<int> ids;
        for (int i = 0; i < count; ++i, ++_nextSerial)
            ids.push_back(makeConversation({("+1415666" + std::to_string(1000 + _nextSerial)).c_str()}));
        return ids;
    }

    msg_test::TempDevice device;
    AppEventRecorder appEvents;
    int _nextNumber = 0;
    int _nextSerial = 0;
};

using AddrSyncTest = AddrTest;

TEST_F(AddrTest, ConversationNamesJoinContactsAndNumbersShownAsText) {
    addContact("Ada Lovelace", "+14155550101");
    addContact("Alan Turing", "+14155550102");
    addContact("<b>Bob</b> & <font_size=90>Co", "+14155550111");
    // A number without a contact is formatted for the region and kept left to right.
    const std::string number = ltr(formatted("+14155550199"));
    ASSERT_NE(number, ltr("+14155550199")) << "the region must format this number";
    // Only the first ten numbers are formatted.
    std::vector<std::string> twelve;
    std::string twelveNames;
    for (int i = 0; i < 12; ++i) {
        twelve.push_back("+1415555" + std::to_string(1000 + i));
        twelveNames += (i ? ", " : "") + ltr(i < 10 ? formatted(twelve[i]) : twelve[i]);
    }
    ASSERT_NE(formatted(twelve[11]), twelve[11]);
    const struct {
        std::vector<std::string> addresses;
        std::string name;
    } cases[] = {
        // One address: its name alone, no separator.
        {{"+14155550101"}, "Ada Lovelace"},
        {{"+14155550199"}, number},
        // Several in store order, joined by ", ".
        {{"+14155550102", "+14155550199", "ada@example.com"}, "Alan Turing, " + number + ", ada@example.com"},
        {twelve, twelveNames},
        {{"-1"}, "Unknown"},
        // An address with nothing to show leaves no empty slot.
        {{"-1abc", "+14155550123"}, ltr(formatted("+14155550123"))},
        {{"+14155550111"}, "&lt;b&gt;Bob&lt;/b&gt; &amp; &lt;font_size=90&gt;Co"},
        {{"<i>x</i>@example.com"}, "&lt;i&gt;x&lt;/i&gt;@example.com"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.addresses.front());
        EXPECT_EQ(nameOf(makeConversation(c.addresses)), c.name);
    }
    // A conversation the store has no address for.
    EXPECT_EQ(nameOf(987654), "No recipients");

    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation(cases[2].addresses));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->getAddrCnt(), 3);
    EXPECT_EQ(held->getValidAddrCount(), 2);
    EXPECT_GT(held->getNthAddr(0)->getContactId(), 0);
    EXPECT_EQ(held->getNthAddr(1)->getContactId(), 0);
    EXPECT_EQ(held->getNthAddr(3), nullptr);

    std::shared_ptr<MCommonAddr> addr;
    ASSERT_TRUE(MCommonAddrMgr::getInstance()->getAddr("+14155550111", addr));
    std::string raw;
    addr->getContactName(raw);
    EXPECT_EQ(raw, "<b>Bob</b> & <font_size=90>Co") << "the contact name itself stays as stored";
    // The unknown sender has no address, and no name to give.
    ASSERT_TRUE(MCommonAddrMgr::getInstance()->getAddr("-1", addr));
    EXPECT_STREQ(addr->getAddress(), "");
    std::string out = "kept";
    MCommonAddr::getDisplayName(addr, out, nullptr, nullptr);
    EXPECT_EQ(out, "kept");
}

// A translation folder with one language, compiled like the build's.
void writeTranslation(const std::string& root, const char* lang, const char* text) {
    const std::string dir = root + "/" + lang + "/LC_MESSAGES";
    ASSERT_EQ(g_mkdir_with_parents(dir.c_str(), 0755), 0);
    const std::string po = root + "/" + lang + ".po";
    const std::string body =
        std::string("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n") +
        "msgid \"IDS_MSG_BODY_EMERGENCY_ALERT\"\nmsgstr \"" + text + "\"\n";
    ASSERT_TRUE(g_file_set_contents(po.c_str(), body.c_str(), -1, nullptr));
    ASSERT_EQ(std::system(("msgfmt -o '" + dir + "/message.mo' '" + po + "'").c_str()), 0);
}

TEST_F(AddrTest, RegionChangeReformatsCachedNames) {
    int id = makeConversation({"02079460000"});
    std::shared_ptr<MCommonConvAddr> held = conv(id);
    const std::string us = nameOf(id);
    ASSERT_EQ(us, ltr(formatted("02079460000")));

    ASSERT_EQ(vconf_set_str("db/menu_widget/regionformat", "en_GB.UTF-8"), 0);
    MCommonAddrMgr::getInstance()->appEventListener(msg_app::APP_EVENT_REGION_FORMAT_CHANGED);
    const std::string gb = rawName(held);
    EXPECT_EQ(gb, ltr(formatted("02079460000")));
    EXPECT_NE(gb, us) << "a British number is written differently at home";
    EXPECT_EQ(contactChanges(), 1);
}

TEST_F(AddrTest, StringIdAddressFollowsTheLanguageWithOrWithoutTheContactsService) {
    msg_test::TempDir texts;
    writeTranslation(texts.path(), "en", "Emergency alert");
    writeTranslation(texts.path(), "de", "Notfallwarnung");
    const std::string previous = bindtextdomain("message", nullptr);
    bindtextdomain("message", texts.path().c_str());

    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation({"IDS_MSG_BODY_EMERGENCY_ALERT"}));
    ASSERT_TRUE(held);
    EXPECT_EQ(rawName(held), "Emergency alert");
    EXPECT_EQ(held->getValidAddrCount(), 0);
    setenv("LANGUAGE", "de", 1);
    textdomain(textdomain(nullptr)); // drops gettext's cache of the old language
    EXPECT_EQ(rawName(held), "Notfallwarnung");
    setenv("LANGUAGE", "en", 1);
    textdomain(textdomain(nullptr));

    // A device folder that cannot be opened: the contacts service does not connect.
    MCommonAddrMgr::release();
    const std::string deviceDir = getenv("MSG_DEVICE_DIR");
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", (texts.path() + "/en.po").c_str(), 1);
    ASSERT_FALSE(MCommonAddrMgr::getInstance()->isContactConnected());
    auto addr = std::make_shared<MCommonAddr>("IDS_MSG_BODY_EMERGENCY_ALERT", nullptr);
    bool isStringId = false;
    std::string name;
    MCommonAddr::getDisplayName(addr, name, &isStringId, nullptr);
    EXPECT_EQ(name, "Emergency alert");
    EXPECT_TRUE(isStringId);

    MCommonAddrMgr::release();
    setenv("MSG_DEVICE_DIR", deviceDir.c_str(), 1);
    msg_device::Device::closeDefault();
    bindtextdomain("message", previous.c_str());
}

TEST_F(AddrSyncTest, CachesShareLiveObjectsOnly) {
    MCommonAddrMgr* mgr = MCommonAddrMgr::getInstance();
    EXPECT_TRUE(mgr->isContactConnected());
    std::shared_ptr<MCommonAddr> a, b;
    ASSERT_TRUE(mgr->getAddr("+14155550101", a));
    ASSERT_TRUE(mgr->getAddr("+14155550101", b));
    EXPECT_EQ(a, b);
    std::weak_ptr<MCommonAddr> old = a;
    a.reset();
    b.reset();
    EXPECT_TRUE(old.expired()) << "the cache does not keep objects alive";
    ASSERT_TRUE(mgr->getAddr("+14155550101", a));
    EXPECT_STREQ(a->getAddress(), "+14155550101");

    int id = makeConversation({"+14155550101"});
    EXPECT_EQ(conv(id), conv(id));
}

TEST_F(AddrSyncTest, BackgroundSyncResolvesHeldConversationsAndRefusesASecondWhileItRuns) {
    addContact("Grace Hopper", "+14156661003");
    ConvList list = holdConversations(makeConversations(150));
    msg_test::LogCapture log;
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_EQ(log.count("thread is running."), 1);
    EXPECT_EQ(log.count("job-convIds count(150)"), 1);
    // The worker's end reaches the main loop after its last result.
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(list) && log.contains("EndCb of syncThread"); }));
    EXPECT_EQ(rawName(list[3]), "Grace Hopper");
    EXPECT_GT(list[3]->getNthAddr(0)->getContactId(), 0);
    EXPECT_EQ(list[4]->getNthAddr(0)->getContactId(), 0);

    // Once it ended, a sync may start again.
    ConvList more = holdConversations(makeConversations(3));
    log.clear();
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_FALSE(log.contains("thread is running."));
    EXPECT_TRUE(log.contains("job-convIds count(3)"));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(more); }));
}

// A contact added while the worker is half-way must not leave names resolved
// against the old address book.
TEST_F(AddrSyncTest, ContactChangeDuringSyncResolvesAgain) {
    ConvList list = holdConversations(makeConversations(300));
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    addContact("Last Of Many", "+14156661299");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactChanges() == 1; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return allSynced(list); }));
    EXPECT_EQ(rawName(list[299]), "Last Of Many");
}

TEST_F(AddrSyncTest, ReleaseAndConversationsGoingAwayDuringSyncLeaveNothingBehind) {
    msg_test::LogCapture first;
    {
        ConvList list = holdConversations(makeConversations(200));
        MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
        ASSERT_TRUE(msg_test::pumpUntil([&] { return first.contains("start sync contact"); }));
        // The last conversation going away stops the sync.
    }
    ASSERT_TRUE(msg_test::pumpUntil([] { return ecore_thread_active_get() == 0; }));
    ConvList list = holdConversations(makeConversations(200));
    msg_test::LogCapture log;
    MCommonAddrMgr::getInstance()->startConvAddrBgContactSync();
    EXPECT_FALSE(log.contains("thread is running.")) << "the stopped sync no longer holds the key";
    ASSERT_TRUE(msg_test::pumpUntil([&] { return log.contains("start sync contact"); }));
    MCommonAddrMgr::release();
    // Objects handed out stay usable, outside the new manager's cache; it resolves them on demand.
    EXPECT_NE(conv(list[5]->getConvId()), list[5]);
    addContact("After Release", "+14156661205");
    list[5]->reload();
    EXPECT_EQ(rawName(list[5]), "After Release");
}

TEST_F(AddrSyncTest, ContactChangeWhilePausedAppliesOnceOnResume) {
    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation({"+14155550177"}));
    const std::string before = rawName(held);

    auto* events = msg_app::MCommonAppEventMgr::getInstance();
    events->emit(msg_app::APP_EVENT_PAUSED);
    addContact("Katherine Johnson", "+14155550177");
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(contactChanges(), 0);
    EXPECT_EQ(rawName(held), before) << "nothing is re-resolved while paused";

    events->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(contactChanges(), 1);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return held->isContactSynced(); }));
    EXPECT_EQ(rawName(held), "Katherine Johnson");
    events->emit(msg_app::APP_EVENT_PAUSED);
    events->emit(msg_app::APP_EVENT_RESUMED);
    EXPECT_EQ(contactChanges(), 1) << "the missed change is applied once";
}

TEST_F(AddrSyncTest, ContactAddedByAnotherProcessRenamesTheConversation) {
    std::shared_ptr<MCommonConvAddr> held = conv(makeConversation({"+14155550188"}));
    ASSERT_NE(rawName(held), "Dorothy Vaughan");

    ASSERT_EQ(msg_test::runSim({"contact", "add", "--name", "Dorothy Vaughan", "--number", "+14155550188"},
                               device.path())
                  .exitCode,
              0);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return contactChanges() == 1; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return rawName(held) == "Dorothy Vaughan"; }));
}

} // namespace
