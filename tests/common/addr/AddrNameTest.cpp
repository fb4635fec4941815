// Names of addresses and conversations as the screens show them.
#include "AddrTest.h"

#include "common/FormattedNumber.h"
#include "common/addr/MCommonAddrMgr.h"
#include "device/Device.h"
#include "vconf.h"

#include <glib.h>
#include <libintl.h>

#include <cstdlib>

using msg_app::MCommonAddr;
using msg_app::MCommonAddrMgr;
using msg_app::MCommonConvAddr;

namespace {

std::string formatted(const std::string& number) {
    std::string out;
    msg_app::formatted_number::get(number.c_str(), out);
    return out;
}

TEST_F(AddrTest, ConversationNamesJoinContactsAndNumbers) {
    addContact("Ada Lovelace", "+14155550101");
    addContact("Alan Turing", "+14155550102");

    // One address: its name alone, no separator.
    EXPECT_EQ(nameOf(makeConversation({"+14155550101"})), "Ada Lovelace");

    // A number without a contact is formatted for the region and kept left to right.
    const std::string number = formatted("+14155550199");
    ASSERT_NE(number, "+14155550199") << "the region must format this number";
    EXPECT_EQ(nameOf(makeConversation({"+14155550199"})), ltr(number));

    // Three addresses in store order, joined by ", ".
    int group = makeConversation({"+14155550102", "+14155550199", "ada@example.com"});
    EXPECT_EQ(nameOf(group), "Alan Turing, " + ltr(number) + ", ada@example.com");

    std::shared_ptr<MCommonConvAddr> held = conv(group);
    ASSERT_TRUE(held);
    EXPECT_EQ(held->getAddrCnt(), 3);
    EXPECT_EQ(held->getValidAddrCount(), 2);
    EXPECT_GT(held->getNthAddr(0)->getContactId(), 0);
    EXPECT_EQ(held->getNthAddr(1)->getContactId(), 0);
    EXPECT_EQ(held->getNthAddr(3), nullptr);
}

TEST_F(AddrTest, OnlyTheFirstTenNumbersAreFormatted) {
    std::vector<std::string> numbers;
    std::string expected;
    for (int i = 0; i < 12; ++i) {
        numbers.push_back("+1415555" + std::to_string(1000 + i));
        expected += (i ? ", " : "") + ltr(i < 10 ? formatted(numbers[i]) : numbers[i]);
    }
    ASSERT_NE(formatted(numbers[11]), numbers[11]);
    EXPECT_EQ(nameOf(makeConversation(numbers)), expected);
}

TEST_F(AddrTest, UnknownSenderAndEmptyConversationFallBack) {
    std::shared_ptr<MCommonAddr> unknown;
    ASSERT_TRUE(MCommonAddrMgr::getInstance()->getAddr("-1", unknown));
    EXPECT_STREQ(unknown->getAddress(), "");

    EXPECT_EQ(nameOf(makeConversation({"-1"})), "Unknown");
    EXPECT_EQ(nameOf(makeConversation({"-1abc", "+14155550123"})), ltr(formatted("+14155550123")))
        << "an address with nothing to show leaves no empty slot";
    // A conversation the store has no address for.
    EXPECT_EQ(nameOf(987654), "No recipients");

    std::string out = "kept";
    MCommonAddr::getDisplayName(unknown, out, nullptr, nullptr);
    EXPECT_EQ(out, "kept");
}

TEST_F(AddrTest, MarkupInNamesAndAddressesIsShownAsText) {
    addContact("<b>Bob</b> & <font_size=90>Co", "+14155550111");
    EXPECT_EQ(nameOf(makeConversation({"+14155550111"})),
              "&lt;b&gt;Bob&lt;/b&gt; &amp; &lt;font_size=90&gt;Co");
    EXPECT_EQ(nameOf(makeConversation({"<i>x</i>@example.com"})), "&lt;i&gt;x&lt;/i&gt;@example.com");

    std::shared_ptr<MCommonAddr> addr;
    ASSERT_TRUE(MCommonAddrMgr::getInstance()->getAddr("+14155550111", addr));
    std::string raw;
    addr->getContactName(raw);
    EXPECT_EQ(raw, "<b>Bob</b> & <font_size=90>Co") << "the contact name itself stays as stored";
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

} // namespace

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
