// Device and policy queries on a watch without telephony of its own.
#include "CommonDeviceTest.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/Preference.h"

using namespace msg_app;
using connectivity::YoxConn;

namespace {

using DevicePolicyTest = CommonDeviceTest;

TEST_F(DevicePolicyTest, MmsThroughTheMakersPhoneOnlyOutsideRetailMode) {
    // A fresh device: the store client has not said what the phone can do.
    EXPECT_TRUE(common_util::is_support_MMS());
    applyProfile("default");
    EXPECT_FALSE(common_util::is_sta_enabled());
    walk({{"db/wms/host_status/vendor", "vorlaneMass", common_util::is_support_MMS, true},
          {"db/wms/host_status/vendor", "LO", common_util::is_support_MMS, false},
          {"db/wms/host_status/vendor", "", common_util::is_support_MMS, false},
          {"db/wms/host_status/vendor", "vorlane", common_util::is_support_MMS, true}});
    ASSERT_TRUE(preference::set("consumer_preference_bool_support_sending_mms", false));
    EXPECT_FALSE(common_util::is_support_MMS());

    applyProfile("retail");
    EXPECT_TRUE(common_util::is_retail_mode_enabled());
    EXPECT_TRUE(common_util::is_support_MMS());
    EXPECT_EQ(YoxConn::BT, connectivity::get_yox_connect());
}

TEST_F(DevicePolicyTest, LinkTypesByVendor) {
    setString("db/wms/host_status/vendor", "vorlane");
    const std::pair<int, YoxConn> cases[] = {
        {0, YoxConn::NONE}, {1, YoxConn::BT}, {5, YoxConn::BT}, {16, YoxConn::RLX}, {2, YoxConn::NONE}};
    for (const auto& [type, conn] : cases) {
        setInt("memory/private/yox/conn_type", type);
        EXPECT_EQ(conn, connectivity::get_yox_connect()) << type;
    }
    // Another vendor's phone counts as Bluetooth once its phone manager is connected.
    setInt("memory/private/yox/conn_type", 0);
    setString("db/wms/host_status/vendor", "LO");
    EXPECT_EQ(YoxConn::NONE, connectivity::get_yox_connect());
    setBool("memory/wms/wmanager_connected", true);
    EXPECT_EQ(YoxConn::BT, connectivity::get_yox_connect());
    setString("db/wms/host_status/vendor", "other");
    EXPECT_EQ(YoxConn::NONE, connectivity::get_yox_connect());
}

TEST_F(DevicePolicyTest, SendingThroughThePhoneNeedsARealConnectionAndNoNumberSharing) {
    applyProfile("phone-bt");
    YoxConn out = YoxConn::RLX;
    EXPECT_TRUE(connectivity::is_sendby_phone_available(&out));
    EXPECT_EQ(YoxConn::BT, out);
    ASSERT_TRUE(preference::set("consumer_preference_int_peer_connection_status", 0));
    EXPECT_FALSE(connectivity::is_sendby_phone_available(&out));
    EXPECT_EQ(YoxConn::NONE, out);
    ASSERT_TRUE(preference::set("consumer_preference_int_peer_connection_status", 1));

    setInt("memory/private/yox/conn_type", 16);
    setInt("memory/dnet/status", 1);
    setInt("memory/private/fabrel/service_state/3", 3);
    EXPECT_TRUE(connectivity::is_sendby_phone_available(&out));
    EXPECT_EQ(YoxConn::RLX, out);

    // Cellular data while mobile data is restricted cannot carry it.
    setInt("memory/dnet/status", 2);
    setInt("db/setting/data_restriction", 1);
    EXPECT_FALSE(connectivity::is_sendby_phone_available(&out));
    EXPECT_EQ(YoxConn::NONE, out);
    setInt("db/setting/data_restriction", 0);
    EXPECT_TRUE(connectivity::is_yox_connected());
    setInt("memory/private/fabrel/service_state/3", 0);
    EXPECT_FALSE(connectivity::is_yox_connected());
    setInt("memory/private/fabrel/service_state/3", 3);

    // Active number sharing blocks the link, on the one carrier that shares numbers.
    setInt("db/private/merrowin/status", 0);
    EXPECT_TRUE(connectivity::is_sendby_phone_available(nullptr));
    setString("db/zeq/salescode", "ATT");
    EXPECT_FALSE(connectivity::is_sendby_phone_available(&out));
    setInt("db/private/merrowin/status", 4);
    EXPECT_TRUE(connectivity::is_sendby_phone_available(&out));

    // Without the messaging capability nothing goes through the phone.
    setFeature("capability/messaging", "false");
    EXPECT_FALSE(connectivity::is_sendby_phone_available(&out));
    EXPECT_EQ(YoxConn::NONE, out);
}

TEST_F(DevicePolicyTest, ModesAndRestrictionsFollowTheirSettings) {
    using namespace common_util;
    bool (*const rtlLanguage)() = [] { return is_rtl_supported(LANGUAGE); };
    bool (*const rtlRegion)() = [] { return is_rtl_supported(REGION_FORMAT); };
    const auto mdm = is_mdm_text_messaging_restricted;
    // Each step changes one setting (none for the first) and reads the mode it drives.
    walk({
        {nullptr, nullptr, is_power_saving_mode, false},
        {"db/setting/psmode", "3", is_power_saving_mode, false},
        {"db/setting/psmode", "4", is_power_saving_mode, true},
        {nullptr, nullptr, is_wpc_mode, false},
        {"db/setup_wizard/standalone", "2", is_wpc_mode, true},
        {nullptr, nullptr, is_screen_reader_enabled, false},
        {"db/setting/accessibility/tts", "true", is_screen_reader_enabled, true},
        // Without telephony of its own the watch has no SIM to speak of.
        {"memory/telephony/sim_slot", "1", connectivity::is_sim_insert, false},
        {nullptr, nullptr, rtlLanguage, false},
        {"db/menu_widget/language", "ar_AE.UTF-8", rtlLanguage, true},
        {nullptr, nullptr, rtlRegion, false},
        {"db/menu_widget/regionformat", "fa_IR.UTF-8", rtlRegion, true},
        // Device management restricts text messages on either SIM, while it is there.
        {nullptr, nullptr, mdm, false},
        {"db/private/mdm/text_messaging/SIM1", "1", mdm, true},
        {"db/private/mdm/text_messaging/SIM1", "0", mdm, false},
        {"db/private/mdm/text_messaging/peer", "1", mdm, true},
        {"db/private/mdm/available", "false", mdm, false},
    });
}

} // namespace
