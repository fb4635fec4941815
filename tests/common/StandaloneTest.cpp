// Policies and telephony of a watch with telephony of its own.
#include "CommonDeviceTest.h"

#include "LogCapture.h"
#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/MCommonMsgSvc.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "common/Preference.h"
#include "msg_store/MsgStore.h"
#include "phone_misc.h"

#include <thread>

using namespace msg_app;

namespace {

class StandaloneTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        applyProfile("standalone");
        ASSERT_TRUE(common_util::is_sta_enabled());
    }
    void TearDown() override {
        MCommonTapi::getInstance()->release();
        MCommonTapi::destroy();
        MCommonNumberSync::getInstance()->release();
        CommonDeviceTest::TearDown();
    }
    MCommonTapi* tapi() { return MCommonTapi::getInstance(); }
};

TEST_F(StandaloneTest, OwnTelephonyDefaultsAndTheNumberSharingCarrier) {
    preference::init();
    EXPECT_TRUE(preference::exist("msg_preference_int_alert_reminder"));
    EXPECT_TRUE(preference::exist("msg_preference_int_prompt_popup_state"));
    // Only the carrier that shares numbers gets a range of days, and a status while the service is there.
    EXPECT_FALSE(preference::exist("msg_nms_x_days_range"));
    setString("db/zeq/salescode", "ATT");
    ASSERT_TRUE(preference::set("msg_preference_bool_initialized", false));
    preference::init();
    EXPECT_TRUE(preference::exist("msg_nms_x_days_range"));
    int status = -5;
    setInt("db/private/merrowin/status", 0);
    EXPECT_TRUE(MCommonNumberSync::getInstance()->getStatus(&status));
    MCommonNumberSync::getInstance()->release();
    setBool("db/private/merrowin/available", false);
    EXPECT_FALSE(MCommonNumberSync::getInstance()->getStatus(&status));
}

TEST_F(StandaloneTest, OwnTelephonyFollowsItsSettings) {
    bool (*const mms)() = [] { return common_util::is_support_MMS(); };
    bool (*const attached)() = [] { return MCommonTapi::getInstance()->isNetworkAttached(); };
    bool (*const mmsRoaming)() = [] { return MCommonTapi::getInstance()->isMMSRoamingAvailable(); };
    bool (*const modemOn)() = [] { return MCommonTapi::getInstance()->isModemOn(); };
    bool (*const grayZone)() = [] { return MCommonTapi::getInstance()->isGrayZone(); };
    // Each step changes one setting (none for the first) and reads what the watch's own modem and SIM
    // answer. The standalone profile keeps the mobile network always on.
    walk({
        {nullptr, nullptr, mms, true},
        {"memory/telephony/sim_slot", "0", [] { return connectivity::is_sim_insert(); }, false},
        {"memory/telephony/service_type", "3", attached, false},
        {"memory/telephony/service_type", "4", attached, true},
        // Roaming MMS in Korea follows data roaming.
        {"memory/telephony/roaming_status", "1", mmsRoaming, true},
        {"db/zeq/country_iso", "KR", mmsRoaming, false},
        {"db/setting/data_roaming", "true", mmsRoaming, true},
        {"db/setting/data_roaming", "false", mmsRoaming, false},
        {"memory/telephony/roaming_status", "0", mmsRoaming, true},
        // The modem is on with the setting and the power; an automatic one parked low is the gray zone,
        // unless a phone link or power saving with no link at all says otherwise.
        {nullptr, nullptr, grayZone, false},
        {"db/telephony/modem_always_on", "0", modemOn, false},
        {"db/telephony/modem_always_on", "2", grayZone, true},
        {"memory/telephony/modem_power", "3", modemOn, false},
        {"memory/private/yox/conn_type", "1", grayZone, false},
        {"memory/private/yox/conn_type", "0", grayZone, true},
        {"db/setting/psmode", "4", grayZone, false},
        {"db/setting/psmode", "0", grayZone, true},
        {"memory/telephony/modem_power", "0", grayZone, false},
    });
    setFeature("network.telephony.mms", "off");
    EXPECT_FALSE(common_util::is_support_MMS()) << "no phone: the watch's own MMS decides";

    setInt("memory/telephony/modem_power", 3);
    EXPECT_TRUE(tapi()->setModemOn());
    EXPECT_TRUE(tapi()->isModemOn());
    MCommonTapi::ModemState state = MCommonTapi::MODEM_STATE_LOW;
    EXPECT_TRUE(tapi()->getModemState(&state));
    EXPECT_EQ(MCommonTapi::MODEM_STATE_ON, state);

    // A code too short to name a country leaves the answer as it was.
    std::string mcc = "kept";
    for (const char* plmn : {"45005", "31"}) {
        setString("memory/telephony/plmn", plmn);
        tapi()->getMcc(mcc);
        EXPECT_EQ("450", mcc) << plmn;
    }
}

TEST_F(StandaloneTest, MmsThroughAConnectedPhoneNeedsTheMakersPhone) {
    applyProfile("remote");
    ASSERT_TRUE(connectivity::is_sendby_phone_available(nullptr));
    EXPECT_TRUE(common_util::is_support_MMS());
    setString("db/wms/host_status/vendor", "LO");
    EXPECT_FALSE(common_util::is_support_MMS());
}

TEST_F(StandaloneTest, ReleasedTelephonyAnswersNothing) {
    MCommonTapi* released = tapi();
    released->release();
    EXPECT_FALSE(released->isModemOn());
    EXPECT_FALSE(released->setModemOn());
    // Asking for the service again after the release leaves it closed; a new instance opens it.
    EXPECT_EQ(tapi(), released);
    EXPECT_FALSE(tapi()->isModemOn());
    MCommonTapi::destroy();
    EXPECT_TRUE(tapi()->isModemOn());
}

class StandaloneMsgSvcTest : public StandaloneTest {
protected:
    void SetUp() override {
        StandaloneTest::SetUp();
        ASSERT_EQ(msg_store::MSG_STORE_SUCCESS, msg_store::ConnectionManager::connect());
    }
    void TearDown() override {
        MCommonMsgSvc::release();
        msg_store::ConnectionManager::disconnect();
        StandaloneTest::TearDown();
    }

    static bool blockedByCalls(const char* number) {
        bool blocked = false;
        EXPECT_EQ(PHONE_MISC_ERROR_NONE, phone_misc_block_check(number, &blocked));
        return blocked;
    }
};

TEST_F(StandaloneMsgSvcTest, BlockListKeepsFiltersAndCallBlocksTogether) {
    MCommonMsgSvc* svc = MCommonMsgSvc::getInstance();
    std::vector<std::string> list;
    for (const char* number : {"01011112222", "+821033334444", "1588"})
        ASSERT_TRUE(svc->addBlockNumber(number));
    EXPECT_TRUE(blockedByCalls("+821033334444"));
    ASSERT_TRUE(svc->getBlockNumberList(list));
    EXPECT_EQ((std::vector<std::string>{"01011112222", "+821033334444", "1588"}), list);

    EXPECT_TRUE(svc->removeBlockNumber("+821033334444"));
    EXPECT_FALSE(blockedByCalls("+821033334444"));
    EXPECT_TRUE(svc->removeBlockNumber(std::vector<std::string>{"1588", "01011112222", "09999"}));
    EXPECT_FALSE(blockedByCalls("1588"));
    list.clear();
    EXPECT_FALSE(svc->getBlockNumberList(list));
    EXPECT_TRUE(list.empty());
}

TEST_F(StandaloneMsgSvcTest, EachThreadHasItsOwnHandleReopenedByAServiceRestartUntilReleased) {
    MCommonMsgSvc* mine = MCommonMsgSvc::getInstance();
    MCommonMsgSvc* theirs = nullptr;
    int theirSize = 0;
    std::thread worker([&] {
        theirs = MCommonMsgSvc::getInstance();
        theirSize = theirs->getMsgSize();
    });
    worker.join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(300 * 1024, theirSize);
    EXPECT_EQ(300 * 1024, mine->getMsgSize());

    // A thread that ended took its instance along: a new thread with the same id gets a fresh one.
    msg_test::LogCapture log;
    std::thread([&] { MCommonMsgSvc::getInstance()->getMsgSize(); }).join();
    EXPECT_EQ(0, log.count("msg_close_msg_handle() is failed"));
    EXPECT_EQ(1, log.count("Create instance tid"));

    // A restart of the messaging service reopens the handle.
    setBool("memory/msg/ready", false);
    setBool("memory/msg/ready", true);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return log.contains("messaging service is ready again"); }));
    EXPECT_EQ(300 * 1024, mine->getMsgSize());

    MCommonMsgSvc::release();
    EXPECT_EQ(0, mine->getMsgSize());
    EXPECT_FALSE(mine->addBlockNumber("0101234"));
}

} // namespace
