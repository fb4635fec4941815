// The checks before a composer opens, in their order, on a device set up like the user's.
#include "CommonDeviceTest.h"

#include "compose/MCMsgData.h"
#include "compose/launch/MCLaunchMgr.h"

using namespace msg_app::compose;

namespace {

class LaunchMgrTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        // Device management is read once per process, so every test has it.
        setFeature("orvex/feature/mdm", "1");
    }
    void setFlightMode(bool on) { setBool(MCLaunchMgr::FLIGHT_MODE_KEY, on); }
    void setFreeKb(int kb) { setInt("memory/private/device/storage_free_kb", kb); }
    void setMdmRestricted(bool restricted) {
        setInt("db/private/mdm/text_messaging/peer", restricted ? 1 : 0);
    }
};

TEST_F(LaunchMgrTest, ChecksRunInOrder) {
    const struct {
        const char* name;
        bool flight;
        bool mdm;
        int freeKb;
        int checks;
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
        setFlightMode(c.flight);
        setMdmRestricted(c.mdm);
        setFreeKb(c.freeKb);
        EXPECT_EQ(c.expected, MCLaunchMgr::checkCondition(c.checks, APP_CONTROL_SEND, "01012345678"));
    }
    // A new composer is refused while a check fails. (One that opens is the new message's journey.)
    setMdmRestricted(false);
    EXPECT_EQ(MCLaunchMgr::ERROR_NO_OUTPUT, MCLaunchMgr::createNewComposer(nullptr));
    setFlightMode(true);
    view_kit::WContentViewController* composer = nullptr;
    EXPECT_EQ(MCLaunchMgr::ERROR_FLIGHT_MODE, MCLaunchMgr::createNewComposer(&composer));
    EXPECT_EQ(nullptr, composer);
}

TEST_F(LaunchMgrTest, Recipients) {
    setFreeKb(4096);
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

} // namespace
