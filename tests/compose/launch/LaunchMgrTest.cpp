// The checks before a composer opens, in their order, on a device set up like the user's, and the
// recipient rules and list splitting of the composer.
#include "CommonDeviceTest.h"

#include "compose/MCMsgData.h"
#include "compose/MCUtil.h"
#include "compose/launch/MCLaunchMgr.h"

#include <string>
#include <tuple>
#include <vector>

using namespace msg_app::compose;

namespace {

class LaunchMgrTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        // Device management is read once per process, so every test has it.
        setFeature("orvex/feature/mdm", "1");
    }
    static constexpr const char* FREE_KB = "memory/private/device/storage_free_kb";
    static constexpr const char* MDM = "db/private/mdm/text_messaging/peer";
};

TEST_F(LaunchMgrTest, ChecksRunInOrder) {
    const struct {
        const char* name;
        bool flight, mdm;
        int freeKb, checks;
        MCLaunchMgr::Error expected;
    } cases[] = {
        {"flight mode first", true, true, 10, MCLaunchMgr::CHECK_ALL, MCLaunchMgr::ERROR_FLIGHT_MODE},
        {"policy before storage", false, true, 10, MCLaunchMgr::CHECK_ALL, MCLaunchMgr::ERROR_RESTRICTED},
        {"storage", false, false, 1023, MCLaunchMgr::CHECK_ALL, MCLaunchMgr::ERROR_STORAGE_FULL},
        {"exactly one MiB free", false, false, 1024, MCLaunchMgr::CHECK_ALL, MCLaunchMgr::ERROR_NONE},
        {"unchecked flight mode", true, false, 10, MCLaunchMgr::CHECK_STORAGE,
         MCLaunchMgr::ERROR_STORAGE_FULL},
        {"unchecked policy", false, true, 4096, MCLaunchMgr::CHECK_FLIGHT_MODE | MCLaunchMgr::CHECK_STORAGE,
         MCLaunchMgr::ERROR_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setBool(MCLaunchMgr::FLIGHT_MODE_KEY, c.flight);
        setInt(MDM, c.mdm);
        setInt(FREE_KB, c.freeKb);
        EXPECT_EQ(c.expected, MCLaunchMgr::checkCondition(c.checks, APP_CONTROL_SEND, "01012345678"));
    }
    // A new composer is refused while a check fails. (One that opens is the new message's journey.)
    setInt(MDM, 0);
    EXPECT_EQ(MCLaunchMgr::ERROR_NO_OUTPUT, MCLaunchMgr::createNewComposer(nullptr));
    setBool(MCLaunchMgr::FLIGHT_MODE_KEY, true);
    view_kit::WContentViewController* composer = nullptr;
    EXPECT_EQ(MCLaunchMgr::ERROR_FLIGHT_MODE, MCLaunchMgr::createNewComposer(&composer));
    EXPECT_EQ(nullptr, composer);
}

TEST_F(LaunchMgrTest, Recipients) {
    setInt(FREE_KB, 4096);
    const struct {
        std::vector<std::string> recipients;
        int appControlType;
        bool retail;
        MCLaunchMgr::Error expected;
    } cases[] = {
        {{""}, APP_CONTROL_IN_APP, false, MCLaunchMgr::ERROR_NONE},
        {{""}, APP_CONTROL_SEND, false, MCLaunchMgr::ERROR_INVALID_RECIPIENT},
        {{"0101234", "12"}, APP_CONTROL_COMPOSE, false, MCLaunchMgr::ERROR_INVALID_RECIPIENT},
        // The retail demonstration takes any recipient.
        {{"0101234", "12"}, APP_CONTROL_COMPOSE, true, MCLaunchMgr::ERROR_NONE},
        {{"+821012345678", "*#06#"}, APP_CONTROL_SEND, false, MCLaunchMgr::ERROR_NONE},
        {{}, APP_CONTROL_SEND, false, MCLaunchMgr::ERROR_NONE},
    };
    for (const auto& c : cases) {
        setInt("db/retailmode/enabled", c.retail ? 1 : 0);
        EXPECT_EQ(c.expected,
                  MCLaunchMgr::checkCondition(MCLaunchMgr::CHECK_ALL, c.appControlType, c.recipients))
            << c.recipients.size() << " recipients, type " << c.appControlType;
    }
}

TEST(RecipientUtilTest, Validators) {
    const struct {
        const char* address;
        bool strictNumber, looseNumber, email, recipient;
    } cases[] = {
        {"01012345678", true, true, false, true},
        {"010-1234 (5678)", false, true, false, false},
        {"*#06#", true, true, false, true},
        {"+12", true, true, false, false}, // international numbers need four characters
        {"abc", false, false, false, false},
        {"user@example.com", false, false, true, false},
        {"us er@ex ample.c", false, false, true, false},
        {"", false, false, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::make_tuple(c.strictNumber, c.looseNumber, c.email, c.recipient),
                  std::make_tuple(MCUtil::isValidPhoneNumber(c.address, true),
                                  MCUtil::isValidPhoneNumber(c.address, false),
                                  MCUtil::isValidEmailAddress(c.address),
                                  MCUtil::isValidRecipient(c.address)))
            << c.address;
    EXPECT_FALSE(MCUtil::isValidPhoneNumber("*#*#", true));
    EXPECT_FALSE(MCUtil::isValidPhoneNumber(nullptr, false));
    EXPECT_FALSE(MCUtil::isValidEmailAddress(std::string(251, 'a') + "@b.com"));
    EXPECT_EQ(MCUtil::ADDRESS_TYPE_EMAIL, MCUtil::getAddressType("a@b.kr"));
    EXPECT_EQ(MCUtil::ADDRESS_TYPE_INVALID, MCUtil::getAddressType("hello"));
}

TEST(RecipientUtilTest, Splitting) {
    const struct {
        const char* text;
        std::vector<std::string> bySeparator;
        std::vector<std::string> normalized;
    } cases[] = {
        {"111;222,333", {"111", "222", "333"}, {"111", "222", "333"}},
        {"111,,222", {"111", "", "222"}, {"111", "222"}},
        {"(02) 555-1234;+1 650 555", {"(02) 555-1234", "+1 650 555"}, {"025551234", "+1650555"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> pieces;
        MCUtil::getRecipientListBySeparator(c.text, ",;", pieces);
        EXPECT_EQ(c.bySeparator, pieces);
        std::string text = c.text;
        std::vector<std::string> normalized;
        MCUtil::getNormalizedRecipientList(text, normalized);
        EXPECT_EQ(c.normalized, normalized);
    }
    std::vector<std::string> untouched{"x"};
    MCUtil::getRecipientListBySeparator("1;2", nullptr, untouched);
    EXPECT_EQ(std::vector<std::string>{"x"}, untouched);
}

} // namespace
